// A macro's row and column commands, run with the references and the
// deletions' undo records brought up to date only when read, against the same
// statements run one by one with every text rewritten at each change: the
// same texts and the same undo records after the run, and the same texts after
// each undo and redo step.
#include <gtest/gtest.h>

#include <random>

#include "../ScriptedDialogs.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/macros/MacroCommands.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/macros/MacroText.h"
#include "core/tables/TableCommands.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    std::string row(int rows) { return std::to_string(pick(1, rows + 2)); }
    std::string column(int columns) { return columnLetters(pick(0, columns + 1)); }
    std::string reference(int rows, int columns) {
        return (chance(20) ? "$" : "") + column(columns) + (chance(20) ? "$" : "") + (chance(10) ? "0" : "") + row(rows);
    }
    std::string argument(int rows, int columns) { return chance(50) ? row(rows) : column(columns); }

    std::string formula(int rows, int columns) {
        std::string s = reference(rows, columns);
        for (int i = pick(0, 4); i > 0; --i) {
            switch (pick(0, 3)) {
                case 0: s += "+" + reference(rows, columns); break;
                case 1: s += "+SUM(" + reference(rows, columns) + ":" + reference(rows, columns) + ")"; break;
                case 2: s += ";RHIDE " + argument(rows, columns) + ":" + argument(rows, columns); break;
                default: s += ";SCOPY " + row(rows) + "," + row(rows); break;
            }
        }
        return s;
    }

    // Commands of a macro, mostly insertions and deletions, often at the first
    // row or column; some macros delete more than they insert.
    std::string command(int rows, int columns, int deletePercent) {
        const bool onColumns = chance(50);
        auto where = [&] { return chance(25) ? (onColumns ? "A" : "1") : (onColumns ? column(columns) : row(rows)); };
        if (chance(deletePercent)) return "DELCP " + where();
        const int what = pick(0, 9);
        if (what < 8) return "INSCP " + where() + "," + where();
        if (what == 8) return "SCOPY " + where() + "," + where();
        return "RHIDE " + where();
    }

private:
    std::mt19937 rng_;
};

std::vector<std::pair<CellKey, std::string>> contents(const ReportTable& t) {
    std::vector<std::pair<CellKey, std::string>> out;
    for (const auto& [k, f] : t.formulas) out.emplace_back(k, "=" + f.text);
    for (const auto& [k, m] : t.macros) out.emplace_back(k, "macro " + m);
    for (const auto& [k, s] : t.texts) out.emplace_back(k, "text " + s);
    out.emplace_back(CellKey{t.columnCount(), t.rowCount()}, "size");
    return out;
}

std::string describe(const CellImage& im) {
    std::string s = std::to_string(im.key.column) + "," + std::to_string(im.key.row) + " " +
                    std::to_string(im.cell.flags);
    if (im.text) s += " text " + *im.text;
    if (im.formula) s += " =" + im.formula->text;
    if (im.macro) s += " macro " + *im.macro;
    return s;
}

std::vector<std::string> records(const ReportTable& t) {
    std::vector<std::string> out;
    const UndoHistory& h = t.undoHistory();
    for (std::size_t i = 0; i < h.size(); ++i) {
        const UndoRecord& r = h.at(i);
        std::string s = std::to_string(static_cast<int>(r.kind)) + " " + std::to_string(r.index) + " " +
                        std::to_string(r.templateIndex) + ":";
        for (const CellImage& im : r.cells) s += " [" + describe(im) + "]";
        for (const RewrittenText& w : r.rewritten)
            s += " {" + std::to_string(w.key.column) + "," + std::to_string(w.key.row) + (w.isMacro ? " macro " : " =") +
                 w.text + "}";
        out.push_back(std::move(s));
    }
    out.push_back("at " + std::to_string(h.position()));
    return out;
}

}  // namespace

TEST(MacroStructureSteps, RunGivesWhatRewritingAtEveryChangeGives) {
    for (unsigned seed = 1; seed <= 600; ++seed) {
        Random r(seed);
        const int rows = r.pick(2, 9), columns = r.pick(2, 7);
        ReportTable deferred(rows, columns);
        for (int i = r.pick(1, 12); i > 0; --i) {
            const CellKey k{r.pick(0, columns - 1), r.pick(0, rows - 1)};
            if (r.chance(70))
                deferred.formulas[k] = CellFormula{r.formula(rows, columns), 0.0, FormulaState::Pending};
            else
                deferred.macros[k] = r.formula(rows, columns);
            if (r.chance(30)) deferred.texts[k] = "t" + std::to_string(i);
        }
        std::string macro;
        const int deletePercent = r.pick(0, 60);
        for (int i = r.pick(1, 40); i > 0; --i) macro += r.command(rows, columns, deletePercent) + "; ";
        deferred.macros[{0, 0}] = macro;
        deferred.clearUndoHistory();
        if (r.chance(30)) {  // an earlier edit, undone: the run drops it from the history
            RecordCellsForUndo(deferred, UndoKind::CellText, {{0, 1}});
            deferred.Undo();
        }
        ReportTable eager = deferred;

        ScriptedDialogs dialogs;
        ASSERT_EQ(RunMacro(deferred, {0, 0}, dialogs, nullptr, TableEnvironment{}), MacroEnd::Completed);
        MacroChangeLog log(eager);
        for (const std::string& statement : SplitMacroStatements(StripMacroText(macro)))
            RunMacroCommand(eager, statement, log);
        log.flush();

        ASSERT_EQ(contents(deferred), contents(eager)) << "seed " << seed << ": " << macro;
        ASSERT_EQ(records(deferred), records(eager)) << "seed " << seed << ": " << macro;
        while (eager.Undo()) {
            ASSERT_TRUE(deferred.Undo());
            ASSERT_EQ(contents(deferred), contents(eager)) << "seed " << seed << " undone: " << macro;
        }
        ASSERT_FALSE(deferred.Undo());
        while (eager.Redo()) {
            ASSERT_TRUE(deferred.Redo());
            ASSERT_EQ(contents(deferred), contents(eager)) << "seed " << seed << " redone: " << macro;
        }
        ASSERT_FALSE(deferred.Redo());
    }
}
