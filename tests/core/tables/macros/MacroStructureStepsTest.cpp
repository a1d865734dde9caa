// A macro's row and column commands, run with the references brought up to
// date only when read, against the same statements run one by one with every
// text rewritten at each change: the same texts after the run and after each
// undo step.
#include <gtest/gtest.h>

#include <random>

#include "../ScriptedDialogs.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/macros/MacroCommands.h"
#include "core/tables/macros/MacroRunner.h"
#include "core/tables/macros/MacroText.h"

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

    // Commands of a macro, mostly insertions, often at the first row or column.
    std::string command(int rows, int columns) {
        const bool onColumns = chance(50);
        auto where = [&] { return chance(25) ? (onColumns ? "A" : "1") : (onColumns ? column(columns) : row(rows)); };
        const int what = pick(0, 9);
        if (what < 6) return "INSCP " + where() + "," + where();
        if (what < 8) return "DELCP " + where();
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

}  // namespace

TEST(MacroStructureSteps, RunGivesWhatRewritingAtEveryChangeGives) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
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
        for (int i = r.pick(1, 30); i > 0; --i) macro += r.command(rows, columns) + "; ";
        deferred.macros[{0, 0}] = macro;
        deferred.clearUndoHistory();
        ReportTable eager = deferred;

        ScriptedDialogs dialogs;
        ASSERT_EQ(RunMacro(deferred, {0, 0}, dialogs, nullptr, TableEnvironment{}), MacroEnd::Completed);
        MacroChangeLog log(eager);
        for (const std::string& statement : SplitMacroStatements(StripMacroText(macro)))
            RunMacroCommand(eager, statement, log);
        log.flush();

        ASSERT_EQ(contents(deferred), contents(eager)) << "seed " << seed << ": " << macro;
        ASSERT_EQ(deferred.undoHistory().size(), eager.undoHistory().size()) << "seed " << seed;
        while (eager.Undo()) {
            ASSERT_TRUE(deferred.Undo());
            ASSERT_EQ(contents(deferred), contents(eager)) << "seed " << seed << " undone: " << macro;
        }
    }
}
