#include "core/plots/PaneRanges.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

std::optional<IndexRange> drawnPart(const GraphSeries& s, IndexRange visible) {
    if (!(s.first < visible.last && visible.first < s.last)) return std::nullopt;
    return IndexRange{std::max(s.first, visible.first), std::min(s.last, visible.last)};
}

void applyAxisMargin(double& lo, double& hi, bool logarithmic) {
    double m = (hi - lo) * 0.05;
    // The magnitude of hi, so that a negative axis is widened, never turned over.
    if (hi != 0 && std::fabs(m / hi) < 5e-16) m = std::fabs(hi) * 1e-15;
    if (!logarithmic) {
        lo -= m;
        hi += m;
    }
}

namespace {

void widenEqual(double& lo, double& hi) {
    if (hi == lo) {
        lo -= 0.1;
        hi += 0.1;
    }
}

void fixLogarithmic(double& lo, double& hi) {
    if (lo <= 0) lo = 0.1;
    if (hi <= lo) hi = lo + 0.1;
}

}  // namespace

std::optional<PaneStats> computePaneRanges(const GraphPane& pane) {
    if (pane.series().empty()) return std::nullopt;
    const IndexRange vis = pane.visibleRange();
    PaneStats st;
    double yMax = -1e200, yMin = 1e200, firstMax = -1e200;
    std::int64_t n = 0;
    double rawSum = 0;

    std::vector<RangeSummary> parts;
    for (std::size_t i = 0; i < pane.series().size(); ++i) {
        const GraphSeries& s = pane.series()[i];
        const auto part = drawnPart(s, vis);
        if (!part || !s.pyramid) continue;
        const RangeSummary r = s.pyramid->summary(s.position(part->first), s.position(part->last));
        if (r.count == 0) continue;
        // scale × v + offset is monotone in v, so the drawn extremes come from
        // the raw extremes (exchanged by a negative scale).
        const double a = s.drawn(r.min), b = s.drawn(r.max);
        const double hi = std::max(a, b), lo = std::min(a, b);
        yMax = std::max(yMax, hi);
        yMin = std::min(yMin, lo);
        if (i == 0) firstMax = hi;
        n += r.count;
        rawSum += r.rawSum();
        parts.push_back(r);
    }
    if (n > 0) {
        st.mean = rawSum / static_cast<double>(n);
        double dev = 0, squares = 0;
        for (const RangeSummary& r : parts) {
            // Σ (v − mean)² = Σ (v − ref)² + 2 (ref − mean) Σ (v − ref) + n (ref − mean)²
            const double shift = r.reference - st.mean;
            dev += r.sumSq + 2 * shift * r.sum + static_cast<double>(r.count) * shift * shift;
            squares += r.rawSumSquares();
        }
        st.stdDev = std::sqrt(std::max(0.0, dev / static_cast<double>(n)));
        st.sumSquares = std::max(0.0, squares);
    }
    st.samples = n;
    if (yMax < yMin) yMax = yMin = firstMax = 0;
    if (firstMax == -1e200) firstMax = 0;
    widenEqual(yMin, yMax);
    applyAxisMargin(yMin, yMax, pane.hasFlag(paneflag::kLogY));

    double xMin = pane.xOf(vis.first), xMax = pane.xOf(vis.last);
    // A single visible sample would leave no x span to map onto.
    widenEqual(xMin, xMax);
    applyAxisMargin(xMin, xMax, pane.hasFlag(paneflag::kLogX));

    if (pane.hasFlag(paneflag::kFixedY)) {
        yMin = pane.fixedYMin();
        yMax = pane.fixedYMax();
        widenEqual(yMin, yMax);
    }
    if (pane.hasFlag(paneflag::kLogY)) fixLogarithmic(yMin, yMax);
    if (pane.hasFlag(paneflag::kLogX) && !pane.hasFlag(paneflag::kTimeAxis)) fixLogarithmic(xMin, xMax);
    st.xMin = xMin;
    st.xMax = xMax;
    st.yMin = yMin;
    st.yMax = yMax;
    st.firstSeriesMax = firstMax;
    return st;
}

}  // namespace phonotab
