#include "core/tables/formula/FormulaProgram.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/base/CFormat.h"

namespace phonotab::formula {

namespace {

bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int level(Op op) {
    switch (op) {
        case Op::Group: return 0;
        case Op::Plus:
        case Op::Minus: return 1;
        case Op::Multiply:
        case Op::Divide: return 3;
        case Op::Power: return 5;
        case Op::Range:
        case Op::List: return 6;
        default: return 16;  // functions
    }
}

bool functionOp(std::string_view name, Op& op) {
    static constexpr struct {
        std::string_view name;
        Op op;
    } kFunctions[] = {{"ESUM", Op::Esum}, {"WSUM", Op::Wsum}, {"LIN", Op::Lin},  {"LOG", Op::Log}, {"VATOVS", Op::Vatovs},
                      {"MAX", Op::Max},   {"MIN", Op::Min},   {"SUM", Op::Sum}, {"SQRT", Op::Sqrt}};
    for (const auto& f : kFunctions)
        if (f.name == name) {
            op = f.op;
            return true;
        }
    return false;
}

class Reader {
public:
    Reader(const CellAccess& cells, Program& out) : cells_(cells), p_(out) {}

    static void resetScratch() {
        stack_.clear();
        text_.clear();
    }

    void run(std::string_view text) {
        std::string& s = text_;
        s.clear();
        for (char c : text) {
            if (c == '$' || c == ' ' || c == '\t') continue;
            s.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c);
        }
        std::size_t i = 0;
        const std::size_t n = s.size();
        while (i < n && !p_.failed) {
            const char c = s[i];
            if (isLetter(c)) {
                std::size_t j = i + 1;
                while (j < n && (isLetter(s[j]) || isDigit(s[j]) || s[j] == '_')) ++j;
                identifier(std::string_view(s).substr(i, j - i));
                i = j;
            } else if (isDigit(c)) {
                std::size_t j = i + 1;
                while (j < n && (isDigit(s[j]) || s[j] == '.' || s[j] == 'E' ||
                                 ((s[j] == '+' || s[j] == '-') && s[j - 1] == 'E')))
                    ++j;
                number(std::string_view(s).substr(i, j - i));
                // A number directly followed by a letter is an error.
                if (j < n && isLetter(s[j])) p_.failed = true;
                i = j;
            } else {
                operatorChar(c);
                ++i;
            }
        }
        while (!stack_.empty()) {
            emitOp(stack_.back());
            stack_.pop_back();
        }
    }

private:
    void emitOp(Op op) { p_.items.push_back({Item::Kind::Operator, op, 0, 0}); }

    void pushOperator(Op op) {
        const int lv = level(op);
        while (!stack_.empty() && stack_.back() != Op::Group && level(stack_.back()) >= lv) {
            emitOp(stack_.back());
            stack_.pop_back();
        }
        stack_.push_back(op);
    }

    void operatorChar(char c) {
        switch (c) {
            case '(': stack_.push_back(Op::Group); return;
            case ')':
                while (!stack_.empty()) {
                    const Op top = stack_.back();
                    stack_.pop_back();
                    if (top == Op::Group) return;
                    emitOp(top);
                }
                return;  // an unmatched ")" has emptied the stack
            case ',':
                while (!stack_.empty() && stack_.back() != Op::Group) {
                    emitOp(stack_.back());
                    stack_.pop_back();
                }
                return;
            case '+': pushOperator(Op::Plus); return;
            case '-': pushOperator(Op::Minus); return;
            case '*': pushOperator(Op::Multiply); return;
            case '/': pushOperator(Op::Divide); return;
            case '^': pushOperator(Op::Power); return;
            case ':': pushOperator(Op::Range); return;
            case ';': pushOperator(Op::List); return;
            default: p_.failed = true;
        }
    }

    bool topIs(Op op) const { return !stack_.empty() && stack_.back() == op; }

    // "%d" of the row: the digits that start there (at least one).
    static bool scanRow(std::string_view s, long long& row) {
        std::size_t k = 0;
        while (k < s.size() && isDigit(s[k]) && k < 12) ++k;
        if (k == 0) return false;
        std::from_chars(s.data(), s.data() + k, row);
        return true;
    }

    void identifier(std::string_view name) {
        Op op;
        // Function names are letters only; a reference ends in its row's digits.
        if (!isDigit(name.back()) && functionOp(name, op)) {
            pushOperator(op);
            return;
        }
        // A reference: a letter, an optional second letter, then the row number.
        if (name.size() < 2) {
            p_.failed = true;
            return;
        }
        int column = name[0] - 'A';
        std::size_t k = 1;
        if (isLetter(name[1])) {
            column = (column + 1) * 26 + (name[1] - 'A');
            k = 2;
        }
        long long row = 0;
        if (!scanRow(name.substr(k), row) || row < 1 || row > cells_.rowCount() || column >= cells_.columnCount()) {
            p_.failed = true;
            return;
        }
        reference(column, static_cast<int>(row - 1));
    }

    // A single reference used in a list: it must be a value cell.
    bool strictElement(int column, int row, ListElement& e) const {
        if (cells_.covered(column, row)) return false;
        if (CellFormula* f = cells_.formulaAt(column, row)) {
            e.formula = f;
            return true;
        }
        return cells_.textNumber(column, row, e.value);
    }

    ListElement rangeElement(int column, int row) const {
        ListElement e;
        if (CellFormula* f = cells_.formulaAt(column, row))
            e.formula = f;
        else if (!cells_.textNumber(column, row, e.value))
            e.noNumber = true;
        return e;
    }

    void reference(int column, int row) {
        if (topIs(Op::Range)) {
            stack_.pop_back();
            if (p_.items.empty() || p_.items.back().kind != Item::Kind::Reference) {
                p_.failed = true;
                return;
            }
            const int x = p_.items.back().a, y = p_.items.back().b;
            p_.items.pop_back();
            const int first = static_cast<int>(p_.elements.size());
            if (y == row) {
                for (int c = x; c <= column; ++c)
                    if (!cells_.covered(c, row)) p_.elements.push_back(rangeElement(c, row));
            } else if (x == column) {
                for (int r = y; r <= row; ++r)
                    if (!cells_.covered(column, r)) p_.elements.push_back(rangeElement(column, r));
            } else {
                p_.failed = true;  // neither one row nor one column
                return;
            }
            const int last = static_cast<int>(p_.elements.size());
            if (last == first) {
                p_.failed = true;
                return;
            }
            p_.items.push_back({Item::Kind::List, Op::Group, first, last});
            return;
        }
        if (topIs(Op::List)) {
            stack_.pop_back();
            if (p_.items.empty()) {
                p_.failed = true;
                return;
            }
            Item& prev = p_.items.back();
            ListElement e;
            if (!strictElement(column, row, e)) {
                p_.failed = true;
                return;
            }
            if (prev.kind == Item::Kind::Reference) {
                ListElement x;
                if (!strictElement(prev.a, prev.b, x)) {
                    p_.failed = true;
                    return;
                }
                const int first = static_cast<int>(p_.elements.size());
                p_.elements.push_back(x);
                p_.elements.push_back(e);
                prev = {Item::Kind::List, Op::Group, first, first + 2};
            } else if (prev.kind == Item::Kind::List && prev.b == static_cast<int>(p_.elements.size())) {
                p_.elements.push_back(e);
                ++prev.b;
            } else {
                p_.failed = true;
            }
            return;
        }
        p_.items.push_back({Item::Kind::Reference, Op::Group, column, row});
    }

    // The token holds digits, points, "E" and signs after an "E": its longest
    // prefix that reads as a decimal number, as "%lg" reads it.
    void number(std::string_view text) {
        double v = 0;
        const std::errc ec = std::from_chars(text.data(), text.data() + text.size(), v).ec;
        if (ec == std::errc::result_out_of_range) {
            // Beyond the doubles: the scan's infinity or zero.
            const std::string copy(text);
            scanLg(copy.c_str(), v);
        } else if (ec != std::errc()) {
            p_.failed = true;
            return;
        }
        if (topIs(Op::Range)) {
            // Thinning X:Y:n drops the elements at positions n, 2n, 3n ...
            stack_.pop_back();
            if (p_.items.empty() || p_.items.back().kind != Item::Kind::List ||
                p_.items.back().b != static_cast<int>(p_.elements.size())) {
                p_.failed = true;
                return;
            }
            const double rounded = std::floor(v + 0.5);
            if (!(rounded >= 2)) {
                p_.failed = true;
                return;
            }
            Item& list = p_.items.back();
            const long long step = rounded > 1e9 ? 1000000000LL : static_cast<long long>(rounded);
            int out = list.a;
            for (int pos = list.a; pos < list.b; ++pos)
                if ((pos - list.a + 1) % step != 0) p_.elements[static_cast<std::size_t>(out++)] = p_.elements[static_cast<std::size_t>(pos)];
            p_.elements.resize(static_cast<std::size_t>(out));
            list.b = out;
            return;
        }
        const int first = static_cast<int>(p_.elements.size());
        p_.elements.push_back({v, nullptr, false});
        p_.items.push_back({Item::Kind::List, Op::Group, first, first + 1});
    }

    const CellAccess& cells_;
    Program& p_;
    // Scratch kept from one formula to the next (a table has a million).
    static thread_local std::vector<Op> stack_;
    static thread_local std::string text_;
};

thread_local std::vector<Op> Reader::stack_;
thread_local std::string Reader::text_;

}  // namespace

void Compile(std::string_view text, const CellAccess& cells, Program& out) {
    Reader::resetScratch();
    out.items.clear();
    out.elements.clear();
    out.failed = false;
    Reader(cells, out).run(text);
}

}  // namespace phonotab::formula
