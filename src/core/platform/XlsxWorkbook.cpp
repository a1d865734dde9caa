#include "core/platform/XlsxWorkbook.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/base/TextCodec.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

namespace {


bool insideSheet(int row, int column) {
    return row >= 0 && row < XlsxWorkbook::MaxRows && column >= 0 && column < XlsxWorkbook::MaxColumns;
}

// Valid UTF-8 (malformed bytes become U+FFFD), at most MaxTextLength characters.
std::string sheetText(std::string text, std::size_t maxCharacters) {
    if (!isValidUtf8(text)) text = utf16ToUtf8(utf8ToUtf16(text));
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (++characters > maxCharacters) {
            text.resize(i);
            break;
        }
    }
    return text;
}

// The library reads the colour 0 as "unset"; black has a value of its own.
lxw_color_t libraryColour(std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

double finiteOrZero(double v) { return std::isfinite(v) ? v : 0.0; }

lxw_format* makeFormat(lxw_workbook* wb, const XlsxFormat& f) {
    lxw_format* out = workbook_add_format(wb);
    if (!out) return nullptr;
    switch (f.horizontal) {
        case XlsxFormat::Horizontal::Left: format_set_align(out, LXW_ALIGN_LEFT); break;
        case XlsxFormat::Horizontal::Centre: format_set_align(out, LXW_ALIGN_CENTER); break;
        case XlsxFormat::Horizontal::Right: format_set_align(out, LXW_ALIGN_RIGHT); break;
    }
    switch (f.vertical) {
        case XlsxFormat::Vertical::Top: format_set_align(out, LXW_ALIGN_VERTICAL_TOP); break;
        case XlsxFormat::Vertical::Middle: format_set_align(out, LXW_ALIGN_VERTICAL_CENTER); break;
        case XlsxFormat::Vertical::Bottom: format_set_align(out, LXW_ALIGN_VERTICAL_BOTTOM); break;
    }
    // Font names longer than 31 characters are not accepted by spreadsheet programs.
    if (!f.fontName.empty()) format_set_font_name(out, sheetText(f.fontName, 31).c_str());
    if (f.fontSize > 0) format_set_font_size(out, std::min(f.fontSize, 409.0));
    if (f.bold) format_set_bold(out);
    if (f.italic) format_set_italic(out);
    format_set_font_color(out, libraryColour(f.fontColour));
    if (f.background) {
        format_set_pattern(out, LXW_PATTERN_SOLID);
        format_set_bg_color(out, libraryColour(*f.background));
    }
    if (f.textNumberFormat) format_set_num_format(out, "@");
    if (f.wrap) format_set_text_wrap(out);
    return out;
}

// A scratch file for the library, which writes to a file name of its own choosing.
struct ScratchFile {
    std::string path;
    ScratchFile() {
        std::error_code ec;
        std::string tmpl = (std::filesystem::temp_directory_path(ec) / "phonotab-xlsx-XXXXXX").string();
        if (ec) tmpl = "/tmp/phonotab-xlsx-XXXXXX";
        const int fd = ::mkstemp(tmpl.data());
        if (fd < 0) return;
        ::close(fd);
        path = tmpl;
    }
    ~ScratchFile() {
        if (!path.empty()) ::unlink(path.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
};

}  // namespace

std::size_t XlsxWorkbook::formatIndex(const XlsxFormat& format) {
    auto [it, added] = formatIndices_.try_emplace(format, formats_.size());
    if (added) formats_.push_back(format);
    return it->second;
}

bool XlsxWorkbook::setText(int row, int column, std::string text, const XlsxFormat& format) {
    if (!insideSheet(row, column)) return false;
    cells_.push_back({row, column, row, column, sheetText(std::move(text), MaxTextLength), formatIndex(format)});
    return true;
}

bool XlsxWorkbook::overlapsMerged(int firstRow, int firstColumn, int lastRow, int lastColumn) const {
    for (auto rowIt = mergedColumns_.lower_bound(firstRow); rowIt != mergedColumns_.end() && rowIt->first <= lastRow;
         ++rowIt) {
        // Intervals of one row are disjoint: only the last one starting at or
        // before lastColumn can reach into [firstColumn, lastColumn].
        const std::map<int, int>& intervals = rowIt->second;
        auto it = intervals.upper_bound(lastColumn);
        if (it == intervals.begin()) continue;
        --it;
        if (it->second >= firstColumn) return true;
    }
    return false;
}

bool XlsxWorkbook::mergeRange(int firstRow, int firstColumn, int lastRow, int lastColumn, std::string text,
                              const XlsxFormat& format) {
    if (!insideSheet(firstRow, firstColumn) || !insideSheet(lastRow, lastColumn) || lastRow < firstRow ||
        lastColumn < firstColumn)
        return false;
    if (firstRow == lastRow && firstColumn == lastColumn) return setText(firstRow, firstColumn, std::move(text), format);
    if (overlapsMerged(firstRow, firstColumn, lastRow, lastColumn)) return false;
    for (int r = firstRow; r <= lastRow; ++r) mergedColumns_[r].emplace(firstColumn, lastColumn);
    cells_.push_back({firstRow, firstColumn, lastRow, lastColumn, sheetText(std::move(text), MaxTextLength),
                      formatIndex(format)});
    return true;
}

void XlsxWorkbook::setRowHeight(int row, double points) {
    if (row < 0 || row >= MaxRows) return;
    rowHeights_[row] = std::clamp(finiteOrZero(points), 0.0, MaxRowHeight);
}

void XlsxWorkbook::setColumnWidth(int column, double width) {
    if (column < 0 || column >= MaxColumns) return;
    columnWidths_[column] = std::clamp(finiteOrZero(width), 0.0, MaxColumnWidth);
}

Status XlsxWorkbook::save(const std::string& path) const {
    ScratchFile scratch;
    if (scratch.path.empty()) return Message(msg::CannotWrite, path);
    lxw_workbook* wb = workbook_new(scratch.path.c_str());
    if (!wb) return Message(msg::CannotWrite, path);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    bool ok = ws != nullptr;

    std::vector<lxw_format*> formats;
    formats.reserve(formats_.size());
    for (const XlsxFormat& f : formats_) {
        formats.push_back(makeFormat(wb, f));
        ok = ok && formats.back() != nullptr;
    }

    if (ok) {
        lxw_row_col_options hidden{};
        hidden.hidden = LXW_TRUE;
        for (const auto& [column, width] : columnWidths_) {
            const auto c = static_cast<lxw_col_t>(column);
            const lxw_error e = width > 0 ? worksheet_set_column(ws, c, c, width, nullptr)
                                          : worksheet_set_column_opt(ws, c, c, 0, nullptr, &hidden);
            ok = ok && e == LXW_NO_ERROR;
        }
        for (const auto& [row, height] : rowHeights_) {
            const auto r = static_cast<lxw_row_t>(row);
            const lxw_error e = height > 0 ? worksheet_set_row(ws, r, height, nullptr)
                                           : worksheet_set_row_opt(ws, r, 0, nullptr, &hidden);
            ok = ok && e == LXW_NO_ERROR;
        }
        for (const CellEntry& cell : cells_) {
            lxw_format* f = formats[cell.format];
            const auto r = static_cast<lxw_row_t>(cell.row);
            const auto c = static_cast<lxw_col_t>(cell.column);
            lxw_error e;
            if (cell.lastRow != cell.row || cell.lastColumn != cell.column)
                e = worksheet_merge_range(ws, r, c, static_cast<lxw_row_t>(cell.lastRow),
                                          static_cast<lxw_col_t>(cell.lastColumn), cell.text.c_str(), f);
            else if (cell.text.empty())
                e = worksheet_write_blank(ws, r, c, f);
            else
                e = worksheet_write_string(ws, r, c, cell.text.c_str(), f);
            ok = ok && e == LXW_NO_ERROR;
        }
    }
    // The workbook is closed (and its memory freed) whatever happened above.
    const bool closed = workbook_close(wb) == LXW_NO_ERROR;
    if (!ok || !closed) return Message(msg::CannotWrite, path);

    std::ifstream in(scratch.path, std::ios::binary);
    if (!in) return Message(msg::CannotWrite, path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) return Message(msg::CannotWrite, path);
    return writeFileAtomically(path, bytes);
}

}  // namespace phonotab
