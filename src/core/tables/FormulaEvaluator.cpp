#include "core/tables/FormulaEvaluator.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/base/LargeVector.h"
#include "core/tables/formula/CellNumberFormat.h"
#include "core/tables/formula/FormulaProgram.h"

namespace phonotab {

namespace {

using formula::Item;
using formula::Op;
using formula::Program;

// The "#book#index" form: the value of a reference-book entry.
void evaluateBookFormula(CellFormula& f, const ReferenceBookLookup* books) {
    f.state = FormulaState::Failed;
    const std::string& t = f.text;
    const std::size_t second = t.find('#', 1);
    if (second == std::string::npos || !books) return;
    const std::string_view name(t.data() + 1, second - 1);
    // The index is read like " %d ": blanks, an optional sign, digits.
    std::size_t i = second + 1;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n' || t[i] == '\r' || t[i] == '\v' || t[i] == '\f'))
        ++i;
    const char* begin = t.data() + i;
    if (i < t.size() && t[i] == '+') ++begin;
    long long index = 0;
    const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), index);
    if (ec != std::errc() || end == begin) return;
    // A negative index fails like one beyond the book.
    if (index < 0) return;
    if (const std::optional<double> v = books->referenceValue(name, index)) {
        f.value = *v;
        f.state = FormulaState::Valid;
    }
}

// Runs a postfix program on a stack of value lists, kept flat: all values in one
// vector and the start of each list in another.
class Machine {
public:
    bool run(const Program& p, const formula::CellAccess& cells, double& result) {
        vals_.clear();
        starts_.clear();
        for (const Item& it : p.items) {
            switch (it.kind) {
                case Item::Kind::Reference: {
                    double v = 0;
                    if (cells.covered(it.a, it.b)) return false;
                    if (CellFormula* f = cells.formulaAt(it.a, it.b)) {
                        if (!f->valid()) return false;
                        v = f->value;
                    } else if (!cells.textNumber(it.a, it.b, v)) {
                        return false;
                    }
                    starts_.push_back(vals_.size());
                    vals_.push_back(v);
                    break;
                }
                case Item::Kind::List:
                    starts_.push_back(vals_.size());
                    for (int e = it.a; e < it.b; ++e) {
                        const formula::ListElement& el = p.elements[static_cast<std::size_t>(e)];
                        if (el.noNumber) return false;
                        if (el.formula) {
                            if (!el.formula->valid()) return false;
                            vals_.push_back(el.formula->value);
                        } else {
                            vals_.push_back(el.value);
                        }
                    }
                    break;
                case Item::Kind::Operator:
                    if (!apply(it.op)) return false;
                    break;
            }
        }
        if (starts_.size() != 1 || vals_.size() != 1) return false;
        result = vals_[0];
        return true;
    }

private:
    std::size_t topStart() const { return starts_.back(); }

    static bool reducing(Op op) {
        return op == Op::Esum || op == Op::Max || op == Op::Min || op == Op::Sum || op == Op::Sqrt;
    }

    // The operator on the top list alone.
    bool unary(Op op) {
        const std::size_t s = topStart();
        const std::size_t n = vals_.size() - s;
        if (n == 0) return false;
        double* v = vals_.data() + s;
        switch (op) {
            case Op::Esum: {
                double e = 0;
                for (std::size_t i = 0; i < n; ++i) e += std::pow(10.0, v[i] / 10.0);
                v[0] = 10.0 * std::log10(e);
                vals_.resize(s + 1);
                return true;
            }
            case Op::Max:
            case Op::Min: {
                double m = v[0];
                for (std::size_t i = 1; i < n; ++i)
                    if (op == Op::Max ? v[i] > m : v[i] < m) m = v[i];
                v[0] = m;
                vals_.resize(s + 1);
                return true;
            }
            case Op::Sum: {
                double sum = 0;
                for (std::size_t i = 0; i < n; ++i) sum += v[i];
                v[0] = sum;
                vals_.resize(s + 1);
                return true;
            }
            case Op::Sqrt:
                for (std::size_t i = 0; i < n; ++i) v[i] = std::sqrt(v[i]);
                return true;
            case Op::Minus:
                for (std::size_t i = 0; i < n; ++i) v[i] = -v[i];
                return true;
            case Op::Plus: return true;
            default: return false;
        }
    }

    static bool elementwise(Op op, double a, double b, double& r) {
        switch (op) {
            case Op::Plus: r = a + b; return true;
            case Op::Minus: r = a - b; return true;
            case Op::Multiply: r = a * b; return true;
            case Op::Divide: r = a / b; return true;
            case Op::Power: r = std::pow(a, b); return true;
            case Op::Lin: r = b * std::pow(10.0, a / 20.0); return true;
            case Op::Log:
                if (!(a / b > 0) && !std::isnan(a / b)) return false;
                r = 20.0 * std::log10(a / b);
                return true;
            case Op::Vatovs: r = a + 20.0 * std::log10(10.0 / (std::numbers::pi * b)); return true;
            default: return false;
        }
    }

    bool binary(Op op) {
        const std::size_t bStart = starts_.back();
        const std::size_t aStart = starts_[starts_.size() - 2];
        const std::size_t nb = vals_.size() - bStart;
        const std::size_t na = bStart - aStart;
        double* v = vals_.data();
        if (op == Op::Wsum) {
            if (na != nb && nb != 1) return false;
            double e = 0;
            for (std::size_t i = 0; i < na; ++i) e += v[bStart + (nb == 1 ? 0 : i)] * std::pow(10.0, v[aStart + i] / 10.0);
            v[aStart] = 10.0 * std::log10(e);
            vals_.resize(aStart + 1);
        } else if (na == nb || nb == 1) {
            if (op == Op::Vatovs && na != nb) return false;
            for (std::size_t i = 0; i < na; ++i)
                if (!elementwise(op, v[aStart + i], v[bStart + (nb == 1 ? 0 : i)], v[aStart + i])) return false;
            vals_.resize(aStart + na);
        } else if (na == 1 && (op == Op::Plus || op == Op::Minus || op == Op::Multiply || op == Op::Divide ||
                               op == Op::Power)) {
            const double a = v[aStart];
            for (std::size_t i = 0; i < nb; ++i) elementwise(op, a, v[bStart + i], v[aStart + i]);
            vals_.resize(aStart + nb);
        } else {
            return false;
        }
        starts_.pop_back();
        return true;
    }

    bool apply(Op op) {
        if (starts_.empty()) return false;
        if (reducing(op) || starts_.size() == 1) return unary(op);
        return binary(op);
    }

    std::vector<double> vals_;
    std::vector<std::size_t> starts_;
};

// The table as the formula reader sees it. Large tables get a dense index from
// cell to formula so that references need no map search.
class TableCells final : public formula::CellAccess {
public:
    // resetAll: every formula is set to Pending on the way (one walk of the
    // formulas instead of two).
    TableCells(ReportTable& t, const DisplayTexts& shown, bool resetAll = false) : t_(t), shown_(shown) {
        if (t.formulas.size() >= 512) {
            const std::size_t cells = static_cast<std::size_t>(t.rowCount()) * static_cast<std::size_t>(t.columnCount());
            index_.reserve(cells);
            adviseHugePages(index_.data(), cells * sizeof(CellFormula*));
            index_.assign(cells, nullptr);
            for (auto& [k, f] : t.formulas) {
                if (resetAll) f.state = FormulaState::Pending;
                if (t.inside(k)) index_[slot(k.column, k.row)] = &f;
            }
        } else if (resetAll) {
            ResetFormulas(t);
        }
    }
    int rowCount() const override { return t_.rowCount(); }
    int columnCount() const override { return t_.columnCount(); }
    bool covered(int column, int row) const override { return t_.covered(column, row); }
    CellFormula* formulaAt(int column, int row) const override {
        if (!index_.empty()) return index_[slot(column, row)];
        auto it = t_.formulas.find({column, row});
        return it == t_.formulas.end() ? nullptr : &it->second;
    }
    bool textNumber(int column, int row, double& out) const override {
        const std::optional<double> v = ParseCellNumber(shown_.at(column, row));
        if (!v) return false;
        out = *v;
        return true;
    }

private:
    std::size_t slot(int column, int row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(t_.columnCount()) + static_cast<std::size_t>(column);
    }
    ReportTable& t_;
    const DisplayTexts& shown_;
    std::vector<CellFormula*> index_;
};

// Depth-first evaluation with an explicit stack of formulas in progress.
class Evaluator {
public:
    Evaluator(ReportTable& t, const DisplayTexts& shown, const ReferenceBookLookup* books, bool resetAll = false)
        : cells_(t, shown, resetAll), books_(books) {}

    void evaluate(CellFormula& root) {
        if (!start(root)) return;
        while (depth_ > 0) {
            Frame& f = frames_[depth_ - 1];
            if (f.nextDep < f.deps.size()) {
                CellFormula* d = f.deps[f.nextDep++];
                if (d->state == FormulaState::Pending) start(*d);  // may push a frame
                continue;
            }
            finish(f);
            --depth_;
        }
    }

    const formula::CellAccess& cells() const { return cells_; }

private:
    struct Frame {
        CellFormula* formula = nullptr;
        Program program;
        std::vector<CellFormula*> deps;
        std::size_t nextDep = 0;
    };

    // Begins a formula: finishes at once the empty and the reference-book forms
    // and the texts that do not read; otherwise pushes a frame that evaluates
    // its dependencies first. True when a frame was pushed.
    bool start(CellFormula& f) {
        if (f.text.empty()) {
            f.state = FormulaState::Failed;
            return false;
        }
        if (f.text[0] == '#') {
            evaluateBookFormula(f, books_);
            return false;
        }
        f.state = FormulaState::Evaluating;
        // Frames are kept when popped: their lists keep their room for the
        // next formula at that depth, a million formulas need no allocation.
        if (depth_ == frames_.size()) frames_.emplace_back();
        Frame& fr = frames_[depth_];
        fr.formula = &f;
        fr.deps.clear();
        fr.nextDep = 0;
        formula::Compile(f.text, cells_, fr.program);
        if (fr.program.failed) {
            f.state = FormulaState::Failed;
            return false;
        }
        for (const Item& it : fr.program.items) {
            if (it.kind == Item::Kind::Reference) {
                if (!cells_.covered(it.a, it.b))
                    if (CellFormula* d = cells_.formulaAt(it.a, it.b)) fr.deps.push_back(d);
            } else if (it.kind == Item::Kind::List) {
                for (int e = it.a; e < it.b; ++e)
                    if (CellFormula* d = fr.program.elements[static_cast<std::size_t>(e)].formula) fr.deps.push_back(d);
            }
        }
        ++depth_;
        return true;
    }

    void finish(Frame& f) {
        double v = 0;
        if (machine_.run(f.program, cells_, v)) {
            f.formula->value = v;
            f.formula->state = FormulaState::Valid;
        } else {
            f.formula->state = FormulaState::Failed;
        }
    }

    TableCells cells_;
    const ReferenceBookLookup* books_;
    std::vector<Frame> frames_;  // [0, depth_) in progress, the rest kept for reuse
    std::size_t depth_ = 0;
    Machine machine_;
};

}  // namespace

void EvaluateFormula(ReportTable& table, const DisplayTexts& shown, CellKey key, const ReferenceBookLookup* books) {
    auto it = table.formulas.find(key);
    if (it == table.formulas.end() || !table.inside(key)) return;
    Evaluator(table, shown, books).evaluate(it->second);
}

void EvaluatePendingFormulas(ReportTable& table, const DisplayTexts& shown, const ReferenceBookLookup* books) {
    Evaluator ev(table, shown, books);
    for (auto& [k, f] : table.formulas)
        if (f.state == FormulaState::Pending && table.inside(k)) ev.evaluate(f);
}

void EvaluateAllFormulas(ReportTable& table, const DisplayTexts& shown, const ReferenceBookLookup* books) {
    Evaluator ev(table, shown, books, true);
    for (auto& [k, f] : table.formulas)
        if (f.state == FormulaState::Pending && table.inside(k)) ev.evaluate(f);
}

void ResetFormulas(ReportTable& table) {
    for (auto& [k, f] : table.formulas) f.state = FormulaState::Pending;
}

std::optional<double> EvaluateFormulaText(ReportTable& table, const DisplayTexts& shown, std::string_view text,
                                          const ReferenceBookLookup* books) {
    CellFormula f;
    f.text = std::string(text);
    Evaluator(table, shown, books).evaluate(f);
    if (!f.valid()) return std::nullopt;
    return f.value;
}

}  // namespace phonotab
