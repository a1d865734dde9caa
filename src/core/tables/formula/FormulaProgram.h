// A formula text read into postfix order: the tokenizer and the operator-stack
// conversion of the formula language, with ranges, thinning and lists resolved
// while reading. Used by the evaluator; exposed for its tests.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/tables/formula/CellFormula.h"

namespace phonotab::formula {

enum class Op : std::uint8_t {
    Group,  // "(" left on the stack
    Plus,
    Minus,
    Multiply,
    Divide,
    Power,
    Range,  // ":" that met no second reference
    List,   // ";" that met no reference
    Esum,
    Wsum,
    Lin,
    Log,
    Vatovs,
    Max,
    Min,
    Sum,
    Sqrt,
};

// One value of a list: a number, a formula cell whose value is read when the
// list is used, or the mark of a cell whose text is no number.
struct ListElement {
    double value = 0.0;
    CellFormula* formula = nullptr;
    bool noNumber = false;
};

struct Item {
    enum class Kind : std::uint8_t { Reference, List, Operator };
    Kind kind = Kind::List;
    Op op = Op::Group;
    int a = 0;  // Reference: column; List: first element
    int b = 0;  // Reference: row; List: one past the last element
};

struct Program {
    std::vector<Item> items;
    std::vector<ListElement> elements;
    bool failed = false;  // an error while reading
};

// What reading a formula needs from the table.
class CellAccess {
public:
    virtual ~CellAccess() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual bool covered(int column, int row) const = 0;
    virtual CellFormula* formulaAt(int column, int row) const = 0;
    // The number the cell's display text holds; false when none.
    virtual bool textNumber(int column, int row, double& out) const = 0;
};

// Reads a formula text (not the "#book#index" form): upper-cases a copy, strips
// "$", blanks and tabs, and converts it to postfix order.
void Compile(std::string_view text, const CellAccess& cells, Program& out);

}  // namespace phonotab::formula
