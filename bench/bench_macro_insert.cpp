// A cell macro of N row insertions against one of 2N. Each inserts after the
// last row ("INSCP 12,11", "INSCP 13,12", ...), so the grid's own work stays
// small; the macro's text grows with N and every insertion moves the
// arguments of all the statements after it. The ratio of the two times shows
// how the run grows: linear about 2, quadratic about 4.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchTiming.h"
#include "core/tables/macros/MacroRunner.h"

using namespace phonotab;

namespace {

constexpr int kInsertions = 450;  // and twice as many: the table stays within 1000 rows

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

ReportTable tableWithMacro(int insertions) {
    ReportTable t(10, 6);
    for (int r = 1; r < 10; ++r)
        t.formulas[{1, r}] = CellFormula{"A" + std::to_string(r + 1) + "+SUM(C1:C" + std::to_string(r + 1) + ")", 0.0,
                                         FormulaState::Pending};
    std::string macro;
    for (int i = 0; i < insertions; ++i) macro += "INSCP " + std::to_string(11 + i) + "," + std::to_string(10 + i) + "; ";
    t.macros[{0, 0}] = macro;
    return t;
}

void runMacro(int insertions) {
    ReportTable t = tableWithMacro(insertions);
    NoDialogs dialogs;
    RunMacro(t, {0, 0}, dialogs, nullptr, TableEnvironment{});
    benchmark::DoNotOptimize(t.rowCount());
}

void BM_MacroInsertions(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) runMacro(n);
}

// Both sizes timed in one run (best of several), and their ratio.
void BM_MacroInsertionsRatio(benchmark::State& state) {
    double ratio = 0;
    for (auto _ : state) {
        const double once = bench::bestSeconds(15, [] { runMacro(kInsertions); });
        const double twice = bench::bestSeconds(15, [] { runMacro(2 * kInsertions); });
        ratio = twice / once;
    }
    state.counters["time_2N_over_N"] = ratio;
}

}  // namespace

BENCHMARK(BM_MacroInsertions)->Arg(kInsertions)->Arg(2 * kInsertions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacroInsertionsRatio)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
