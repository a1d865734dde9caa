#include "render/pictures/TableGraphPicture.h"

#include "core/base/CFormat.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

BarChartInput tableGraphBarChart(const TableGraphChart& chart) {
    BarChartInput input;
    input.captions = chart.labels;
    input.logarithmic = chart.logarithmic;
    input.title = chart.yCaption;
    input.captionTitle = chart.xCaption;
    // Every series has a column per label; a shorter one leaves its last columns empty.
    for (std::size_t k = 0; k < chart.series.size(); ++k) {
        const TableGraphSeries& s = chart.series[k];
        std::vector<double> values = s.values;
        values.resize(std::max(values.size(), chart.labels.size()), std::nan(""));
        if (k == 0) {
            input.values = std::move(values);
            input.barColour = s.fillColour;
        } else {
            input.moreSeries.push_back({std::move(values), s.fillColour});
        }
    }
    input.captions.resize(input.values.size());
    return input;
}

std::vector<std::string> tableGraphSeriesNames(const TableGraphChart& chart) {
    std::vector<std::string> names;
    for (const TableGraphSeries& s : chart.series)
        names.push_back(!s.name.empty() ? s.name : cformat(tr(text::GraphSeries).c_str(), s.number));
    return names;
}

}  // namespace phonotab
