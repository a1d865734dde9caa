// What a drawing of a report table shows: the display text of every cell of
// the grid. Drawing (TableDrawing) makes it; the exports, the batch tool and
// the table window take it as it is, so a text never outlives the drawing it
// came from and nothing reads a text that was not drawn.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/tables/CellKey.h"

namespace phonotab {

class DisplayTexts {
public:
    // No cells: every cell reads as empty.
    DisplayTexts() = default;
    // rows x columns empty texts; a count below 1 gives no cells.
    DisplayTexts(int rows, int columns);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    bool inside(int column, int row) const { return column >= 0 && row >= 0 && column < columns_ && row < rows_; }

    // The text of a cell; empty for a cell outside the grid (texts drawn for a
    // smaller table).
    const std::string& at(int column, int row) const;
    const std::string& at(CellKey k) const { return at(k.column, k.row); }
    // Sets the text of a cell; a cell outside the grid is left alone.
    void set(CellKey k, std::string text);

private:
    std::size_t slot(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }

    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::string> texts_;  // row by row
};

}  // namespace phonotab
