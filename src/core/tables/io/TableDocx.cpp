#include "core/tables/io/TableDocx.h"

#include <algorithm>

#include "core/tables/ReportWorkingCopy.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

namespace {

// Stored colours are 0x00BBGGRR; the document wants 0xRRGGBB.
}  // namespace

std::optional<DocxTable> TableDocxTable(const ReportTable& table, const DisplayTexts& shown) {
    const ReportGrid report = ReportWorkingCopy(table, shown);
    const CellGrid& grid = report.cells;
    if (grid.empty() || grid[0].empty()) return std::nullopt;
    DocxTable out;
    out.headerRows = 1;
    const std::size_t columns = grid[0].size();
    for (std::size_t c = 0; c < columns; ++c) out.columnWidths.push_back(std::max(grid[0][c].width, 1) * kTwipsPerPixel);
    out.rows.resize(grid.size());
    for (std::size_t r = 0; r < grid.size(); ++r) {
        out.rowHeights.push_back(std::max(grid[r][0].height, 0) * kTwipsPerPixel);
        out.rows[r].resize(columns);
        for (std::size_t c = 0; c < columns; ++c) {
            const TableCell& cell = grid[r][c];
            DocxCell& d = out.rows[r][c];
            if (cell.covered()) {
                d.covered = true;
                continue;
            }
            const int column = static_cast<int>(c), row = static_cast<int>(r);
            const std::string& text = report.texts.at(column, row);
            if (text != NoValueText) d.text = text;
            d.columnSpan = columnSpan(grid, column, row);
            d.rowSpan = rowSpan(grid, column, row);
            d.fontFace = cell.fontFace;
            d.fontPoints = cellfont::points(cell.font);
            d.bold = (cell.font & cellfont::Bold) != 0;
            d.italic = (cell.font & cellfont::Italic) != 0;
            d.textColour = storedColourToRgb(cell.textColour);
            d.background = storedColourToRgb(cell.background);
            switch (cellalign::horizontal(cell.alignment)) {
                case cellalign::Right: d.horizontal = DocxCell::Horizontal::Right; break;
                case cellalign::HCentre: d.horizontal = DocxCell::Horizontal::Centre; break;
                default: d.horizontal = DocxCell::Horizontal::Left; break;
            }
            switch (cellalign::vertical(cell.alignment)) {
                case cellalign::Bottom: d.vertical = DocxCell::Vertical::Bottom; break;
                case cellalign::Middle: d.vertical = DocxCell::Vertical::Middle; break;
                default: d.vertical = DocxCell::Vertical::Top; break;
            }
        }
    }
    return out;
}

}  // namespace phonotab
