// Where the user points in a table's grid and what the selection becomes: the
// cell under a point (a merged block answers with its first cell), the header
// under a point, the growth of a dragged rectangle over the merged blocks it
// touches, and the moves of the selection by the keys.
//
// Points are pixels of the grid itself: (0, 0) is the top-left corner of cell
// A1; the window adds its scroll offsets and takes off its headers first.
#pragma once

#include <optional>
#include <vector>

#include "core/tables/ReportTable.h"

namespace phonotab {

// The edges of the columns and rows, summed once per layout so that a point
// or a visible area is found by a binary search on tables of 1000 x 1000.
struct GridGeometry {
    std::vector<int> columnX;  // columnCount + 1 edges, from 0
    std::vector<int> rowY;     // rowCount + 1 edges, from 0

    static GridGeometry of(const ReportTable& table);
    int width() const { return columnX.empty() ? 0 : columnX.back(); }
    int height() const { return rowY.empty() ? 0 : rowY.back(); }
    // The column (row) under a coordinate; -1 left of (above) the grid or beyond its last one.
    int columnAt(int x) const;
    int rowAt(int y) const;
};

// The first cell of the merged block holding the cell (the cell itself when it
// is not covered).
CellKey blockStart(const ReportTable& table, CellKey cell);
// The rectangle of the block whose first cell this is (one cell when not merged).
CellRect blockRect(const ReportTable& table, CellKey first);

// The cell under a grid point, moved to its block's first cell; nothing beyond
// the last row or column or left of or above the grid.
std::optional<CellKey> HitCell(const ReportTable& table, const GridGeometry& g, int x, int y);

// The rectangle (normalised, clipped to the table) grown until it covers every
// merged block it touches.
CellRect GrowOverMergedBlocks(const ReportTable& table, CellRect rect);

// The selection of a drag from one cell to another: the grown rectangle with
// every cell in it, covered cells included.
TableSelection DragSelection(const ReportTable& table, CellKey from, CellKey to);

// The moves of the keys: the arrows go one cell (one block) from the selection
// and select that cell's block; Page Down selects the cell 10 rows below the
// selection's bottom-right cell (at most the last row), Page Up the cell 10 rows
// above its top-left cell (at least the first row).
enum class SelectionMove { Left, Right, Up, Down, PageUp, PageDown };
TableSelection MovedSelection(const ReportTable& table, const TableSelection& selection, SelectionMove move);

}  // namespace phonotab
