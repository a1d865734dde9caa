#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "core/plots/PaneScene.h"
#include "core/plots/TimeAxis.h"

using namespace phonotab;

namespace {

const FixedTextMetrics kMetrics(7, 13);

struct Fixture {
    std::vector<double> samples;
    GraphPane pane;

    explicit Fixture(std::vector<double> v, std::uint32_t flags = 0) : samples(std::move(v)) {
        pane.addSeries(samples.data(), 0, static_cast<std::int64_t>(samples.size()), 0x80000000u | 0x0000FF);
        pane.setFlags(flags);
        pane.setVisibleRange({0, static_cast<std::int64_t>(samples.size()) - 1});
        pane.setPlotRect({80, 40, 681, 341});
    }
};

}  // namespace

TEST(PaneScene, ZoneBandsAndLines) {
    Fixture f(std::vector<double>(101, 1.0));
    // A band of colour 46 between x = 20 and x = 40, neither boundary a line.
    f.pane.addZone(20, 46);
    f.pane.addZone(40, 0x4000002E);
    PaneScene s = buildPaneScene(f.pane, kMetrics);
    ASSERT_EQ(s.bands.size(), 1u);
    EXPECT_EQ(s.bands[0].colour, rgbWord(252, 252, 84));
    EXPECT_EQ(s.bands[0].rect.left, s.map.px(20));
    EXPECT_EQ(s.bands[0].rect.right, s.map.px(40) + 1);
    EXPECT_EQ(s.bands[0].rect.top, 40);
    EXPECT_EQ(s.bands[0].rect.bottom, 341);
    EXPECT_TRUE(s.zoneLines.empty());

    // A shaded span (a night) lies under the zone's band, whatever the zones;
    // one beyond the plot is cut to it.
    f.pane.setShadedSpans({{10, 30, 0xF0DCC8u}, {90, 5000, 0x9CD2FFu}});
    s = buildPaneScene(f.pane, kMetrics);
    ASSERT_EQ(s.bands.size(), 3u);
    EXPECT_EQ(s.bands[0].colour, 0xF0DCC8u);
    EXPECT_EQ(s.bands[0].rect.left, s.map.px(10));
    EXPECT_EQ(s.bands[1].rect.right, 681);
    EXPECT_EQ(s.bands[2].colour, rgbWord(252, 252, 84));
    f.pane.setShadedSpans({});

    // A single boundary 63 << 24 | 40: a dotted dark grey line of width 1.
    f.pane.setZones({{60, 63u << 24 | 40}});
    s = buildPaneScene(f.pane, kMetrics);
    ASSERT_EQ(s.zoneLines.size(), 1u);
    const SceneLine& l = s.zoneLines[0];
    EXPECT_TRUE(l.dotted);
    EXPECT_EQ(l.width, 1);
    EXPECT_EQ(l.colour, rgbWord(84, 84, 84));
    EXPECT_EQ(l.x1, s.map.px(60));
    EXPECT_EQ(l.x1, l.x2);

    // Form 2 gives width 4; a y boundary is a horizontal line when inside the
    // plot; an x boundary beyond the visible range is not drawn.
    f.pane.setZones({{1.005, GraphZone::kHorizontal | 2u << 24 | 36}, {500, 36}, {1000, GraphZone::kHorizontal | 36}});
    s = buildPaneScene(f.pane, kMetrics);
    ASSERT_EQ(s.zoneLines.size(), 1u);
    EXPECT_EQ(s.zoneLines[0].width, 4);
    EXPECT_EQ(s.zoneLines[0].y1, s.map.py(1.005));
    EXPECT_EQ(s.zoneLines[0].colour, rgbWord(168, 0, 0));

    // A vector export without the colour flag leaves zones out and draws the
    // curves in the foreground colour.
    f.pane.setZones({{20, 46}, {40, 0x4000002E}, {60, 40}});
    s = buildPaneScene(f.pane, kMetrics, {false});
    EXPECT_TRUE(s.bands.empty());
    EXPECT_TRUE(s.zoneLines.empty());
    ASSERT_EQ(s.curves.size(), 1u);
    EXPECT_EQ(s.curves[0].colour, 0u);
    EXPECT_EQ(buildPaneScene(f.pane, kMetrics).curves[0].colour, 0x0000FFu);
}

TEST(PaneScene, LabelsExponentAndTitles) {
    std::vector<double> v(50);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = 200.0 * static_cast<double>(i) + 1000;  // up to 10800
    Fixture f(v);
    f.pane.setTitles("Уровень", "t, s", "L, dB");
    const PaneScene s = buildPaneScene(f.pane, kMetrics);
    EXPECT_FALSE(s.empty);
    ASSERT_TRUE(s.yStep);
    EXPECT_EQ(s.yStep->group, 3);
    EXPECT_TRUE(s.hasText("E+3"));
    EXPECT_TRUE(s.hasText("Уровень"));
    EXPECT_TRUE(s.hasText("t, s"));
    const auto y = std::find_if(s.texts.begin(), s.texts.end(), [](const SceneText& t) { return t.text == "L, dB"; });
    ASSERT_NE(y, s.texts.end());
    EXPECT_TRUE(y->vertical);
    // Labels sit inside the pane's margins: y labels left of the plot, x labels below.
    for (const SceneText& t : s.texts) {
        if (t.role == TextRole::Label && t.text != "E+3") {
            EXPECT_TRUE(t.x + kMetrics.width(t.text, t.role) <= 80 || t.y >= 341) << t.text;
        }
    }
    // Empty pane: nothing at all.
    GraphPane empty;
    empty.setPlotRect({80, 40, 681, 341});
    const PaneScene none = buildPaneScene(empty, kMetrics);
    EXPECT_TRUE(none.empty);
    EXPECT_TRUE(none.texts.empty() && none.marks.empty() && none.curves.empty());
}

TEST(PaneScene, CalendarAxisShowsClockTimes) {
    // 2 hours of one-second samples from 2023-05-14 23:00:00.
    Fixture f(std::vector<double>(7201, 55.0), paneflag::kTimeAxis);
    f.pane.setTimeOrigin(toCivilSeconds({2023, 5, 14, 23, 0, 0}));
    const PaneScene s = buildPaneScene(f.pane, kMetrics);
    // 600 px for label slots 70 px wide: 8 slots, so 20 minutes (7 ticks).
    EXPECT_EQ(s.timeStep, 1200);
    EXPECT_TRUE(s.hasText("23:00:00"));
    EXPECT_TRUE(s.hasText("00:20:00"));
    EXPECT_TRUE(s.hasText("15/05/23"));  // across midnight: the dates on a second line
    EXPECT_TRUE(s.hasText("14/05/23"));
}

TEST(TimeAxis, StepTableAndDays) {
    AxisScale axis;
    axis.pixel = [](double) { return 0; };
    axis.fraction = [](double) { return 0.0; };
    const std::int64_t day = toCivilSeconds({2024, 1, 10, 0, 0, 0});
    struct Case {
        double min, max;
        int slots;
        std::int64_t step;
        bool twoLines;
        std::size_t ticks;
    } cases[] = {
        {0.5, 9.5, 10, 1, false, 9},               // 1..9: whole seconds inside the axis
        {0, 59, 10, 10, false, 6},                 // 0, 10 ... 50
        {0, 3 * 86400.0, 10, 36000, true, 10},     // 00:00, 10:00, 20:00 each day, then 00:00
        // A month of monitoring (from Wednesday 10 January): the Mondays 15, 22, 29 January and 5 February.
        {0, 31 * 86400.0, 10, 7 * 86400, true, 4},
        {0, 10 * 86400.0, 10, 2 * 86400, true, 6},  // Jan 10, 12 ... 20: even days after a Monday
        {0, 100 * 86400.0, 10, 14 * 86400, true, 7},
        {0, 3 * 365 * 86400.0, 2, 448 * 86400, true, 2},  // 28 days doubled until two labels fit
        {0, 3600, 0, 0, false, 0},
    };
    for (const Case& c : cases) {
        axis.min = c.min;
        axis.max = c.max;
        const TimeAxisTicks t = timeAxisTicks(axis, day, c.slots);
        EXPECT_EQ(t.step, c.step) << c.max;
        EXPECT_EQ(t.twoLines, c.twoLines) << c.max;
        EXPECT_EQ(t.ticks.size(), c.ticks) << c.max;
    }
    axis.min = 0;
    axis.max = 3 * 86400.0;
    const TimeAxisTicks t = timeAxisTicks(axis, day, 10);
    EXPECT_EQ(t.ticks[2].label, "20:00:00\n10/01/24");
    EXPECT_EQ(t.ticks[3].label, "00:00:00\n11/01/24");
    axis.max = 31 * 86400.0;
    const TimeAxisTicks month = timeAxisTicks(axis, day, 10);
    ASSERT_FALSE(month.ticks.empty());
    EXPECT_EQ(month.ticks[0].label, "00:00:00\n15/01/24");
    EXPECT_DOUBLE_EQ(month.ticks[0].value, 5 * 86400.0);
}

// A scene built with the last one at hand takes over the curves whose inputs
// are unchanged; whatever changed, the curves equal those of a scene built
// afresh.
TEST(PaneScene, CurvesTakenFromTheLastSceneEqualFreshOnes) {
    std::vector<double> v(50000);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = 60 + 10 * std::sin(static_cast<double>(i) / 700.0) + static_cast<double>(i % 7);
    struct Case {
        const char* change;
        std::function<void(GraphPane&, std::vector<double>&)> apply;
    };
    const Case cases[] = {
        {"nothing", [](GraphPane&, std::vector<double>&) {}},
        {"scrolled by one sample", [](GraphPane& p, std::vector<double>&) { p.setVisibleRange({101, 40100}); }},
        {"plot resized", [](GraphPane& p, std::vector<double>&) { p.setPlotRect({80, 40, 600, 341}); }},
        {"scale", [](GraphPane& p, std::vector<double>&) { p.setSeriesScale(0, 0.5, 3); }},
        {"x mapping", [](GraphPane& p, std::vector<double>&) { p.setXMapping(0, 0.5); }},
        {"fixed y range", [](GraphPane& p, std::vector<double>&) {
             p.setFlags(paneflag::kFixedY);
             p.setFixedYRange(62, 66);
         }},
        {"samples changed in place", [](GraphPane& p, std::vector<double>& s) {
             for (std::size_t i = 0; i < s.size(); i += 3) s[i] += 5;
             p.samplesChanged(0);
         }},
        {"series replaced", [](GraphPane& p, std::vector<double>& s) {
             p.removeAllSeries();
             p.addSeries(s.data(), 10, static_cast<std::int64_t>(s.size()), 0x80000000u | 0x00FF00);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        std::vector<double> samples = v;
        GraphPane pane;
        pane.addSeries(samples.data(), 0, static_cast<std::int64_t>(samples.size()), 0x80000000u | 0x0000FF);
        pane.addSeries(samples.data() + 100, 0, 20000, 0x80000000u | 0xFF0000);
        pane.setVisibleRange({100, 40099});
        pane.setPlotRect({80, 40, 681, 341});
        const PaneScene last = buildPaneScene(pane, kMetrics);
        c.apply(pane, samples);
        SceneOptions options;
        options.previous = &last;
        const PaneScene taken = buildPaneScene(pane, kMetrics, options);
        const PaneScene fresh = buildPaneScene(pane, kMetrics);
        ASSERT_EQ(taken.curves.size(), fresh.curves.size());
        for (std::size_t i = 0; i < fresh.curves.size(); ++i) {
            EXPECT_EQ(taken.curves[i].colour, fresh.curves[i].colour);
            EXPECT_TRUE(taken.curves[i].points == fresh.curves[i].points) << "curve " << i;
            EXPECT_TRUE(taken.curves[i].runs == fresh.curves[i].runs) << "curve " << i;
        }
    }
}
