// The formula of a table cell with its cached value and evaluation state.
#pragma once

#include <cstdint>
#include <string>

namespace phonotab {

enum class FormulaState : std::int32_t {
    Pending = 0,     // not evaluated since the last reset
    Evaluating = 1,  // on the evaluation path right now (meeting it again means a cycle)
    Valid = 2,       // value holds the result
    Failed = 3,
};

struct CellFormula {
    std::string text;  // stored upper-cased; may hold "$" markers and blanks; "#book#index" reads a reference book
    double value = 0.0;
    FormulaState state = FormulaState::Pending;

    bool valid() const { return state == FormulaState::Valid; }
    friend bool operator==(const CellFormula&, const CellFormula&) = default;
};

}  // namespace phonotab
