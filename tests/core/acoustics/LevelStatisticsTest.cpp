#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/PercentileTracker.h"

using namespace phonotab;

TEST(ClassIndex, BoundariesAndEdges) {
    HistogramSettings h;  // 20 dB, 1 dB, 100 classes
    struct Case {
        double level;
        int included, excluded;
    } cases[] = {{19.99, 0, -1}, {20.0, 1, 0}, {50.3, 31, 30}, {51.0, 32, 31}, {119.99, 100, 99},
                 {120.0, 101, -1}, {500, 101, -1}, {-40, 0, -1}};
    for (const auto& c : cases) {
        h.excludeEdges = false;
        EXPECT_EQ(ClassIndex(h, c.level), c.included) << c.level;
        h.excludeEdges = true;
        EXPECT_EQ(ClassIndex(h, c.level), c.excluded) << c.level;
    }
    h.excludeEdges = false;
    h.width = 0;  // unusable classes never divide by zero
    EXPECT_EQ(ClassIndex(h, 50), 101);
}

TEST(ClassIndex, TheIndexerAgreesWithTheDivisionOnEdgesAndRandomLevels) {
    // Widths that are not binary fractions put levels right at a class edge
    // where a product and a quotient could part.
    std::mt19937_64 rng(11);
    for (const auto& [lower, width, classes] : {std::tuple{20.0, 1.0, 100}, {0.0, 0.1, 1500}, {-10.5, 0.3, 700},
                                                 {30.0, 0.7, 3}, {25.0, 2.5, 40}, {1e-3, 1e-3, 100000}}) {
        HistogramSettings h;
        h.lower = lower;
        h.width = width;
        h.classes = classes;
        std::uniform_real_distribution<double> level(lower - 5, h.upper() + 5);
        std::vector<double> levels = {lower, h.upper(), std::nextafter(h.upper(), 0.0), -1e300, 1e300, NAN};
        for (int k = 0; k <= classes; k += std::max(1, classes / 300)) {
            const double edge = lower + k * width;
            levels.insert(levels.end(), {edge, std::nextafter(edge, -1e9), std::nextafter(edge, 1e9)});
        }
        for (int i = 0; i < 20000; ++i) levels.push_back(level(rng));
        for (bool exclude : {false, true}) {
            h.excludeEdges = exclude;
            const ClassIndexer indexer(h);
            for (double v : levels) ASSERT_EQ(indexer(v), ClassIndex(h, v)) << v << " width " << width;
        }
    }
}

TEST(Percentiles, TheTrackerFollowsChangingCountsLikeSummingFromTheBottom) {
    // Windows sliding over random levels: samples enter and leave a few at a
    // time, with jumps, empty and thin windows; every window's values must be
    // those of summing the same counts from the lowest class.
    std::mt19937 rng(5);
    for (int round = 0; round < 60; ++round) {
        HistogramSettings h;
        h.classes = 1 + static_cast<int>(rng() % 60);
        h.excludeEdges = rng() % 2 == 0;
        h.percentiles.clear();
        for (int p = 1 + static_cast<int>(rng() % 5); p > 0; --p) h.percentiles.insert(1 + rng() % 99 + (rng() % 2) * 0.5);
        std::vector<int> classes(static_cast<std::size_t>(h.counterCount()), 0);
        PercentileTracker tracker(h, classes);
        std::vector<std::size_t> inWindow;  // the classes of the samples in the window, oldest first
        std::vector<std::vector<double>> tracked, summed;
        bool trackedInsufficient = false, summedInsufficient = false;
        for (int window = 0; window < 300; ++window) {
            const int leave = static_cast<int>(rng() % 30), enter = static_cast<int>(rng() % 30);
            for (int i = 0; i < leave && !inWindow.empty(); ++i) {
                --classes[inWindow.front()];
                tracker.countChanged(inWindow.front(), -1);
                inWindow.erase(inWindow.begin());
            }
            const std::size_t centre = rng() % classes.size();
            for (int i = 0; i < enter; ++i) {
                const std::size_t c = rng() % 4 == 0 ? rng() % classes.size() : std::min(classes.size() - 1, centre + rng() % 3);
                ++classes[c];
                tracker.countChanged(c, 1);
                inWindow.push_back(c);
            }
            // Samples outside every class (edges excluded) count in the total only.
            const std::int64_t total = static_cast<std::int64_t>(inWindow.size()) + (h.excludeEdges ? rng() % 3 : 0);
            tracker.append(total, tracked, trackedInsufficient);
            ComputePercentiles(h, classes, total, summed, summedInsufficient);
            ASSERT_EQ(tracked, summed) << "round " << round << " window " << window;
            ASSERT_EQ(trackedInsufficient, summedInsufficient);
        }
    }
}

TEST(Percentiles, UpperEdgeOfTheClassAndTheInsufficientFlag) {
    HistogramSettings h;
    h.percentiles = {5, 95};
    for (int n : {100, 99}) {
        LevelAccumulator acc;
        acc.reset(h);
        for (int i = 0; i < n; ++i) AccumulateSample(h, 50.3, acc);
        std::vector<std::vector<double>> p;
        bool insufficient = false;
        ComputePercentiles(h, acc.classes, n, p, insufficient);
        ASSERT_EQ(p.size(), 2u);
        EXPECT_EQ(p[0], std::vector<double>{51});
        EXPECT_EQ(p[1], std::vector<double>{51});
        EXPECT_EQ(insufficient, n < 100);
        EXPECT_EQ(acc.minimum, 50.3);
        EXPECT_NEAR(10 * std::log10(acc.energy / n), 50.3, 1e-9);
    }
}

TEST(Percentiles, EdgeClassesAndEmptyWindows) {
    HistogramSettings h;
    h.percentiles = {10, 50, 90};
    std::vector<int> classes(102, 0);
    classes[0] = 20;    // below 20 dB
    classes[101] = 80;  // at or above 120 dB
    std::vector<std::vector<double>> p;
    bool insufficient = false;
    ComputePercentiles(h, classes, 100, p, insufficient);
    // Below the lower bound reads as the lower bound; above as upper + width.
    EXPECT_EQ(p[2], std::vector<double>{20});   // L90: 10 % above → within the lowest 20 %
    EXPECT_EQ(p[1], std::vector<double>{121});
    EXPECT_EQ(p[0], std::vector<double>{121});
    EXPECT_FALSE(insufficient);
    // Nothing counted: 0 for every percentile (rows stay one value per window), and the flag.
    ComputePercentiles(h, std::vector<int>(102, 0), 0, p, insufficient);
    EXPECT_EQ(p[0], (std::vector<double>{121, 0}));
    EXPECT_EQ(p[2], (std::vector<double>{20, 0}));
    EXPECT_TRUE(insufficient);
    // Edges excluded and every level outside: no class reaches any percentile.
    h.excludeEdges = true;
    std::vector<std::vector<double>> unreached;
    ComputePercentiles(h, std::vector<int>(100, 0), 150, unreached, insufficient);
    EXPECT_EQ(unreached, (std::vector<std::vector<double>>(3, std::vector<double>{0})));
}

TEST(CalcSettingsCheck, ValuesThatBreakTheCalculationAreRefused) {
    struct Case {
        double lower, width;
        int classes;
        std::set<double> percentiles;
        double interval, step;
        int refusal;  // 0: accepted
    } cases[] = {
        {20, 1, 100, {5, 95}, 10, 10, 0},
        {20, 0.25, 1, {0.5, 99.9}, 0.1, 60, 0},
        {20, 0, 100, {5}, 10, 10, msg::ClassWidthNotPositive},
        {20, -1, 100, {5}, 10, 10, msg::ClassWidthNotPositive},
        {20, 1, 0, {5}, 10, 10, msg::ClassCountOutOfRange},
        {20, 1, kMaxHistogramClasses, {5}, 10, 10, 0},  // the most classes there may be
        {20, 1, kMaxHistogramClasses + 1, {5}, 10, 10, msg::ClassCountOutOfRange},
        {20, 1, 100, {-3, 150}, 10, 10, msg::PercentileOutOfRange},
        {20, 1, 100, {100}, 10, 10, msg::PercentileOutOfRange},
        {20, 1, 100, {0}, 10, 10, msg::PercentileOutOfRange},
        {20, 1, 100, {5}, -5, 1, msg::ScanNotPositive},
        {20, 1, 100, {5}, 10, 0, msg::ScanNotPositive},
    };
    for (const Case& c : cases) {
        CalcSettings s;
        s.scanning = true;
        s.histogram.lower = c.lower;
        s.histogram.width = c.width;
        s.histogram.classes = c.classes;
        s.histogram.percentiles = c.percentiles;
        s.scanInterval = c.interval;
        s.scanStep = c.step;
        const Status st = checkCalcSettings(s);
        EXPECT_EQ(st.ok() ? 0 : st.error().id, c.refusal) << c.width << " " << c.classes << " " << c.interval;
        s.scanning = false;  // scan values matter only when scanning
        if (c.refusal == msg::ScanNotPositive) {
            EXPECT_TRUE(checkCalcSettings(s).ok());
        }
    }
}

// A share that reaches 1 − n/100 exactly does not exceed it: the percentile
// moves on to the next class. Half the samples at 60.5 dB, half at 61.5 dB.
TEST(Percentiles, AShareExactlyAtTheFractionTakesTheNextClass) {
    for (bool excludeEdges : {false, true}) {
        HistogramSettings h;  // 20 dB, 1 dB, 100 classes
        h.excludeEdges = excludeEdges;
        h.percentiles = {50};
        LevelAccumulator acc;
        acc.reset(h);
        for (int i = 0; i < 50; ++i) {
            AccumulateSample(h, 60.5, acc);
            AccumulateSample(h, 61.5, acc);
        }
        std::vector<std::vector<double>> p;
        bool insufficient = false;
        ComputePercentiles(h, acc.classes, 100, p, insufficient);
        EXPECT_EQ(p, (std::vector<std::vector<double>>{{62}})) << "edges excluded: " << excludeEdges;
        EXPECT_FALSE(insufficient);
    }
}

TEST(Percentiles, TextOfTheSettingsDialog) {
    EXPECT_EQ(parsePercentileText("95 5  5 abc 50"), (std::set<double>{5, 50, 95}));
    EXPECT_EQ(parsePercentileText("nan 10"), (std::set<double>{10}));
    EXPECT_EQ(parsePercentileText("2,5 97.5 50"), (std::set<double>{2.5, 50, 97.5}));  // a decimal comma is no cut
    EXPECT_EQ(formatPercentileText({5, 50, 95.5}), "5 50 95.5");
}

TEST(StoredHistogram, Evaluation) {
    HistogramSettings h;
    std::vector<double> counts(kStoredClasses, 0.0);
    counts[400] = 1000;  // 100.0 – 100.25 dB
    LevelAccumulator acc;
    acc.reset(h);
    StoredHistogramValues v = EvaluateStoredHistogram(h, counts.data(), acc, 0.1);
    ASSERT_TRUE(v.hasValue);
    EXPECT_EQ(v.minimum, 100.0);
    EXPECT_EQ(v.maximum, 100.0);
    EXPECT_NEAR(v.leq, 100.125, 1e-9);
    EXPECT_DOUBLE_EQ(v.duration, 100.0);
    EXPECT_EQ(v.total, 1000);
    EXPECT_EQ(acc.classes[81], 1000);  // 100.125 dB in class [100, 101)

    LevelAccumulator empty;
    empty.reset(h);
    v = EvaluateStoredHistogram(h, std::vector<double>(kStoredClasses, 0.0).data(), empty, 0.1);
    EXPECT_FALSE(v.hasValue);
    EXPECT_EQ(v.minimum, 256.0);
    EXPECT_EQ(v.maximum, 0.0);
}

TEST(LevelArithmetic, EnergyAverage) {
    EXPECT_NEAR(energyLevel(levelEnergy(60) + levelEnergy(70), 2), 67.403627, 1e-6);
    EXPECT_NEAR(levelEnergy(37.5), std::pow(10.0, 3.75), 1e-9 * std::pow(10.0, 3.75));
}
