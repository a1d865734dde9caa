#include "core/platform/DocxTableXml.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/base/CFormat.h"
#include "core/platform/DocxText.h"

namespace phonotab {

namespace {

struct Owner {
    int row = -1, column = -1, columnSpan = 1, rowSpan = 1;
};

// Which merged block each grid cell belongs to: the first block that claims it.
std::vector<Owner> blockOwners(const DocxTable& table, int rows, int columns) {
    std::vector<Owner> owners(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    auto at = [&](int r, int c) -> Owner& {
        return owners[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const DocxCell& cell = table.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (cell.covered || at(r, c).row >= 0) continue;
            Owner o{r, c, std::clamp(cell.columnSpan, 1, columns - c), std::clamp(cell.rowSpan, 1, rows - r)};
            for (int cc = c + 1; cc < c + o.columnSpan; ++cc)
                if (at(r, cc).row >= 0) {
                    o.columnSpan = cc - c;
                    break;
                }
            for (int rr = r + 1; rr < r + o.rowSpan; ++rr)
                for (int cc = c; cc < c + o.columnSpan; ++cc)
                    if (at(rr, cc).row >= 0) {
                        o.rowSpan = rr - r;
                        break;
                    }
            for (int rr = r; rr < r + o.rowSpan; ++rr)
                for (int cc = c; cc < c + o.columnSpan; ++cc) at(rr, cc) = o;
        }
    return owners;
}

class Writer {
public:
    Writer(std::string& out, const std::string& prefix) : out_(out), w_(prefix) {}

    void open(const char* name) { out_ += '<', out_ += w_, out_ += name, out_ += '>'; }
    void close(const char* name) { out_ += "</", out_ += w_, out_ += name, out_ += '>'; }
    // <w:name w:attr="value" .../> from pairs of attribute names and values.
    void empty(const char* name, std::initializer_list<std::pair<const char*, std::string_view>> attributes = {}) {
        out_ += '<', out_ += w_, out_ += name;
        for (const auto& [a, v] : attributes) {
            out_ += ' ', out_ += w_, out_ += a, out_ += "=\"";
            appendXmlEscaped(out_, v, true);
            out_ += '"';
        }
        out_ += "/>";
    }
    void text(std::string_view t) {
        out_ += '<', out_ += w_, out_ += "t xml:space=\"preserve\">";
        appendXmlEscaped(out_, t, false);
        close("t");
    }

private:
    std::string& out_;
    const std::string& w_;
};

void cellParagraphs(Writer& x, const DocxCell& cell, const std::string& face, bool heading) {
    const char* jc = cell.horizontal == DocxCell::Horizontal::Centre  ? "center"
                     : cell.horizontal == DocxCell::Horizontal::Right ? "right"
                                                                      : nullptr;
    const std::string colour = cformat("%06X", cell.textColour & 0xFFFFFFu);
    const std::string half = cell.fontPoints > 0 ? std::to_string(std::lround(cell.fontPoints * 2)) : std::string();
    for (const std::string& line : splitDocumentLines(cleanDocumentText(cell.text))) {
        x.open("p");
        x.open("pPr");
        x.empty("spacing", {{"before", "0"}, {"after", "0"}});
        if (jc) x.empty("jc", {{"val", jc}});
        x.close("pPr");
        if (!line.empty()) {
            x.open("r");
            x.open("rPr");
            if (!face.empty()) x.empty("rFonts", {{"ascii", face}, {"hAnsi", face}, {"cs", face}});
            if (cell.bold || heading) x.empty("b");
            if (cell.italic) x.empty("i");
            x.empty("color", {{"val", colour}});
            if (!half.empty()) {
                x.empty("sz", {{"val", half}});
                x.empty("szCs", {{"val", half}});
            }
            x.close("rPr");
            x.text(line);
            x.close("r");
        }
        x.close("p");
    }
}

void cellStart(Writer& x, const DocxTable& table, const DocxCell& cell, int column, int span, const char* vMerge) {
    int width = 0;
    for (int c = column; c < column + span; ++c) width += table.columnWidths[static_cast<std::size_t>(c)];
    x.open("tc");
    x.open("tcPr");
    x.empty("tcW", {{"w", std::to_string(width)}, {"type", "dxa"}});
    if (span > 1) x.empty("gridSpan", {{"val", std::to_string(span)}});
    if (vMerge) {
        if (*vMerge)
            x.empty("vMerge", {{"val", vMerge}});
        else
            x.empty("vMerge");
    }
    if (cell.background)
        x.empty("shd", {{"val", "clear"}, {"color", "auto"}, {"fill", cformat("%06X", *cell.background & 0xFFFFFFu)}});
    if (cell.vertical != DocxCell::Vertical::Top)
        x.empty("vAlign", {{"val", cell.vertical == DocxCell::Vertical::Middle ? "center" : "bottom"}});
    x.close("tcPr");
}

}  // namespace

void appendTableXml(std::string& out, const DocxTable& table, const std::string& prefix) {
    const int columns = static_cast<int>(table.columnWidths.size());
    const int rows = static_cast<int>(table.rows.size());
    Writer x(out, prefix);
    x.open("tbl");
    x.open("tblPr");
    int total = 0;
    for (int w : table.columnWidths) total += w;
    x.empty("tblW", {{"w", std::to_string(total)}, {"type", "dxa"}});
    x.open("tblBorders");
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        x.empty(side, {{"val", "single"}, {"sz", "4"}, {"space", "0"}, {"color", "000000"}});
    x.close("tblBorders");
    x.empty("tblLayout", {{"type", "fixed"}});
    x.open("tblCellMar");
    x.empty("left", {{"w", "30"}, {"type", "dxa"}});
    x.empty("right", {{"w", "30"}, {"type", "dxa"}});
    x.close("tblCellMar");
    x.close("tblPr");
    x.open("tblGrid");
    for (int w : table.columnWidths) x.empty("gridCol", {{"w", std::to_string(w)}});
    x.close("tblGrid");

    const std::vector<Owner> owners = blockOwners(table, rows, columns);
    // The heading takes in the rows its merged blocks reach down to, unless
    // that is the whole table (a heading repeats above the rest of it).
    const int askedHeaderRows = std::clamp(table.headerRows, 0, rows);
    int headerRows = askedHeaderRows;
    for (int r = 0; r < headerRows; ++r)
        for (int c = 0; c < columns; ++c) {
            const Owner& o = owners[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
            if (o.row >= 0) headerRows = std::max(headerRows, o.row + o.rowSpan);
        }
    if (headerRows >= rows) headerRows = askedHeaderRows;
    static const DocxCell kEmpty;
    std::string face;
    for (int r = 0; r < rows; ++r) {
        x.open("tr");
        const int height = r < static_cast<int>(table.rowHeights.size()) ? table.rowHeights[static_cast<std::size_t>(r)] : 0;
        if (height > 0 || r < headerRows) {
            x.open("trPr");
            if (height > 0) x.empty("trHeight", {{"val", std::to_string(height)}, {"hRule", "atLeast"}});
            if (r < headerRows) x.empty("tblHeader");
            x.close("trPr");
        }
        for (int c = 0; c < columns;) {
            const Owner& o = owners[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
            if (o.row < 0) {  // covered, but by no block
                cellStart(x, table, kEmpty, c, 1, nullptr);
                cellParagraphs(x, kEmpty, {}, false);
                x.close("tc");
                ++c;
                continue;
            }
            const DocxCell& first = table.rows[static_cast<std::size_t>(o.row)][static_cast<std::size_t>(o.column)];
            const int span = o.columnSpan - (c - o.column);
            if (o.row == r) {
                cellStart(x, table, first, c, span, o.rowSpan > 1 ? "restart" : nullptr);
                face = cleanDocumentText(first.fontFace);
                cellParagraphs(x, c == o.column ? first : kEmpty, face, r < headerRows);
            } else {
                cellStart(x, table, first, c, span, "");
                cellParagraphs(x, kEmpty, {}, false);
            }
            x.close("tc");
            c += span;
        }
        x.close("tr");
    }
    x.close("tbl");
}

}  // namespace phonotab
