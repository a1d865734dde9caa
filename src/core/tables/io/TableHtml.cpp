#include "core/tables/io/TableHtml.h"

#include <charconv>

#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"
#include "core/tables/ReportWorkingCopy.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

namespace {

// Valid UTF-8 without zero characters (a zero would end the clipboard data).
std::string cleanText(std::string_view text) {
    std::string out = isValidUtf8(text) ? std::string(text) : utf16ToUtf8(utf8ToUtf16(text));
    std::erase(out, '\0');
    return out;
}

// The text itself when it is clean already (nearly always), else its clean
// copy kept in `copy`.
std::string_view cleaned(std::string_view text, std::string& copy) {
    if (text.find('\0') == std::string_view::npos && isValidUtf8(text)) return text;
    copy = cleanText(text);
    return copy;
}

// "%d" and "%06X" without the formatting machinery: a million cells.
void appendDecimal(std::string& out, int v) {
    char buf[16];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

void appendHex6(std::string& out, std::uint32_t v) {
    char buf[16];
    char* end = std::to_chars(buf, buf + sizeof buf, v, 16).ptr;
    for (char* p = buf; p < end; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    for (std::ptrdiff_t pad = 6 - (end - buf); pad > 0; --pad) out.push_back('0');
    out.append(buf, end);
}

// A cell text as HTML content: markup characters escaped, "\r\n" as "<BR>".
void appendCellText(std::string& out, std::string_view shown) {
    std::string copy;
    const std::string_view text = cleaned(shown, copy);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "<BR>";
            ++i;
        } else if (ch == '&') {
            out += "&amp;";
        } else if (ch == '<') {
            out += "&lt;";
        } else if (ch == '>') {
            out += "&gt;";
        } else {
            out.push_back(ch);
        }
    }
}

// A font face inside a quoted attribute value.
void appendAttributeText(std::string& out, std::string_view value) {
    std::string copy;
    for (char ch : cleaned(value, copy)) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out.push_back(ch); break;
        }
    }
}

void appendCell(std::string& out, const CellGrid& grid, const std::string& shown, int column, int row,
                HtmlColours colours) {
    const TableCell& cell = grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    const bool colour = colours == HtmlColours::Colour;
    out += "<TD HEIGHT=\"";
    appendDecimal(out, grid[static_cast<std::size_t>(row)][0].height);
    out += "\" WIDTH=\"";
    appendDecimal(out, grid[0][static_cast<std::size_t>(column)].width);
    out += "\" BGCOLOR=\"#";
    appendHex6(out, colour ? storedColourToRgb(cell.background) : 0xFFFFFFu);
    out += '"';
    if (const int span = columnSpan(grid, column, row); span > 1) {
        out += " COLSPAN=\"";
        appendDecimal(out, span);
        out += '"';
    }
    if (const int span = rowSpan(grid, column, row); span > 1) {
        out += " ROWSPAN=\"";
        appendDecimal(out, span);
        out += '"';
    }
    switch (cellalign::horizontal(cell.alignment)) {
        case cellalign::Right: out += " ALIGN=\"RIGHT\""; break;
        case cellalign::HCentre: out += " ALIGN=\"CENTER\""; break;
        default: out += " ALIGN=\"LEFT\""; break;
    }
    switch (cellalign::vertical(cell.alignment)) {
        case cellalign::Bottom: out += " VALIGN=\"BOTTOM\""; break;
        case cellalign::Middle: out += " VALIGN=\"MIDDLE\""; break;
        default: out += " VALIGN=\"TOP\""; break;
    }
    out += "><FONT COLOR=\"#";
    appendHex6(out, colour ? storedColourToRgb(cell.textColour) : 0u);
    out += "\" SIZE=\"";
    appendDecimal(out, cellfont::sizeStep(cell.font));
    out += "\" FACE=\"";
    appendAttributeText(out, cell.fontFace);
    out += "\">";
    const bool bold = (cell.font & cellfont::Bold) != 0;
    const bool italic = (cell.font & cellfont::Italic) != 0;
    if (bold) out += "<B>";
    if (italic) out += "<I>";
    if (shown != NoValueText) appendCellText(out, shown);
    if (italic) out += "</I>";
    if (bold) out += "</B>";
    out += "</FONT></TD>\n";
}

std::string header(std::size_t start, std::size_t end) {
    return cformat("Version:0.9\r\nStartHTML:%zu\r\nEndHTML:%zu\r\n", start, end);
}

}  // namespace

std::optional<ClipboardHtml> TableClipboardHtml(const ReportTable& table, const DisplayTexts& shown,
                                                HtmlColours colours) {
    // A table without excluded rows or columns is its own working copy: its
    // million cells are not copied first.
    bool whole = true;
    for (int r = 0; r < table.rowCount() && whole; ++r) whole = table.rowInReport(r);
    for (int c = 0; c < table.columnCount() && whole; ++c) whole = table.columnInReport(c);
    ReportGrid report;
    if (!whole) report = ReportWorkingCopy(table, shown);
    const CellGrid& grid = whole ? table.grid() : report.cells;
    const DisplayTexts& texts = whole ? shown : report.texts;
    if (grid.empty() || grid[0].empty()) return std::nullopt;

    // About 150 bytes a cell: one allocation instead of doubling up to the size.
    std::string html;
    html.reserve(grid.size() * grid[0].size() * 150 + 512);
    html +=
        "<HTML><BODY>\n<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"-1\" BORDERCOLOR=\"#000000\" "
        "BORDERCOLORDARK=\"#000000\" BORDERCOLORLIGHT=\"#000000\">\n";
    for (std::size_t r = 0; r < grid.size(); ++r) {
        html += "<TR>";
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            if (!grid[r][c].covered())
                appendCell(html, grid, texts.at(static_cast<int>(c), static_cast<int>(r)), static_cast<int>(c),
                           static_cast<int>(r), colours);
        html += "</TR>";
    }
    html += "</TABLE>\n</BODY></HTML>";

    // The header holds its own length (the offset of "<HTML>"): grow the guess
    // until the header is as long as the offset it states.
    std::size_t start = 0;
    std::string head = header(start, html.size());
    while (head.size() != start) {
        start = head.size();
        head = header(start, start + html.size());
    }
    ClipboardHtml out;
    out.startHtml = start;
    out.endHtml = start + html.size();
    // The header goes in front within the room reserved: no second copy.
    html.reserve(out.endHtml + 1);
    html.insert(0, head);
    html.push_back('\0');
    out.bytes = std::move(html);
    return out;
}

}  // namespace phonotab
