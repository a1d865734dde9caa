// Automatic axis ranges of a pane for its visible index range, with the figures
// the statistics readout shows (maximum of the first series, mean, deviation,
// sum of squares).
#pragma once

#include <optional>

#include "core/plots/GraphPane.h"

namespace phonotab {

// The drawn part of a series over the visible range [p, q]: [max(a, p), min(b, q)]
// when a < q and p < b, else nothing.
std::optional<IndexRange> drawnPart(const GraphSeries& s, IndexRange visible);

// The 5 % margin: m = (hi − lo) × 0.05, or |hi| × 1e-15 when m is negligible
// against hi; applied unless the axis is logarithmic.
void applyAxisMargin(double& lo, double& hi, bool logarithmic);

// Ranges and statistics over the pane's visible range; nullopt without series.
std::optional<PaneStats> computePaneRanges(const GraphPane& pane);

}  // namespace phonotab
