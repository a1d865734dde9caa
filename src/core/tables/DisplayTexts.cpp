#include "core/tables/DisplayTexts.h"

#include <utility>

namespace phonotab {

DisplayTexts::DisplayTexts(int rows, int columns) {
    if (rows < 1 || columns < 1) return;
    rows_ = rows;
    columns_ = columns;
    texts_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
}

const std::string& DisplayTexts::at(int column, int row) const {
    static const std::string kNone;
    return inside(column, row) ? texts_[slot(column, row)] : kNone;
}

void DisplayTexts::set(CellKey k, std::string text) {
    if (inside(k.column, k.row)) texts_[slot(k.column, k.row)] = std::move(text);
}

}  // namespace phonotab
