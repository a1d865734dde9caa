// Full recalculation of a 1000 x 1000 report table with a formula in every cell
// (references to the previous row, ranges, ESUM, lists), against the bound of
// only formatting a million numbers; time and memory per cell. And the HTML
// copy of the whole drawn table (the clipboard and the report document).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/tables/formula/CellNumberFormat.h"
#include "core/tables/FormulaEvaluator.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/TableDrawing.h"
#include "core/tables/io/TableHtml.h"

using namespace phonotab;

namespace {

constexpr int kSize = 1000;
constexpr double kCells = static_cast<double>(kSize) * kSize;

// Columns beyond "ZZ" cannot be named in a formula; their formulas read
// columns further left.
int refColumn(int c) { return c <= MaxReferenceColumn ? c : c - 351; }

std::string formulaFor(int c, int r) {
    if (r == 0) return "60+" + std::to_string(c % 10);
    const std::string prev = std::to_string(r);  // the previous row's number
    auto ref = [&](int dc) { return columnLetters(refColumn(c) - dc) + prev; };
    switch (c % 4) {
        case 0: return ref(0) + "+0.5";
        case 1: return "ESUM(" + ref(1) + ":" + ref(0) + ")-3";
        case 2: return "SUM(" + ref(1) + ";" + ref(0) + ")/2";
        default: return "MAX(" + ref(3) + ":" + ref(0) + ")-1";
    }
}

long residentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

long peakResidentBytes() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss * 1024L;
}

struct BigTable {
    std::unique_ptr<ReportTable> table;
    DisplayTexts shown;
    long residentBefore = 0;
    long residentAfter = 0;
};

BigTable& bigTable() {
    static BigTable b = [] {
        BigTable t;
        t.residentBefore = residentBytes();
        t.table = std::make_unique<ReportTable>(kSize, kSize);
        for (int c = 0; c < kSize; ++c)
            for (int r = 0; r < kSize; ++r)
                t.table->formulas.emplace_hint(t.table->formulas.end(), CellKey{c, r},
                                               CellFormula{formulaFor(c, r), 0.0, FormulaState::Pending});
        t.shown = DrawDisplayTexts(*t.table, {});
        t.residentAfter = residentBytes();
        return t;
    }();
    return b;
}

void BM_RecalculateAll(benchmark::State& state) {
    BigTable& b = bigTable();
    for (auto _ : state) {
        b.table->RequestRecalculation();
        b.shown = DrawDisplayTexts(*b.table, {});
        benchmark::DoNotOptimize(b.shown.at(kSize - 1, kSize - 1).data());
    }
    int failed = 0;
    for (const auto& [k, f] : b.table->formulas) failed += f.state != FormulaState::Valid;
    state.counters["failed_formulas"] = failed;
    state.counters["ns_per_cell"] =
        benchmark::Counter(kCells, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["table_bytes_per_cell"] = static_cast<double>(b.residentAfter - b.residentBefore) / kCells;
    state.counters["peak_rss_bytes_per_cell"] = static_cast<double>(peakResidentBytes()) / kCells;
}

// The bound: what any drawing does for every formula cell, formatting its value.
void BM_FormatEveryCell(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t total = 0;
        for (int i = 0; i < kSize * kSize; ++i) total += FormatCellNumber(1, 60.0 + i % 97 * 0.37).size();
        benchmark::DoNotOptimize(total);
    }
    state.counters["ns_per_cell"] =
        benchmark::Counter(kCells, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_HtmlCopy(benchmark::State& state) {
    BigTable& b = bigTable();
    if (b.shown.rowCount() == 0) b.shown = DrawDisplayTexts(*b.table, {});
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<ClipboardHtml> html = TableClipboardHtml(*b.table, b.shown, HtmlColours::Colour);
        bytes = html ? html->bytes.size() : 0;
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["html_bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_FormatEveryCell)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RecalculateAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Last: its hundred megabytes stay out of the recalculation's peak memory.
BENCHMARK(BM_HtmlCopy)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();
