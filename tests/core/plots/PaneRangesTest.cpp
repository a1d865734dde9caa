#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/plots/CoordinateMap.h"
#include "core/plots/PaneRanges.h"

using namespace phonotab;

namespace {

GraphPane paneWith(const std::vector<double>& v, std::uint32_t flags = 0) {
    GraphPane p;
    EXPECT_EQ(p.addSeries(v.data(), 0, static_cast<std::int64_t>(v.size()), 32), 0);
    p.setFlags(flags);
    p.setVisibleRange({0, static_cast<std::int64_t>(v.size()) - 1});
    return p;
}

}  // namespace

TEST(PaneRanges, ConstantSeriesGetsATenthEitherSidePlusMargins) {
    const std::vector<double> v(10, 50.0);
    const auto st = computePaneRanges(paneWith(v));
    ASSERT_TRUE(st);
    EXPECT_DOUBLE_EQ(st->yMin, 49.9 - 0.01);
    EXPECT_DOUBLE_EQ(st->yMax, 50.1 + 0.01);
    // x: indices 0..9 with dx 1 and 5 % margins.
    EXPECT_DOUBLE_EQ(st->xMin, -0.45);
    EXPECT_DOUBLE_EQ(st->xMax, 9.45);
}

TEST(PaneRanges, StatisticsOfTheDrawnPartsOnly) {
    std::vector<double> a = {1, 2, 3, 4, 5, 6, 7, 8}, b = {10, 20, 30, 40};
    GraphPane p;
    ASSERT_EQ(p.addSeries(a.data(), 0, 8, 32), 0);
    ASSERT_EQ(p.addSeries(b.data(), 2, 4, 33), 0);  // indices 2..5
    p.setSeriesScale(1, 0.5, 1);                     // drawn 6, 11, 16, 21
    p.setVisibleRange({3, 6});
    const auto st = computePaneRanges(p);
    ASSERT_TRUE(st);
    // Raw samples drawn: a[3..6] = 4 5 6 7, b at 3..5 = 20 30 40.
    const std::vector<double> raw = {4, 5, 6, 7, 20, 30, 40};
    double sum = 0, sq = 0;
    for (double v : raw) sum += v, sq += v * v;
    const double mean = sum / raw.size();
    double dev = 0;
    for (double v : raw) dev += (v - mean) * (v - mean);
    EXPECT_DOUBLE_EQ(st->mean, mean);
    EXPECT_NEAR(st->stdDev, std::sqrt(dev / raw.size()), 1e-12);
    EXPECT_NEAR(st->sumSquares, sq, 1e-9);
    EXPECT_EQ(st->firstSeriesMax, 7);
    // Drawn extremes: 4 (first series) and 21 (second, scaled), with margins.
    EXPECT_DOUBLE_EQ(st->yMin, 4 - 0.85);
    EXPECT_DOUBLE_EQ(st->yMax, 21 + 0.85);

    // A series touching the visible range at one end only is not drawn.
    p.setVisibleRange({5, 7});
    EXPECT_DOUBLE_EQ(computePaneRanges(p)->firstSeriesMax, 8);
    EXPECT_EQ(computePaneRanges(p)->samples, 3);
    EXPECT_FALSE(drawnPart(p.series()[1], {5, 7}));
}

TEST(PaneRanges, FixedAndLogarithmicAxes) {
    const std::vector<double> v = {-5, 0, 5, 100};
    auto fixed = paneWith(v, paneflag::kFixedY);
    fixed.setFixedYRange(0, 50);
    EXPECT_EQ(computePaneRanges(fixed)->yMin, 0);
    EXPECT_EQ(computePaneRanges(fixed)->yMax, 50);

    // Non-positive data on a logarithmic axis: it starts at 0.1, no margins.
    const auto log = computePaneRanges(paneWith(v, paneflag::kLogY));
    EXPECT_DOUBLE_EQ(log->yMin, 0.1);
    EXPECT_DOUBLE_EQ(log->yMax, 100);
    const std::vector<double> neg = {-5, -3};
    const auto allNeg = computePaneRanges(paneWith(neg, paneflag::kLogY));
    EXPECT_DOUBLE_EQ(allNeg->yMin, 0.1);
    EXPECT_DOUBLE_EQ(allNeg->yMax, 0.2);

    // No series, nothing drawn.
    EXPECT_FALSE(computePaneRanges(GraphPane{}));
}

TEST(PaneRanges, MarginOfANarrowNegativeRangeKeepsItsOrientation) {
    double lo = -1000 - 1e-13, hi = -1000;
    applyAxisMargin(lo, hi, false);
    EXPECT_LT(lo, hi);
    EXPECT_NEAR(hi - lo, 2.1e-12, 2e-13);
}

TEST(PaneRanges, IgnoresSamplesThatAreNotNumbers) {
    const std::vector<double> v = {1, NAN, 3, INFINITY, 2};
    const auto st = computePaneRanges(paneWith(v));
    EXPECT_DOUBLE_EQ(st->yMin, 1 - 0.1);
    EXPECT_DOUBLE_EQ(st->yMax, 3 + 0.1);
    EXPECT_EQ(st->samples, 3);
}

TEST(CoordinateMap, LinearAndLogarithmicWithInverses) {
    const PlotRect r{10, 20, 411, 321};  // 400 and 300 steps across
    const CoordinateMap lin(r, 0, 100, -10, 20, false, false);
    EXPECT_EQ(lin.px(0), 10);
    EXPECT_EQ(lin.px(100), 410);
    EXPECT_EQ(lin.px(50.1), 210);
    EXPECT_EQ(lin.py(20), 20);
    EXPECT_EQ(lin.py(-10), 320);
    for (int p : {10, 137, 410}) EXPECT_EQ(lin.px(lin.xAt(p)), p);
    for (int p : {20, 99, 320}) EXPECT_EQ(lin.py(lin.yAt(p)), p);

    const CoordinateMap log(r, 1, 1000, 0.1, 1000, true, true);
    EXPECT_EQ(log.px(1), 10);
    EXPECT_EQ(log.px(10), 143);  // a third of 400, rounded
    EXPECT_EQ(log.px(1000), 410);
    EXPECT_EQ(log.py(1000), 20);
    EXPECT_EQ(log.py(10), 170);  // two decades of four below the top
    EXPECT_NEAR(log.xAt(143), 10, 0.1);
    EXPECT_NEAR(log.yAt(170), 10, 1e-9);
    // Values a logarithmic axis cannot show land far below the plot, not in it.
    EXPECT_GT(log.py(0), 100000);
    EXPECT_GT(log.py(-3), 100000);
    EXPECT_GT(lin.py(-1e300), 100000);
}
