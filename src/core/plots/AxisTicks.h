// The ticks of a pane's axes in pixels: linear axes with minor ticks every fifth
// of the step, logarithmic axes decade by decade, with their labels.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/plots/TickStep.h"

namespace phonotab {

struct AxisTick {
    double value = 0;
    int pixel = 0;
    bool major = false;  // a grid line across the plot and a longer mark
    std::string label;   // empty: no label
};

// How one axis maps values: to pixels, and to the relative position along the
// axis (0 at its minimum, 1 at its maximum).
struct AxisScale {
    double min = 0, max = 1;
    std::function<int(double)> pixel;
    std::function<double(double)> fraction;
};

// Linear axis: from the first tick below the minimum upward while ≤ the maximum,
// every fifth tick (counted from the first tick) labelled. Only ticks within the
// axis are returned.
std::vector<AxisTick> linearAxisTicks(const TickStep& step, const AxisScale& axis);

// Logarithmic axis, decade by decade downward from the maximum until the upper
// bound reaches the minimum or a decade has put a tick into the fifth of the
// axis next to the minimum. Once two labels of a decade would overlap
// (labelExtent: a label's size along the axis), only every ninth tick of the
// decade keeps its label.
std::vector<AxisTick> logAxisTicks(const TickStep& step, const AxisScale& axis,
                                   const std::function<int(const std::string&)>& labelExtent);

}  // namespace phonotab
