#include "pictures/TableGraphPicture.h"

#include <algorithm>

namespace phonotab {

BarChartInput tableSeriesChart(const TableGraphChart& chart, const TableGraphSeries& series) {
    BarChartInput input;
    input.values = series.values;
    // Every series of a graph has as many values as the marking has labels.
    const std::size_t n = std::min(series.values.size(), chart.labels.size());
    input.captions.assign(chart.labels.begin(), chart.labels.begin() + static_cast<std::ptrdiff_t>(n));
    input.captions.resize(series.values.size());
    input.barColour = series.fillColour;
    input.logarithmic = chart.logarithmic;
    return input;
}

}  // namespace phonotab
