#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/plots/BarChartScene.h"
#include "core/plots/HistogramColumns.h"

using namespace phonotab;

namespace {

// One count below 0.25 dB, two at 100–100.25 dB (bin 400), one at the top bin.
std::vector<double> threeBins() {
    std::vector<double> c(kHistogramBins, 0.0);
    c[0] = 1, c[400] = 2, c[1023] = 1;
    return c;
}

}  // namespace

TEST(HistogramColumns, CaptionsNameTheBinsEachColumnSums) {
    const auto one = histogramCaptions(HistogramDisplay::Counts, 1);
    ASSERT_EQ(one.size(), 1024u);
    EXPECT_EQ(one[0], "<0.25");
    EXPECT_EQ(one[1], "0.5\n[0.25 - 0.5]");
    EXPECT_EQ(one[1022], "255.75\n[255.5 - 255.75]");
    EXPECT_EQ(one[1023], ">=255.75");

    const auto wide = histogramCaptions(HistogramDisplay::Percent, 128);
    EXPECT_EQ(wide, (std::vector<std::string>{"<32", "64\n[32 - 64]", "96\n[64 - 96]", "128\n[96 - 128]",
                                              "160\n[128 - 160]", "192\n[160 - 192]", "224\n[192 - 224]",
                                              ">=224"}));
    // A step that does not divide the bins: the last column holds what is left.
    const auto three = histogramCaptions(HistogramDisplay::Counts, 3);
    ASSERT_EQ(three.size(), 342u);
    EXPECT_EQ(three[340], "255.75\n[255 - 255.75]");
    EXPECT_EQ(three[341], ">=255.75");
}

TEST(HistogramColumns, PercentilePointsEndForEveryStep) {
    struct Case { int step; std::size_t count; const char* first; const char* last; };
    for (const Case& c : {Case{1, 100, "1", "100"}, Case{2, 100, "1", "100"}, Case{8, 25, "4", "100"},
                          Case{128, 1, "64", "64"}}) {
        const auto captions = histogramCaptions(HistogramDisplay::Percentiles, c.step);
        SCOPED_TRACE(c.step);
        ASSERT_EQ(captions.size(), c.count);
        EXPECT_EQ(captions.front(), c.first);
        EXPECT_EQ(captions.back(), c.last);
        EXPECT_EQ(histogramValues(threeBins(), HistogramDisplay::Percentiles, c.step).size(), c.count);
    }
}

TEST(HistogramColumns, ValuesOfEachMode) {
    const auto counts = threeBins();
    const auto byBin = histogramValues(counts, HistogramDisplay::Counts, 1);
    ASSERT_EQ(byBin.size(), 1024u);
    EXPECT_EQ(byBin[400], 2);

    using V = std::vector<double>;
    EXPECT_EQ(histogramValues(counts, HistogramDisplay::Counts, 128), (V{1, 0, 0, 2, 0, 0, 0, 1}));
    EXPECT_EQ(histogramValues(counts, HistogramDisplay::Percent, 128), (V{25, 0, 0, 50, 0, 0, 0, 25}));
    EXPECT_EQ(histogramValues(counts, HistogramDisplay::Normalised, 128), (V{0.5, 0, 0, 1, 0, 0, 0, 0.5}));
    // Step 100 → points 50 and 100: L50 is the upper edge of bin 400, L100 of bin 0.
    EXPECT_EQ(histogramValues(counts, HistogramDisplay::Percentiles, 100), (V{100.25, 0.25}));

    // No counts: raw zeros, and an empty percentile curve instead of a division by zero.
    const std::vector<double> none(kHistogramBins, 0.0);
    EXPECT_EQ(histogramValues(none, HistogramDisplay::Percent, 128), V(8, 0.0));
    EXPECT_EQ(histogramValues(none, HistogramDisplay::Normalised, 128), V(8, 0.0));
    EXPECT_TRUE(histogramValues(none, HistogramDisplay::Percentiles, 4).empty());
    // A short or damaged histogram reads missing bins as 0.
    EXPECT_EQ(histogramValues(std::vector<double>{3, NAN}, HistogramDisplay::Counts, 128)[0], 3);
}

TEST(HistogramColumns, StepFromTypedValue) {
    struct Case { double typed; int step; };
    for (const Case& c : {Case{0.1, 1}, Case{0.25, 1}, Case{2, 8}, Case{40, 128}, Case{-3, 1}, Case{NAN, 1}})
        EXPECT_EQ(histogramStepFromValue(c.typed), c.step) << c.typed;
}

TEST(BarChartScene, LabelStride) {
    EXPECT_EQ(barLabelStride({10, 10, 10, 10}, 20), 1);  // 10 + 6 < 20
    EXPECT_EQ(barLabelStride({10, 10, 10, 10}, 16), 2);  // 16 is not below 16
    EXPECT_EQ(barLabelStride({11, 10}, 16.5), 1);        // (11 + 10) ÷ 2 truncates to 10
    EXPECT_EQ(barLabelStride({30, 30, 30}, 1), 3);       // none fits: only the first
    // A wide caption further on decides the stride for all.
    EXPECT_EQ(barLabelStride({4, 4, 4, 4, 40, 4}, 15), 2);
}

TEST(BarChartScene, BarsAxisAndCaptions) {
    const FixedTextMetrics metrics(7, 12);
    BarChartInput in;
    in.captions = histogramCaptions(HistogramDisplay::Counts, 128);
    in.values = histogramValues(threeBins(), HistogramDisplay::Counts, 128);
    in.title = "L";
    const BarChartScene s = buildBarChartScene(in, {0, 0, 400, 254}, metrics);
    ASSERT_FALSE(s.empty);
    ASSERT_EQ(s.bars.size(), 8u);
    EXPECT_EQ(s.valueMin, 0);
    EXPECT_DOUBLE_EQ(s.valueMax, 2.2);  // room above the tallest bar
    // A zero bar has no height, the bars' heights go with their values.
    EXPECT_NEAR(s.bars[3].rect.height(), (s.plot.height() - 1) * 2 / 2.2, 1);
    EXPECT_EQ(s.bars[1].rect.height(), 0);
    EXPECT_NEAR(s.bars[0].rect.height(), (s.plot.height() - 1) / 2.2, 1);
    for (std::size_t i = 1; i < s.bars.size(); ++i) EXPECT_GT(s.bars[i].rect.left, s.bars[i - 1].rect.right - 1);
    // Value labels from the engine's step rule, captions by their first line only.
    ASSERT_TRUE(s.valueStep);
    EXPECT_EQ(s.valueStep->step, 0.5);
    EXPECT_TRUE(s.hasText("0.0"));
    EXPECT_TRUE(s.hasText("2.0"));
    EXPECT_TRUE(s.hasText("<32"));
    EXPECT_TRUE(s.hasText("64"));
    EXPECT_FALSE(s.hasText("64\n[32 - 64]"));
    EXPECT_TRUE(s.hasText("L"));
    // The pointer anywhere over column 3 finds bar 3; outside the plot nothing.
    const int mid = (s.bars[3].rect.left + s.bars[3].rect.right) / 2;
    EXPECT_EQ(s.barAt(mid, s.plot.bottom - 2), 3);
    EXPECT_EQ(s.barAt(mid, s.plot.top + 1), 3);
    EXPECT_EQ(s.barAt(s.plot.left - 2, s.plot.top + 1), -1);

    EXPECT_EQ(barReadout(in, 1, "Гистогр. Fast"), "(Гистогр. Fast) [32 - 64]: 0");
    BarChartInput table;
    table.captions = {"Пн", "Вт"};
    table.values = {1.5, 62.25};
    EXPECT_EQ(barReadout(table, 1, ""), "Вт: 62.25");
}

TEST(BarChartScene, ManyBarsKeepTheirCaptionsApart) {
    const FixedTextMetrics metrics(7, 12);
    BarChartInput in;
    in.captions = histogramCaptions(HistogramDisplay::Counts, 1);
    in.values = histogramValues(threeBins(), HistogramDisplay::Counts, 1);
    const BarChartScene s = buildBarChartScene(in, {0, 0, 600, 300}, metrics);
    ASSERT_EQ(s.bars.size(), 1024u);
    EXPECT_GT(s.labelStride, 1);
    std::vector<const SceneText*> captions;
    for (const SceneText& t : s.texts)
        if (t.y > s.plot.bottom) captions.push_back(&t);
    ASSERT_GT(captions.size(), 2u);
    for (std::size_t i = 1; i < captions.size(); ++i)
        EXPECT_GT(captions[i]->x, captions[i - 1]->x + metrics.width(captions[i - 1]->text, TextRole::Label));
}

TEST(BarChartScene, EmptyAndLogarithmicCharts) {
    const FixedTextMetrics metrics(7, 12);
    BarChartInput in;
    const BarChartScene none = buildBarChartScene(in, {0, 0, 400, 254}, metrics);
    EXPECT_TRUE(none.empty);
    EXPECT_TRUE(none.bars.empty());
    EXPECT_EQ(none.barAt(200, 100), -1);

    in.captions = {"a", "b", "c"};
    in.values = {1, 10, 1000};
    in.logarithmic = true;
    const BarChartScene log = buildBarChartScene(in, {0, 0, 400, 254}, metrics);
    EXPECT_TRUE(log.logarithmic);
    // Decades are equally tall: 10 stands a third of the way up.
    EXPECT_NEAR(log.bars[1].rect.height(), (log.plot.height() - 1) / 3.0, 1);
    in.values = {NAN, 10, 1000};  // a value that is no number takes no part in the range
    EXPECT_EQ(buildBarChartScene(in, {0, 0, 400, 254}, metrics).valueMin, 10);
    in.values = {0, 10, 1000};  // a value at 0: the linear axis
    EXPECT_FALSE(buildBarChartScene(in, {0, 0, 400, 254}, metrics).logarithmic);

    // Horizontal bars: captions right-aligned left of the plot.
    in.horizontal = true;
    const BarChartScene h = buildBarChartScene(in, {0, 0, 400, 254}, metrics);
    ASSERT_EQ(h.bars.size(), 3u);
    EXPECT_DOUBLE_EQ(h.valueMax, 1100);  // 1000 and room beyond it
    EXPECT_NEAR(h.bars[2].rect.right - h.plot.left, (h.plot.width() - 1) * 1000 / 1100.0, 2);
    const auto c = std::find_if(h.texts.begin(), h.texts.end(), [](const SceneText& t) { return t.text == "b"; });
    ASSERT_NE(c, h.texts.end());
    EXPECT_EQ(c->x + 7, h.plot.left - 3);
    EXPECT_EQ(h.barAt(h.plot.left + 5, h.bars[1].rect.top + 1), 1);
}

// A table's graph with several series: each column holds one bar of every
// series side by side in its colour, the value range spans them all, and the
// pointer over any of them finds the column.
TEST(BarChartScene, SeriesStandSideBySideInEachColumn) {
    const FixedTextMetrics metrics(7, 12);
    BarChartInput in;
    in.captions = {"a", "b"};
    in.values = {1, 2};
    in.barColour = 0x0000FF;
    in.moreSeries = {{{4, NAN}, 0x00FF00}, {{3}, 0xFF0000}};
    const BarChartScene s = buildBarChartScene(in, {0, 0, 400, 254}, metrics);
    EXPECT_DOUBLE_EQ(s.valueMax, 4.5);
    EXPECT_EQ(s.columns, 2);
    // The third series has no second value: five bars.
    ASSERT_EQ(s.bars.size(), 5u);
    const std::vector<ColourWord> colours = {0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF, 0x00FF00};
    for (std::size_t i = 0; i < s.bars.size(); ++i) {
        EXPECT_EQ(s.bars[i].colour, colours[i]) << i;
        if (i > 0) EXPECT_GE(s.bars[i].rect.left, s.bars[i - 1].rect.right) << i;
    }
    EXPECT_NEAR(s.bars[1].rect.height(), (s.plot.height() - 1) * 4 / 4.5, 1);  // 4 of 4.5
    EXPECT_EQ(s.bars[4].rect.height(), 0);             // no number: no bar
    const int width = s.bars[0].rect.width();          // a third of the column each
    EXPECT_NEAR(width, s.pitch * 3 / 4 / 3, 1);
    EXPECT_EQ(s.barAt(s.bars[2].rect.left + 1, s.plot.bottom - 2), 0);
    EXPECT_EQ(s.barAt(s.bars[3].rect.left + 1, s.plot.bottom - 2), 1);
}
