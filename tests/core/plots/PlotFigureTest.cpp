// Figures for print: what the time plot, the histogram plot and a table's
// graph put into a report or an exported picture.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/base/CFormat.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/plots/BarChartFigure.h"
#include "core/plots/HistogramColumns.h"
#include "core/plots/PaneFigure.h"
#include "core/plots/SceneSvg.h"

using namespace phonotab;

namespace {

const FixedTextMetrics kFigureMetrics(7, 14);
const int kWidth = figure::unitsOfCm(figure::kWidthCm), kHeight = figure::unitsOfCm(figure::kHeightCm);

// Every text lies within the figure.
void expectTextsInside(const PlotFigure& f) {
    for (const FigureText& t : f.texts) {
        EXPECT_GE(t.text.x, 0) << t.text.text;
        EXPECT_GE(t.text.y, 0) << t.text.text;
        EXPECT_LE(t.text.x + (t.text.vertical ? 14 : t.width), f.width) << t.text.text;
        EXPECT_LE(t.text.y + (t.text.vertical ? t.width : 14), f.height) << t.text.text;
    }
}

}  // namespace

// The time plot's figure: two curves named in a legend in their colours, the
// axis titles and the title; nothing of the window (buttons, readouts), and
// markers only when asked for.
TEST(PlotFigure, TimePlotHasALegendEntryPerCurveAndNoWindowControls) {
    std::vector<double> leq(600), lmax(600);
    for (std::size_t i = 0; i < leq.size(); ++i) {
        leq[i] = 60 + 10 * std::sin(static_cast<double>(i) / 40);
        lmax[i] = leq[i] + 8;
    }
    GraphPane pane;
    pane.addSeries(leq.data(), 0, 600, 0x80000000u | 0x0000C0);
    pane.addSeries(lmax.data(), 0, 600, 0x80000000u | 0xC00000);
    pane.addZone(100, 44);
    pane.addZone(200, 44 | 0x40000000u);
    pane.setVisibleRange({0, 599});
    pane.setMarker(1, {50, 60});
    pane.setMarker(2, {80, 60});

    PaneFigureInput in;
    in.title = "day.bin";
    in.xTitle = "Время, с";
    in.yTitle = "Уровень, дБ";
    in.seriesNames = {"LAeq"};  // the second has no name of its own
    in.zoneKeys = {{"Исключения", rgbWord(252, 84, 84)}};
    const PlotFigure f = buildPaneFigure(pane, in, kWidth, kHeight, kFigureMetrics);

    // A curve's entry per series, then the zones' key.
    ASSERT_EQ(f.legend.size(), 3u);
    EXPECT_EQ(f.legend[2].name, "Исключения");
    EXPECT_GT(f.legend[2].swatch.height(), f.legend[0].swatch.height());
    EXPECT_EQ(f.legend[0].name, "LAeq");
    EXPECT_EQ(f.legend[1].name, cformat(tr(text::GraphSeries).c_str(), 2));
    ASSERT_EQ(f.curves.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(f.legend[i].colour, f.curves[i].colour);
        EXPECT_TRUE(f.hasText(f.legend[i].name));
        // The legend stands below the plot and its axis title.
        EXPECT_GT(f.legend[i].swatch.top, f.plot.bottom);
    }
    for (const char* title : {"day.bin", "Время, с", "Уровень, дБ"}) EXPECT_TRUE(f.hasText(title)) << title;
    for (int control : {text::ClearMarkers, text::VectorExport, text::TextExport})
        EXPECT_FALSE(f.hasText(tr(control))) << tr(control);
    EXPECT_EQ(f.fills.size(), 1u + 1u + 3u);  // the plot, the zone's band, three swatches
    EXPECT_TRUE(f.plotLines.empty());         // no markers
    expectTextsInside(f);

    in.markers = true;
    EXPECT_EQ(buildPaneFigure(pane, in, kWidth, kHeight, kFigureMetrics).plotLines.size(), 2u);

    // The SVG says the printed size and holds every text of the figure.
    const std::string svg = plotFigureSvg(f);
    EXPECT_NE(svg.find("width=\"160.1mm\""), std::string::npos);
    EXPECT_NE(svg.find(">LAeq</text>"), std::string::npos);
    EXPECT_EQ(svg.find(tr(text::ClearMarkers)), std::string::npos);
}

// A table's graph: a legend entry per series in its bar colour, the value
// axis and the classes' axis titled.
TEST(PlotFigure, BarChartHasALegendEntryPerSeries) {
    BarChartInput in;
    in.captions = {"63", "125", "250"};
    in.values = {50, 55, 60};
    in.barColour = 0x0000FF;
    in.moreSeries = {{{52, 57, 61}, 0x00FF00}, {{40, 45, 47}, 0xFF0000}};
    in.title = "Уровни";
    in.captionTitle = "Частота, Гц";
    in.valueTitle = "дБ";
    const PlotFigure f = buildBarChartFigure(in, {"День", "Вечер", "Ночь"}, kWidth, kHeight, kFigureMetrics);
    ASSERT_EQ(f.legend.size(), 3u);
    const ColourWord colours[] = {0x0000FF, 0x00FF00, 0xFF0000};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(f.legend[i].colour, colours[i]);
        EXPECT_GT(f.legend[i].swatch.top, f.plot.bottom);
    }
    for (const char* t : {"День", "Ночь", "Уровни", "Частота, Гц", "дБ"}) EXPECT_TRUE(f.hasText(t)) << t;
    expectTextsInside(f);
    // A histogram's title names its only series: no legend.
    EXPECT_TRUE(buildBarChartFigure(in, {}, kWidth, kHeight, kFigureMetrics).legend.empty());
}

// The value axis ends a nice step beyond the tallest bar (and the lowest
// below zero), never at the bar itself.
TEST(PlotFigure, ValueAxisLeavesRoomAboveTheTallestBar) {
    struct Case { double farthest, end; };
    for (const Case& c : {Case{37, 40}, Case{40, 45}, Case{80, 90}, Case{86.4, 90}, Case{100, 110}, Case{2, 2.2},
                          Case{0.87, 0.9}, Case{1, 1.1}, Case{12345, 14000}, Case{0, 0}}) {
        SCOPED_TRACE(c.farthest);
        EXPECT_DOUBLE_EQ(valueAxisEnd(c.farthest), c.end);
    }
    BarChartInput in;
    in.captions = {"a", "b"};
    in.values = {-3, 37};
    const BarChartScene s = buildBarChartScene(in, {0, 0, 400, 254}, kFigureMetrics);
    EXPECT_EQ(s.valueMax, 40);
    EXPECT_EQ(s.valueMin, -3.5);
    EXPECT_GT(s.bars[1].rect.top, s.plot.top);
}

// The histogram's level axis fits the classes that hold counts: levels of
// 72 to 86 dB give the columns from "73 [72 - 73]" to "87 [86 - 87]", not 0 to 256 dB.
TEST(PlotFigure, HistogramLevelAxisFitsTheClassesThatHoldData) {
    std::vector<double> counts(kHistogramBins, 0.0);
    for (int bin = 72 * 4; bin < 87 * 4; ++bin) counts[static_cast<std::size_t>(bin)] = 1 + bin % 5;
    struct Case { HistogramDisplay mode; int step; std::size_t columns; const char* first; const char* last; };
    for (const Case& c : {Case{HistogramDisplay::Counts, 4, 15, "73", "87"},
                          Case{HistogramDisplay::Percent, 8, 8, "74", "88"},
                          Case{HistogramDisplay::Normalised, 1, 60, "72.25", "87"}}) {
        SCOPED_TRACE(c.step);
        BarChartInput in;
        in.captions = histogramCaptions(c.mode, c.step);
        in.values = histogramValues(counts, c.mode, c.step);
        fitToOccupiedColumns(in);
        ASSERT_EQ(in.values.size(), c.columns);
        ASSERT_EQ(in.captions.size(), c.columns);
        EXPECT_EQ(captionHead(in.captions.front()), c.first);
        EXPECT_EQ(captionHead(in.captions.back()), c.last);
    }
    // Nothing counted: the chart stays as it is.
    BarChartInput none;
    none.captions = {"a", "b"};
    none.values = {0, 0};
    fitToOccupiedColumns(none);
    EXPECT_EQ(none.values.size(), 2u);
}
