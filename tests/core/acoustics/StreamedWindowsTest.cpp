// The batch tool computes the windows while it reads the series a block at a
// time and keeps only what the windows still need; the desktop computes them
// over the whole series in memory. Both must give the same results to the bit.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/acoustics/WindowStatistics.h"

using namespace phonotab;

namespace {

void expectIdentical(const VariantResults& got, const VariantResults& want, const std::string& what) {
    EXPECT_EQ(got.minima, want.minima) << what;
    EXPECT_EQ(got.maxima, want.maxima) << what;
    EXPECT_EQ(got.leqs, want.leqs) << what;
    EXPECT_EQ(got.durations, want.durations) << what;
    EXPECT_EQ(got.percentiles, want.percentiles) << what;
    EXPECT_EQ(got.classCounts, want.classCounts) << what;
    EXPECT_EQ(got.histogramCount, want.histogramCount) << what;
    EXPECT_EQ(got.leqCount, want.leqCount) << what;
    EXPECT_EQ(got.insufficient, want.insufficient) << what;
    EXPECT_EQ(got.counted, want.counted) << what;
}

// Feeds the scanners as the streamed calculation does: blocks of random
// length appended to a buffer from which everything before the first sample
// a scanner still needs has been dropped.
void scanInBlocks(const std::vector<double>& series, std::vector<std::unique_ptr<WindowScanner>>& scanners,
                  std::mt19937& rng, std::int64_t largestBlock) {
    const auto n = static_cast<std::int64_t>(series.size());
    std::vector<double> held;
    std::int64_t heldFrom = 0;
    for (std::int64_t done = 0; done < n;) {
        std::int64_t needed = done;
        for (const auto& sc : scanners) needed = std::min(needed, sc->neededFrom());
        ASSERT_GE(needed, heldFrom);
        held.erase(held.begin(), held.begin() + (needed - heldFrom));
        heldFrom = needed;
        const std::int64_t count = std::min<std::int64_t>(n - done, 1 + static_cast<std::int64_t>(rng() % largestBlock));
        held.insert(held.end(), series.begin() + done, series.begin() + done + count);
        done += count;
        for (const auto& sc : scanners) sc->advance(held.data(), heldFrom, done);
    }
    for (const auto& sc : scanners) sc->finish();
}

}  // namespace

TEST(StreamedWindows, BlockByBlockEqualsTheWholeSeriesInMemory) {
    std::mt19937 rng(29);
    std::uniform_real_distribution<double> level(15.0, 135.0);
    using Parts = WindowScanner::Parts;
    for (int round = 0; round < 60; ++round) {
        CalcSettings s;
        s.samplePeriod = round % 3 == 0 ? 0.125 : 1.0;
        const std::int64_t n = 500 + static_cast<std::int64_t>(rng() % 6000);
        s.fileSamples = n;
        s.firstSample = 0;
        s.sampleCount = n;
        s.histogram.excludeEdges = rng() % 3 == 0;
        s.histogram.percentiles = {5, 50, 95};
        if (round % 2) {
            s.histogram.width = 0.1 * static_cast<double>(1 + rng() % 20);
            s.histogram.classes = 10 + static_cast<int>(rng() % 1000);
            s.histogram.percentiles = {static_cast<double>(1 + rng() % 50), 50.5, static_cast<double>(51 + rng() % 48)};
        }
        // Overlapping, adjoining and gapped windows, and a single one.
        const std::int64_t step = 1 + static_cast<std::int64_t>(rng() % 300);
        const std::int64_t length = 1 + static_cast<std::int64_t>(rng() % 900);
        const WindowPlan plan = round % 7 == 0 ? WindowPlan::single(n) : WindowPlan::scanning(n, step, length);

        RangeSet ranges(static_cast<double>(n - 1) * s.samplePeriod);
        const double span = ranges.span().end;
        const int zones = static_cast<int>(rng() % 20);
        for (int z = 0; z < zones; ++z) {
            const double a = span * (rng() % 1000) / 1000.0, b = span * (rng() % 1000) / 1000.0;
            if (rng() % 2) {
                ASSERT_TRUE(ranges.AddExclusionZone(a, b).ok());
            } else {
                Corrections c{};
                c[static_cast<std::size_t>(correctionIndex(3, 0))] = static_cast<double>(rng() % 21) - 10.0;
                ASSERT_TRUE(ranges.AddCorrectionZone(a, b, c).ok());
            }
        }
        const std::vector<SampleSegment> segments = classifySamples(ranges, s);
        const std::vector<double> corrections = segmentCorrections(segments, ranges, correctionIndex(3, 0));
        std::vector<double> series(static_cast<std::size_t>(n));
        for (double& v : series) v = rng() % 40 == 0 ? kNoValue : level(rng);

        const VariantRule rules[] = {{true, false}, {false, true}, {false, false}};
        for (const VariantRule& rule : rules) {
            VariantResults inMemory, whole, split;
            computeWindows(series.data(), segments, corrections, rule, plan, s, inMemory);
            // One scanner for everything, and the two halves side by side as
            // with two processors; blocks from a single sample up.
            std::vector<std::unique_ptr<WindowScanner>> one, two;
            one.push_back(std::make_unique<WindowScanner>(segments, corrections, rule, plan, s, whole));
            two.push_back(std::make_unique<WindowScanner>(segments, corrections, rule, plan, s, split, true, Parts::Levels));
            two.push_back(std::make_unique<WindowScanner>(segments, corrections, rule, plan, s, split, true, Parts::Classes));
            scanInBlocks(series, one, rng, 1 + static_cast<std::int64_t>(rng() % 400));
            scanInBlocks(series, two, rng, 1 + static_cast<std::int64_t>(rng() % 400));
            const std::string what = "round " + std::to_string(round) + " rule " +
                                     std::to_string(&rule - rules);
            expectIdentical(whole, inMemory, what + " one scanner");
            expectIdentical(split, inMemory, what + " two scanners");
        }
    }
}
