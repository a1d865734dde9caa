#include "core/tables/CellSpans.h"

namespace phonotab {

int columnSpan(const CellGrid& grid, int column, int row) {
    const std::vector<TableCell>& cells = grid[static_cast<std::size_t>(row)];
    int span = 1;
    for (std::size_t c = static_cast<std::size_t>(column) + 1;
         c < cells.size() && (cells[c].flags & cellflag::CoveredFromLeft); ++c)
        ++span;
    return span;
}

int rowSpan(const CellGrid& grid, int column, int row) {
    const auto c = static_cast<std::size_t>(column);
    int span = 1;
    for (std::size_t r = static_cast<std::size_t>(row) + 1;
         r < grid.size() && (grid[r][c].flags & cellflag::CoveredFromAbove); ++r)
        ++span;
    return span;
}

}  // namespace phonotab
