// A cell macro of N row insertions (or deletions) against one of 2N. The
// insertions go after the last row ("INSCP 12,11", "INSCP 13,12", ...) and
// the deletions take the last row ("DELCP 911", "DELCP 910", ...), so the
// grid's own work stays small; the macro's text grows with N, every insertion
// moves the arguments of all the statements after it and every deletion
// moves the ends of the formulas' ranges. The ratio of the two times shows how
// the run grows: linear about 2, quadratic about 4.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchTiming.h"
#include "core/tables/macros/MacroRunner.h"

using namespace phonotab;

namespace {

constexpr int kSteps = 450;  // and twice as many: the table stays within 1000 rows

class NoDialogs final : public MacroDialogs {
public:
    std::optional<std::string> chooseDataFile() override { return std::nullopt; }
    std::optional<DataSelection> chooseFileParameter(DataTree&, const FileParameterRequest&) override {
        return std::nullopt;
    }
    void showMessage(const Message&) override {}
    std::optional<std::size_t> chooseVariant(const std::vector<std::string>&) override { return std::nullopt; }
    std::optional<std::size_t> chooseOption(const std::string&, const std::vector<std::string>&) override {
        return std::nullopt;
    }
};

enum class Change { Insertions, Deletions };

// Ten rows of formulas, then as many rows as the deletions take.
ReportTable tableWithMacro(Change change, int steps) {
    const int rows = change == Change::Insertions ? 10 : 10 + steps;
    ReportTable t(rows, 6);
    for (int r = 1; r < 10; ++r)
        t.formulas[{1, r}] = CellFormula{"A" + std::to_string(r + 1) + "+SUM(C1:C" + std::to_string(rows) + ")", 0.0,
                                         FormulaState::Pending};
    std::string macro;
    for (int i = 0; i < steps; ++i) {
        if (change == Change::Insertions)
            macro += "INSCP " + std::to_string(11 + i) + "," + std::to_string(10 + i) + "; ";
        else
            macro += "DELCP " + std::to_string(rows - i) + "; ";
    }
    t.macros[{0, 0}] = macro;
    return t;
}

void runMacro(Change change, int steps) {
    ReportTable t = tableWithMacro(change, steps);
    NoDialogs dialogs;
    RunMacro(t, {0, 0}, dialogs, nullptr, TableEnvironment{});
    benchmark::DoNotOptimize(t.rowCount());
}

void BM_MacroInsertions(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) runMacro(Change::Insertions, n);
}

void BM_MacroDeletions(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) runMacro(Change::Deletions, n);
}

// Both sizes timed in one run (best of several), and their ratio.
void ratio(benchmark::State& state, Change change) {
    double r = 0;
    for (auto _ : state) {
        const double once = bench::bestSeconds(15, [change] { runMacro(change, kSteps); });
        const double twice = bench::bestSeconds(15, [change] { runMacro(change, 2 * kSteps); });
        r = twice / once;
    }
    state.counters["time_2N_over_N"] = r;
}
void BM_MacroInsertionsRatio(benchmark::State& state) { ratio(state, Change::Insertions); }
void BM_MacroDeletionsRatio(benchmark::State& state) { ratio(state, Change::Deletions); }

}  // namespace

BENCHMARK(BM_MacroInsertions)->Arg(kSteps)->Arg(2 * kSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroDeletions)->Arg(kSteps)->Arg(2 * kSteps)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroInsertionsRatio)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroDeletionsRatio)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
