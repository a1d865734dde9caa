// Extracting the series of 10 parameters from a record file of over 500 MB,
// against reading the same bytes from the page cache.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchData.h"
#include "DemoData.h"
#include "core/base/MappedFile.h"
#include "core/measurement/MeasurementFile.h"
#include "core/measurement/SeriesReader.h"
#include "core/measurement/TeleDesc.h"
#include "TeleDescSource.h"

using namespace phonotab;

namespace {

constexpr std::int64_t kRecords = 2'900'000;  // × 184 bytes = 534 MB

const std::string& filePath() {
    static const std::string p = bench::largeSlmFile(kRecords);
    return p;
}

const TeleDesc& desc() {
    static const TeleDesc d = [] {
        std::string text, error;
        fixtures::TeleDescSource src;
        readFileText(bench::demoTdscPath(), text);
        fixtures::parseTeleDescSource(text, src, error);
        return *parseTeleDesc(fixtures::writeTeleDesc(src), "Русский");
    }();
    return d;
}

double g_readBytesPerSecond = 0, g_extractBytesPerSecond = 0;

void BM_ReadFromPageCache(benchmark::State& state) {
    const std::string& path = filePath();
    std::vector<char> buf(1 << 20);
    std::size_t total = 0;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        ssize_t n;
        std::size_t sum = 0;
        while ((n = ::read(fd, buf.data(), buf.size())) > 0) {
            sum += static_cast<std::size_t>(n);
            benchmark::DoNotOptimize(buf.data());
        }
        ::close(fd);
        total += sum;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(total));
    state.counters["bytes_per_s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}

void BM_Extract10Parameters(benchmark::State& state) {
    Result<MeasurementFile> f = LoadMeasurementFile(filePath(), FileWorkMode::Records, desc());
    if (!f.ok()) {
        state.SkipWithError("cannot load the file");
        return;
    }
    const std::vector<FieldCode> codes = {0x01300000, 0x01300100, 0x01300200, 0x01300300, 0x01300400,
                                          0x01300001, 0x01100005, 0x01200010, 0x00170002, 0x01100105};
    std::size_t total = 0;
    for (auto _ : state) {
        auto series = ExtractSeries(*f, codes, 0, f->count);
        benchmark::DoNotOptimize(series);
        total += static_cast<std::size_t>(f->count) * f->recordSize;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(total));
    state.counters["bytes_per_s"] = benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs) {
            const double rate = r.counters.count("bytes_per_s") ? static_cast<double>(r.counters.at("bytes_per_s")) : 0;
            if (r.benchmark_name().find("ReadFromPageCache") != std::string::npos) g_readBytesPerSecond = rate;
            if (r.benchmark_name().find("Extract10") != std::string::npos) g_extractBytesPerSecond = rate;
        }
    }
};

}  // namespace

BENCHMARK(BM_ReadFromPageCache)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Extract10Parameters)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    filePath();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (g_readBytesPerSecond > 0)
        std::printf("extraction throughput / page-cache read throughput = %.2f (goal: at least 0.8)\n",
                    g_extractBytesPerSecond / g_readBytesPerSecond);
    return 0;
}
