// A bar chart as a figure for print: the histogram plot's chart or a report
// table's graph laid out at the figure's size, with a legend of the series
// beneath when they are named.
#pragma once

#include <string>
#include <vector>

#include "core/plots/BarChartScene.h"
#include "core/plots/PlotFigure.h"

namespace phonotab {

// seriesNames: one per series (the first, then the further ones); none for a
// chart whose title already names its only series (a histogram).
PlotFigure buildBarChartFigure(const BarChartInput& input, const std::vector<std::string>& seriesNames, int width,
                               int height, const TextMetrics& metrics);

}  // namespace phonotab
