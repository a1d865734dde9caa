#include "core/tables/DisplayTexts.h"

#include <utility>

#include "core/base/LargeVector.h"

namespace phonotab {

DisplayTexts::DisplayTexts(int rows, int columns) {
    if (rows < 1 || columns < 1) return;
    rows_ = rows;
    columns_ = columns;
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
    // A table of a million cells: its texts mapped in huge pages rather than
    // faulted in 4 KiB at a time on every drawing.
    texts_.reserve(cells);
    adviseHugePages(texts_.data(), cells * sizeof(std::string));
    texts_.resize(cells);
}

const std::string& DisplayTexts::at(int column, int row) const {
    static const std::string kNone;
    return inside(column, row) ? texts_[slot(column, row)] : kNone;
}

void DisplayTexts::set(CellKey k, std::string text) {
    if (inside(k.column, k.row)) texts_[slot(k.column, k.row)] = std::move(text);
}

}  // namespace phonotab
