#include "core/plots/PaneFigure.h"

#include <algorithm>

#include "core/base/CFormat.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

namespace {

using namespace scenegeom;
constexpr int kPad = 8;        // around the figure
constexpr int kLegendGap = 8;  // between the x title and the legend

int textBottom(const SceneText& t, const TextMetrics& metrics, int width) {
    return t.y + (t.vertical ? width : metrics.height(t.role));
}

}  // namespace

PlotFigure buildPaneFigure(const GraphPane& source, const PaneFigureInput& in, int width, int height,
                           const TextMetrics& metrics, const ColourTable* table) {
    const ColourTable& colours = table ? *table : ColourTable::standard();
    PlotFigure f;
    f.width = width, f.height = height;
    f.foreground = colours.at(colour::kForeground);

    std::vector<FigureSeries> series;
    for (std::size_t i = 0; i < source.series().size(); ++i) {
        std::string name = i < in.seriesNames.size() ? in.seriesNames[i] : std::string();
        if (name.empty()) name = cformat(tr(text::GraphSeries).c_str(), static_cast<int>(i + 1));
        series.push_back({name, colours.seriesColour(source.series()[i].colour)});
    }
    for (FigureSeries key : in.zoneKeys) {
        key.block = true;
        series.push_back(std::move(key));
    }
    const int legendH = figureLegendHeight(series, width, metrics);
    const int legendTop = height - kPad - legendH;

    GraphPane pane = source;
    pane.setTitles(in.title, in.xTitle, in.yTitle);
    const int lineH = metrics.height(TextRole::Label);
    const int axisH = metrics.height(TextRole::AxisTitle);
    const int titleH = in.title.empty() ? 0 : metrics.height(TextRole::PaneTitle);
    PlotRect plot;
    plot.top = kPad + titleH + lineH / 2 + kLabelGap + (in.title.empty() ? lineH : 0);
    plot.right = width - kPad - metrics.width("00:00:00", TextRole::Label) / 2;
    plot.left = kPad + axisH + kLabelGap + metrics.width("000.0", TextRole::Label) + kMajorMark + kLabelGap;
    plot.bottom = legendTop - kLegendGap - (kMajorMark + kLabelGap + 2 * lineH + kLabelGap + axisH);

    SceneOptions options;
    options.table = &colours;
    PaneScene scene;
    // The labels' room depends on the labels, the labels on the plot's size:
    // lay out, measure what the labels and titles took, and lay out once more.
    for (int pass = 0; pass < 2; ++pass) {
        plot.right = std::max(plot.right, plot.left + 2);
        plot.bottom = std::max(plot.bottom, plot.top + 2);
        pane.setPlotRect(plot);
        scene = buildPaneScene(pane, metrics, options);
        if (scene.empty || pass == 1) break;
        plot.left = kPad + (in.yTitle.empty() ? 0 : axisH + kLabelGap) + scene.widestYLabel + kMajorMark + kLabelGap;
        int lowest = plot.bottom;
        for (const SceneText& t : scene.texts)
            if (!t.vertical) lowest = std::max(lowest, textBottom(t, metrics, 0));
        plot.bottom -= lowest - (legendTop - kLegendGap);
    }
    f.plot = scene.plot;
    if (!scene.empty) {
        f.fills.push_back({scene.plot, scene.background});
        f.fills.insert(f.fills.end(), scene.bands.begin(), scene.bands.end());
        f.lines = scene.grid;
        f.lines.insert(f.lines.end(), scene.marks.begin(), scene.marks.end());
        for (const SceneText& t : scene.texts) f.texts.push_back({t, metrics.width(t.text, t.role)});
        f.plotLines = scene.zoneLines;
        f.curves = std::move(scene.curves);
        for (SceneCurve& c : f.curves) c.runs.clear();
        if (in.markers)
            for (int which : {1, 2}) {
                if (!pane.markerSet(which)) continue;
                const int x = scene.map.px(pane.marker(which).x);
                f.plotLines.push_back({x, scene.plot.top, x, scene.plot.bottom - 1, f.foreground, 1, which == 2});
            }
    }
    layoutFigureLegend(f, series, legendTop, metrics);
    return f;
}

}  // namespace phonotab
