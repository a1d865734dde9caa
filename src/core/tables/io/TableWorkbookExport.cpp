#include "core/tables/io/TableWorkbookExport.h"

#include <algorithm>
#include <array>

#include "core/platform/XlsxWorkbook.h"
#include "core/tables/CellSpans.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

XlsxFormat workbookFormat(const TableCell& cell, bool wrap) {
    XlsxFormat f;
    switch (cellalign::horizontal(cell.alignment)) {
        case cellalign::Right: f.horizontal = XlsxFormat::Horizontal::Right; break;
        case cellalign::HCentre: f.horizontal = XlsxFormat::Horizontal::Centre; break;
        default: f.horizontal = XlsxFormat::Horizontal::Left; break;
    }
    switch (cellalign::vertical(cell.alignment)) {
        case cellalign::Bottom: f.vertical = XlsxFormat::Vertical::Bottom; break;
        case cellalign::Middle: f.vertical = XlsxFormat::Vertical::Middle; break;
        default: f.vertical = XlsxFormat::Vertical::Top; break;
    }
    f.fontName = cell.fontFace;
    f.fontSize = workbookFontPoints(cell.font);
    f.bold = (cell.font & cellfont::Bold) != 0;
    f.italic = (cell.font & cellfont::Italic) != 0;
    f.fontColour = storedColourToRgb(cell.textColour);
    if ((cell.background & 0xFFFFFF) != kWhite) f.background = storedColourToRgb(cell.background);
    f.textNumberFormat = true;
    f.wrap = wrap;
    return f;
}

// The value of a cell: its display text with Windows line ends made "\n";
// nothing for "???".
std::string workbookValue(const std::string& shown) {
    if (shown == NoValueText) return {};
    std::string out;
    out.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\r' && i + 1 < shown.size() && shown[i + 1] == '\n') continue;
        out.push_back(shown[i]);
    }
    return out;
}

}  // namespace

int workbookFontPoints(std::uint32_t font) {
    static constexpr std::array<int, 7> points{8, 10, 12, 13, 17, 24, 36};
    const int step = std::clamp(cellfont::sizeStep(font), 1, 7);
    return points[static_cast<std::size_t>(step - 1)];
}

Status ExportTableWorkbook(const ReportTable& table, const DisplayTexts& shown, const std::string& path) {
    XlsxWorkbook book;
    const CellGrid& grid = table.grid();
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const TableCell& cell = table.cell(c, r);
            if (cell.covered()) continue;
            std::string value = workbookValue(shown.at(c, r));
            const XlsxFormat format = workbookFormat(cell, value.find('\n') != std::string::npos);
            const int lastRow = r + rowSpan(grid, c, r) - 1;
            const int lastColumn = c + columnSpan(grid, c, r) - 1;
            // A block whose flags make it overlap another merged block cannot be
            // merged in a sheet: its text goes into its first cell alone.
            if (!book.mergeRange(r, c, lastRow, lastColumn, value, format)) book.setText(r, c, std::move(value), format);
        }
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        const int pixels = std::max(table.cell(0, r).height, 0);
        book.setRowHeight(r, table.rowInReport(r) ? static_cast<int>(pixels * 0.7692307692307692) : 0);
    }
    for (int c = 0; c < table.columnCount(); ++c) {
        const int pixels = std::max(table.cell(c, 0).width, 0);
        book.setColumnWidth(c, table.columnInReport(c) ? pixels / 7 : 0);
    }
    return book.save(path);
}

}  // namespace phonotab
