#include "core/plots/BarChartFigure.h"

namespace phonotab {

namespace {
constexpr int kPad = 8;
}  // namespace

PlotFigure buildBarChartFigure(const BarChartInput& input, const std::vector<std::string>& seriesNames, int width,
                               int height, const TextMetrics& metrics) {
    PlotFigure f;
    f.width = width, f.height = height;
    f.background = input.background;
    f.foreground = input.foreground;
    std::vector<FigureSeries> series;
    for (std::size_t k = 0; k < seriesNames.size() && k <= input.moreSeries.size(); ++k)
        series.push_back({seriesNames[k], k == 0 ? input.barColour : input.moreSeries[k - 1].colour, true});
    const int legendH = figureLegendHeight(series, width, metrics);
    const int legendTop = height - kPad - legendH;

    const BarChartScene s = buildBarChartScene(input, {0, 0, width, series.empty() ? height : legendTop}, metrics);
    f.plot = s.plot;
    f.fills.push_back({{0, 0, width, height}, input.background});
    for (const SceneBar& b : s.bars)
        if (b.rect.width() > 0 && b.rect.height() > 0) f.fills.push_back({b.rect, b.colour});
    f.lines = s.grid;
    f.lines.insert(f.lines.end(), s.marks.begin(), s.marks.end());
    for (const SceneText& t : s.texts) f.texts.push_back({t, metrics.width(t.text, t.role)});
    layoutFigureLegend(f, series, legendTop, metrics);
    return f;
}

}  // namespace phonotab
