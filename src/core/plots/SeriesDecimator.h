// Reduction of a series to what one frame can show: for every pixel column of
// the plot the first, lowest, highest and last sample that fall into it. The
// polyline through these points covers exactly the pixels of the polyline
// through all samples, and the series' min/max pyramid answers each column
// without visiting its samples, so a frame costs the same for ten thousand
// samples as for ten million.
#pragma once

#include <vector>

#include "core/plots/CoordinateMap.h"
#include "core/plots/GraphPane.h"

namespace phonotab {

struct ScenePoint {
    int x = 0, y = 0;
    bool operator==(const ScenePoint&) const = default;
};

// How a series' values become pixels: x = x0 + index × dx, the drawn value
// scale × v + offset, clamped to [clampLo, clampHi] when clamp is set.
struct SeriesMapping {
    double x0 = 0, dx = 1;
    bool clamp = false;
    double clampLo = 0, clampHi = 0;
    const CoordinateMap* map = nullptr;
};

// Appends the points of the series' indices [part.first, part.last] to out.
// Samples that are not finite are left out.
void decimateSeries(const GraphSeries& series, IndexRange part, const SeriesMapping& mapping,
                    std::vector<ScenePoint>& out);

}  // namespace phonotab
