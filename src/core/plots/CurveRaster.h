// The pixels of a curve as one vertical run per pixel column: what a width-1
// line through the curve's points covers, both ends of every segment included.
// A segment within one column covers the rows between its ends; a shallow
// segment one row per column, a steep one the rows whose nearest column is
// that column. Each segment is rasterised on its own, so a polyline through
// the first, lowest, highest and last sample of every column covers exactly
// the pixels of the polyline through all samples. Filling a run per column is
// also far cheaper than stroking thousands of short lines.
#pragma once

#include <vector>

#include "core/plots/PlotRect.h"
#include "core/plots/SeriesDecimator.h"

namespace phonotab {

struct ColumnRun {
    int x = 0, top = 0, bottom = 0;  // rows top..bottom inclusive
    bool operator==(const ColumnRun&) const = default;
};

// Appends the runs of the polyline, clipped to clip; consecutive contributions
// to one column are merged (a curve whose x only grows gives one run per column).
void rasterisePolyline(const std::vector<ScenePoint>& points, const PlotRect& clip, std::vector<ColumnRun>& out);

}  // namespace phonotab
