#include "core/tables/io/TableHtml.h"

#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"
#include "core/tables/ReportWorkingCopy.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

namespace {

// Stored colours are 0x00BBGGRR; HTML wants RRGGBB.
std::uint32_t rgb(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// Valid UTF-8 without zero characters (a zero would end the clipboard data).
std::string cleanText(std::string_view text) {
    std::string out = isValidUtf8(text) ? std::string(text) : utf16ToUtf8(utf8ToUtf16(text));
    std::erase(out, '\0');
    return out;
}

// A cell text as HTML content: markup characters escaped, "\r\n" as "<BR>".
void appendCellText(std::string& out, std::string_view shown) {
    const std::string text = cleanText(shown);
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
    for (char ch : cleanText(value)) {
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
    cformatAppend(out, "<TD HEIGHT=\"%d\" WIDTH=\"%d\" BGCOLOR=\"#%06X\"", grid[static_cast<std::size_t>(row)][0].height,
                  grid[0][static_cast<std::size_t>(column)].width, colour ? rgb(cell.background) : 0xFFFFFFu);
    if (const int span = columnSpan(grid, column, row); span > 1) cformatAppend(out, " COLSPAN=\"%d\"", span);
    if (const int span = rowSpan(grid, column, row); span > 1) cformatAppend(out, " ROWSPAN=\"%d\"", span);
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
    cformatAppend(out, "><FONT COLOR=\"#%06X\" SIZE=\"%d\" FACE=\"", colour ? rgb(cell.textColour) : 0u,
                  cellfont::sizeStep(cell.font));
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
    const ReportGrid report = ReportWorkingCopy(table, shown);
    const CellGrid& grid = report.cells;
    if (grid.empty() || grid[0].empty()) return std::nullopt;

    std::string html =
        "<HTML><BODY>\n<TABLE BORDER=\"1\" CELLPADDING=\"0\" CELLSPACING=\"-1\" BORDERCOLOR=\"#000000\" "
        "BORDERCOLORDARK=\"#000000\" BORDERCOLORLIGHT=\"#000000\">\n";
    for (std::size_t r = 0; r < grid.size(); ++r) {
        html += "<TR>";
        for (std::size_t c = 0; c < grid[r].size(); ++c)
            if (!grid[r][c].covered())
                appendCell(html, grid, report.texts.at(static_cast<int>(c), static_cast<int>(r)), static_cast<int>(c),
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
    out.bytes = std::move(head);
    out.bytes.reserve(out.endHtml + 1);
    out.bytes += html;
    out.bytes.push_back('\0');
    return out;
}

}  // namespace phonotab
