// How far a merged block reaches from its first cell, read from the cover bits
// of the cells after it. The HTML copy, the report and the spreadsheet export
// size their merged cells with it.
#pragma once

#include <vector>

#include "core/tables/TableCell.h"

namespace phonotab {

using CellGrid = std::vector<std::vector<TableCell>>;  // rows of equal length

// 1 plus the number of directly following cells of the row that are covered
// from the left.
int columnSpan(const CellGrid& grid, int column, int row);
// 1 plus the number of directly following rows whose cell in this column is
// covered from above.
int rowSpan(const CellGrid& grid, int column, int row);

}  // namespace phonotab
