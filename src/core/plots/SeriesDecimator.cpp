#include "core/plots/SeriesDecimator.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

namespace {

class ColumnWalker {
public:
    ColumnWalker(const GraphSeries& s, const SeriesMapping& m) : s_(s), m_(m) {}

    int column(std::int64_t k) const { return m_.map->px(m_.x0 + static_cast<double>(k) * m_.dx); }

    int row(double raw) const {
        double v = s_.drawn(raw);
        if (m_.clamp) v = std::clamp(v, m_.clampLo, m_.clampHi);
        return m_.map->py(v);
    }

    // The last index ≤ last that falls into the same column as k. Where x grows
    // with the index the column's right edge gives it at once, up to rounding;
    // otherwise (or when rounding fools the estimate) a gallop and a bisection
    // find it, as the indices of one column are contiguous whichever way x runs.
    std::int64_t runEnd(std::int64_t k, std::int64_t last) const {
        const int p = column(k);
        if (m_.dx > 0 && m_.map->kx() > 0) {
            const double edge = (m_.map->xAtPosition(p + 0.5) - m_.x0) / m_.dx;
            if (std::isfinite(edge) && edge > static_cast<double>(k)) {
                const double capped = std::min(edge, static_cast<double>(last) + 1);
                std::int64_t e = std::clamp(static_cast<std::int64_t>(std::ceil(capped)) - 1, k, last);
                for (int step = 0; step < 3; ++step) {
                    if (column(e) != p) {
                        if (e == k) break;
                        --e;
                    } else if (e < last && column(e + 1) == p) {
                        ++e;
                    } else {
                        return e;
                    }
                }
            }
        }
        return gallop(k, last, p);
    }

    std::int64_t gallop(std::int64_t k, std::int64_t last, int p) const {
        std::int64_t good = k, stride = 1;
        std::int64_t bad = last + 1;
        while (good + stride <= last) {
            if (column(good + stride) != p) {
                bad = good + stride;
                break;
            }
            good += stride;
            stride *= 2;
        }
        if (bad == last + 1 && good < last) {
            if (column(last) == p) return last;
            bad = last;
        }
        while (bad - good > 1) {
            const std::int64_t mid = good + (bad - good) / 2;
            (column(mid) == p ? good : bad) = mid;
        }
        return good;
    }

private:
    const GraphSeries& s_;
    const SeriesMapping& m_;
};

void push(std::vector<ScenePoint>& out, ScenePoint p) {
    if (out.empty() || !(out.back() == p)) out.push_back(p);
}

}  // namespace

void decimateSeries(const GraphSeries& series, IndexRange part, const SeriesMapping& mapping,
                    std::vector<ScenePoint>& out) {
    if (!mapping.map || !series.pyramid || part.count() <= 0) return;
    part.first = std::max(part.first, series.first);
    part.last = std::min(part.last, series.last);
    const ColumnWalker walker(series, mapping);
    for (std::int64_t k = part.first; k <= part.last;) {
        const std::int64_t end = walker.runEnd(k, part.last);
        // Columns most likely hold as many samples as this one: fetch what the
        // sixth column on will read, far enough ahead for memory to answer.
        if (end - k >= 4 * static_cast<std::int64_t>(MinMaxPyramid::kExtremesBlock))
            series.pyramid->prefetch(series.position(std::min(part.last, end + 6 * (end - k + 1))));
        const int x = walker.column(k);
        if (end - k < 4) {
            for (std::int64_t j = k; j <= end; ++j) {
                const double v = series.raw(j);
                if (std::isfinite(v)) push(out, {x, walker.row(v)});
            }
        } else {
            double lo = 0, hi = 0;
            if (series.pyramid->minMax(series.position(k), series.position(end), lo, hi)) {
                double first = series.raw(k), last = series.raw(end);
                if (!std::isfinite(first)) first = lo;
                if (!std::isfinite(last)) last = hi;
                push(out, {x, walker.row(first)});
                push(out, {x, walker.row(lo)});
                push(out, {x, walker.row(hi)});
                push(out, {x, walker.row(last)});
            }
        }
        k = end + 1;
    }
}

}  // namespace phonotab
