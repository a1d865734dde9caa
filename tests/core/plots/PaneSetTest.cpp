#include <gtest/gtest.h>

#include <vector>

#include "core/plots/PaneSet.h"

using namespace phonotab;

TEST(GraphPane, AddSeriesResults) {
    const std::vector<double> v(10, 1.0);
    GraphPane p;
    EXPECT_EQ(p.addSeries(v.data(), 0, 1, 32), GraphPane::kTooShort);
    EXPECT_EQ(p.addSeries(v.data(), 0, 0, 32), GraphPane::kTooShort);
    for (int i = 0; i < GraphPane::kMaxSeries; ++i) ASSERT_EQ(p.addSeries(v.data(), i, 2, 32), 0);
    EXPECT_EQ(p.addSeries(v.data(), 0, 10, 32), GraphPane::kPaneFull);
    EXPECT_EQ(p.series().size(), 100u);
}

TEST(PaneSet, SeriesWidenTheFullRange) {
    const std::vector<double> v(100, 1.0);
    PaneSet set;
    set.addPane(7);
    set.addPane(3);
    EXPECT_EQ(set.addSeries(5, v.data(), 0, 10, 32), 1);  // no such pane
    EXPECT_EQ(set.addSeries(7, v.data(), 1, 1, 32), 2);
    EXPECT_EQ(set.addSeries(7, v.data(), 10, 20, 32), 0);
    EXPECT_EQ(set.addSeries(3, v.data(), 5, 50, 32), 0);
    EXPECT_EQ(set.fullRange(), (IndexRange{5, 54}));
    EXPECT_EQ(set.seriesCount(), 2);
    EXPECT_EQ(set.visibleRange(), (IndexRange{5, 54}));  // first use: the full range
    EXPECT_FALSE(set.zoomed());
}

TEST(PaneSet, ScrollAndZoomStayInsideTheFullRange) {
    const std::vector<double> v(100, 1.0);
    PaneSet set;
    set.addPane(0);
    set.scrollTo(0, 10);  // no series yet: nothing happens
    EXPECT_FALSE(set.zoomed());
    ASSERT_EQ(set.addSeries(0, v.data(), 10, 100, 32), 0);  // indices 10..109
    struct Case {
        std::int64_t s, n;
        IndexRange expected;
    } cases[] = {
        {20, 10, {20, 29}},
        {0, 10, {10, 19}},      // clipped at the first index
        {105, 10, {100, 109}},  // past the end: shifted back to end at the last sample
        {50, 1000, {10, 109}},  // longer than everything: the full range
        {-(1LL << 62), 1LL << 62, {10, 109}},
    };
    for (const Case& c : cases) {
        set.scrollTo(c.s, c.n);
        EXPECT_EQ(set.visibleRange(), c.expected) << c.s << " " << c.n;
    }
    set.scrollTo(30, 1);  // fewer than two samples: nothing happens
    EXPECT_EQ(set.visibleRange(), (IndexRange{10, 109}));

    set.scrollTo(40, 5);
    set.prepareDraw();
    EXPECT_EQ(set.pane(0)->visibleRange(), (IndexRange{40, 44}));
    EXPECT_EQ(set.pane(0)->fullRange(), (IndexRange{10, 109}));
    // Rebuilding the content keeps the zoom.
    set.clearContent();
    EXPECT_TRUE(set.zoomed());
    EXPECT_EQ(set.pane(0)->series().size(), 0u);
}

TEST(PaneSet, ZoomKeepsThePointUnderThePointer) {
    const std::vector<double> v(1000, 1.0);
    PaneSet set;
    set.addPane(0);
    ASSERT_EQ(set.addSeries(0, v.data(), 0, 1000, 32), 0);
    set.zoomAround(250, 0.5);  // a quarter into the full range stays a quarter in
    EXPECT_EQ(set.visibleRange(), (IndexRange{125, 624}));
    set.zoomAround(125, 0.001);  // never fewer than two samples
    EXPECT_EQ(set.visibleRange().count(), 2);
    set.zoomAround(125, 1e9);  // never more than everything
    EXPECT_EQ(set.visibleRange(), (IndexRange{0, 999}));
    set.scrollTo(100, 100);
    set.scrollBy(-500);
    EXPECT_EQ(set.visibleRange(), (IndexRange{0, 99}));
    set.scrollBy(10);
    EXPECT_EQ(set.visibleRange(), (IndexRange{10, 109}));
}
