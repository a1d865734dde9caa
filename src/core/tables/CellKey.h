// Addresses inside a report table: a cell's (column, row), both 0-based, and a
// rectangle of cells.
#pragma once

#include <compare>

namespace phonotab {

// Key of the table's content maps. The maps are ordered by column first, then by
// row, so a walk over a map goes column by column, top to bottom.
struct CellKey {
    int column = 0;
    int row = 0;

    friend constexpr auto operator<=>(const CellKey&, const CellKey&) = default;
};

// A rectangle of cells: left column, top row, right column and bottom row, the
// right and bottom edges exclusive.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool contains(int column, int row) const {
        return column >= left && column < right && row >= top && row < bottom;
    }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const CellRect&, const CellRect&) = default;
};

}  // namespace phonotab
