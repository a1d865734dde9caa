#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/plots/MinMaxPyramid.h"
#include "core/plots/CurveRaster.h"
#include "core/plots/SeriesDecimator.h"

using namespace phonotab;

TEST(MinMaxPyramid, AnswersEveryRangeLikeAScan) {
    std::mt19937 rng(7);
    std::normal_distribution<double> level(60, 15);
    for (std::size_t n : {1u, 63u, 64u, 65u, 1000u, 4099u}) {
        std::vector<double> v(n);
        for (double& x : v) x = level(rng);
        if (n > 10) v[5] = NAN, v[n - 2] = -INFINITY;  // damaged values are left out
        const MinMaxPyramid pyr(v.data(), n);
        std::uniform_int_distribution<std::size_t> pos(0, n - 1);
        for (int t = 0; t < 300; ++t) {
            std::size_t a = pos(rng), b = pos(rng);
            if (a > b) std::swap(a, b);
            double lo = HUGE_VAL, hi = -HUGE_VAL, sum = 0;
            std::int64_t count = 0;
            for (std::size_t i = a; i <= b; ++i)
                if (std::isfinite(v[i])) lo = std::min(lo, v[i]), hi = std::max(hi, v[i]), sum += v[i], ++count;
            const RangeSummary s = pyr.summary(a, b);
            ASSERT_EQ(s.count, count) << n << " [" << a << ", " << b << "]";
            if (count == 0) continue;
            ASSERT_EQ(s.min, lo);
            ASSERT_EQ(s.max, hi);
            ASSERT_NEAR(s.rawSum(), sum, 1e-9 * std::fabs(sum) + 1e-9);
            double mn = 0, mx = 0;
            ASSERT_TRUE(pyr.minMax(a, b, mn, mx));
            ASSERT_EQ(mn, lo);
            ASSERT_EQ(mx, hi);
        }
    }
    // Ranges past the end are clipped; inverted ones are empty.
    const std::vector<double> v = {3, 1, 2};
    const MinMaxPyramid pyr(v.data(), v.size());
    EXPECT_EQ(pyr.summary(1, 99).count, 2);
    EXPECT_EQ(pyr.summary(2, 1).count, 0);
    EXPECT_EQ(pyr.summary(7, 9).count, 0);
}


TEST(SeriesDecimator, DrawsTheSamePixelsAsThePolylineOfAllSamples) {
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0, 4);
    struct Case {
        std::int64_t count;
        IndexRange visible;
        bool logY;
    } cases[] = {{200000, {0, 199999}, false},  // ~500 samples per column
                 {200000, {1234, 56789}, false},
                 {1500, {0, 1499}, false},      // a few samples per column
                 {300, {0, 299}, false},        // fewer samples than columns
                 {50000, {0, 49999}, true}};
    for (const Case& c : cases) {
        std::vector<double> v(static_cast<std::size_t>(c.count));
        double walk = 60;
        for (double& x : v) {
            walk += noise(rng);
            x = c.logY ? std::fabs(walk) + 1 : walk;
        }
        GraphSeries s;
        s.samples = v.data();
        s.first = 100;
        s.last = 100 + c.count - 1;
        s.scale = -0.5;  // a negative scale swaps minimum and maximum
        s.offset = 200;
        s.pyramid = std::make_shared<MinMaxPyramid>(v.data(), v.size());
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        for (double x : v) lo = std::min(lo, s.drawn(x)), hi = std::max(hi, s.drawn(x));
        const CoordinateMap map({40, 10, 440, 310}, 100 + c.visible.first, 100 + c.visible.last, lo, hi, false, c.logY);
        SeriesMapping m;
        m.map = &map;
        const IndexRange part{100 + c.visible.first, 100 + c.visible.last};

        std::vector<ScenePoint> reduced, full;
        decimateSeries(s, part, m, reduced);
        for (std::int64_t k = part.first; k <= part.last; ++k)
            full.push_back({map.px(static_cast<double>(k)), map.py(s.drawn(s.raw(k)))});
        EXPECT_LE(reduced.size(), 4u * 400u) << c.count;
        std::vector<ColumnRun> a, b;
        rasterisePolyline(reduced, map.plot(), a);
        rasterisePolyline(full, map.plot(), b);
        EXPECT_EQ(a, b) << c.count;
        EXPECT_LE(a.size(), 400u);  // one run per column
    }
}

TEST(SeriesDecimator, ClampsToTheFixedRangeAndSkipsDamagedSamples) {
    const std::vector<double> v = {0, 50, NAN, 150, 100};
    GraphSeries s;
    s.samples = v.data();
    s.last = 4;
    s.pyramid = std::make_shared<MinMaxPyramid>(v.data(), v.size());
    const CoordinateMap map({0, 0, 5, 101}, 0, 4, 0, 100, false, false);
    SeriesMapping m;
    m.map = &map;
    m.clamp = true;
    m.clampLo = 0;
    m.clampHi = 100;
    std::vector<ScenePoint> pts;
    decimateSeries(s, {0, 4}, m, pts);
    EXPECT_EQ(pts, (std::vector<ScenePoint>{{0, 100}, {1, 50}, {3, 0}, {4, 0}}));
}

TEST(CurveRaster, SegmentsCoverTheirEndsWithoutGaps) {
    const PlotRect clip{0, 0, 100, 100};
    struct Case {
        std::vector<ScenePoint> points;
        std::vector<ColumnRun> runs;
    } cases[] = {
        {{{5, 10}, {5, 3}}, {{5, 3, 10}}},                      // within one column
        {{{0, 0}, {4, 2}}, {{0, 0, 0}, {1, 1, 1}, {2, 1, 1}, {3, 2, 2}, {4, 2, 2}}},  // shallow
        {{{0, 0}, {2, 7}}, {{0, 0, 1}, {1, 2, 5}, {2, 6, 7}}},  // steep: rows split by nearest column
        {{{0, 7}, {2, 0}}, {{0, 6, 7}, {1, 2, 5}, {2, 0, 1}}},  // the same upwards
        {{{3, 3}}, {{3, 3, 3}}},                                // a single point
        // Clipped to the plot: the steep way back reaches row 99 only past it.
        {{{98, 5}, {98, 500}, {120, 5}}, {{98, 5, 99}}},
        {{{-50, 200}, {-10, 50}}, {}},
    };
    for (const Case& c : cases) {
        std::vector<ColumnRun> runs;
        rasterisePolyline(c.points, clip, runs);
        EXPECT_EQ(runs, c.runs) << c.points[0].x << "," << c.points[0].y;
    }
    std::vector<ColumnRun> across;
    rasterisePolyline({{-50000, 50}, {150000, 50}}, clip, across);
    EXPECT_EQ(across.size(), 100u);
}
