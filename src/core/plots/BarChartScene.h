// A bar chart: one bar per value with its caption, a value axis with the
// engine's tick rules, the captions under the bars at a stride that keeps them
// apart, and an optional title. The histogram plot and the report's table
// graphs fill a BarChartInput; the desktop and the report writer paint the scene
// (the numbers, texts and positions are decided here).
#pragma once

#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "core/plots/AxisTicks.h"
#include "core/plots/GraphColours.h"
#include "core/plots/PaneScene.h"
#include "core/plots/PlotRect.h"
#include "core/plots/TextMetrics.h"
#include "core/plots/TickStep.h"

namespace phonotab {

// A further series of a chart: its values beside the first series' in each
// bar's column, in its own colour.
struct BarSeries {
    std::vector<double> values;  // one per caption; missing ones draw nothing
    ColourWord colour = 0;
};

struct BarChartInput {
    // One caption per value; the text before the first line break is drawn
    // under the bar, the rest only shows in the readout.
    std::vector<std::string> captions;
    std::vector<double> values;
    // A table's graph shows up to four series: the first is `values` in
    // `barColour`, the others stand beside it in each column.
    std::vector<BarSeries> moreSeries;
    std::string title;                  // drawn centred above the chart when not empty
    std::string captionTitle;           // under the captions (the classes' axis), with its unit
    std::string valueTitle;             // along the value axis, with its unit
    ColourWord barColour = rgbWord(0, 0, 255);
    ColourWord background = 0xFFFFFF;
    ColourWord foreground = 0;          // axes, marks and texts
    bool logarithmic = false;           // taken only when every value is positive
    bool horizontal = false;            // bars run left to right, captions left of them
    int labelDigits = 6;                // significant digits of the value labels
    int labelSpacing = 40;              // least pixels between labelled value ticks
};

struct SceneBar {
    PlotRect rect;
    int index = 0;   // of the value (the column)
    int series = 0;  // 0 the first series, 1 … the further ones
    ColourWord colour = 0;
};

struct BarChartScene {
    bool empty = true;  // no values: only the frame (and the title) is drawn
    bool horizontal = false;
    PlotRect plot;
    ColourWord background = 0xFFFFFF, foreground = 0, barColour = 0;
    std::vector<SceneBar> bars;    // column by column, the series in order within each
    int columns = 0;               // one per value of the first series
    std::vector<SceneLine> grid;   // dotted, width 1
    std::vector<SceneLine> marks;  // frame and tick marks
    std::vector<SceneText> texts;  // value labels, exponent, captions, title
    double valueMin = 0, valueMax = 1;
    bool logarithmic = false;
    std::optional<TickStep> valueStep;
    std::vector<AxisTick> valueTicks;
    int labelStride = 1;  // every labelStride-th caption is drawn, from the first
    double pitch = 0;     // pixels from one bar to the next

    // The bar under a window point (its whole column), or -1.
    int barAt(int x, int y) const;
    bool hasText(const std::string& text) const;
};

BarChartScene buildBarChartScene(const BarChartInput& input, PlotRect area, const TextMetrics& metrics);

// The end of a linear value axis beyond its farthest value: the next multiple
// of a nice step (1, 2 or 5 × 10^n, about a tenth of the span from zero)
// past it, so that the tallest bar never touches the frame. 0 stays 0.
double valueAxisEnd(double farthest);

// The first and last columns that hold a value other than zero, for fitting a
// histogram's level axis to its data; nothing when every column is empty.
std::optional<std::pair<int, int>> occupiedColumns(const std::vector<double>& values);
// Keeps only the columns from the first to the last that hold data (captions
// and every series alike); a chart without data stays as it is.
void fitToOccupiedColumns(BarChartInput& input);

// The smallest stride k at which every pair of drawn captions i and i + k
// (i = 0, k, 2k, …) keeps (w(i) + w(i + k)) ÷ 2 + 6 < k × pitch pixels apart;
// the number of captions when none does (only the first is drawn then).
int barLabelStride(const std::vector<int>& widths, double pitch);

// The text before a caption's first line break, and the text after it (the
// whole caption when it has none).
std::string captionHead(const std::string& caption);
std::string captionTail(const std::string& caption);

// The readout over bar i: "caption: value" for a table's graph (name empty),
// "(name) caption tail: value" for a histogram.
std::string barReadout(const BarChartInput& input, int i, const std::string& name);

}  // namespace phonotab
