#include "core/plots/CurveRaster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace phonotab {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return -floorDiv(-a, b); }

class RunSink {
public:
    RunSink(const PlotRect& clip, std::vector<ColumnRun>& out) : clip_(clip), out_(out) {}

    void add(int x, int a, int b) {
        if (a > b) std::swap(a, b);
        if (x < clip_.left || x >= clip_.right) return;
        a = std::max(a, clip_.top);
        b = std::min(b, clip_.bottom - 1);
        if (a > b) return;
        if (!out_.empty() && out_.back().x == x && fresh_) {
            ColumnRun& r = out_.back();
            r.top = std::min(r.top, a);
            r.bottom = std::max(r.bottom, b);
            return;
        }
        out_.push_back({x, a, b});
        fresh_ = true;
    }

private:
    const PlotRect& clip_;
    std::vector<ColumnRun>& out_;
    bool fresh_ = false;  // out_.back() was made by this sink
};

// One segment, ends included. Rows are counted as t = |y − y0| from the start
// so that the rounding is the same whichever way the segment runs vertically.
void segment(ScenePoint p, ScenePoint q, const PlotRect& clip, RunSink& sink) {
    if (p.x == q.x) return sink.add(p.x, p.y, q.y);
    if (p.x > q.x) std::swap(p, q);
    const std::int64_t dx = static_cast<std::int64_t>(q.x) - p.x;
    const std::int64_t dy = std::llabs(static_cast<std::int64_t>(q.y) - p.y);
    const int sy = q.y >= p.y ? 1 : -1;
    const std::int64_t jFirst = std::max<std::int64_t>(0, static_cast<std::int64_t>(clip.left) - p.x);
    const std::int64_t jLast = std::min<std::int64_t>(dx, static_cast<std::int64_t>(clip.right) - 1 - p.x);
    for (std::int64_t j = jFirst; j <= jLast; ++j) {
        const int x = static_cast<int>(p.x + j);
        if (dy <= dx) {
            // One row per column: the nearest to the line.
            const std::int64_t t = floorDiv(2 * j * dy + dx, 2 * dx);
            sink.add(x, static_cast<int>(p.y + sy * t), static_cast<int>(p.y + sy * t));
        } else {
            // The rows whose nearest column is x.
            const std::int64_t t0 = std::max<std::int64_t>(0, ceilDiv((2 * j - 1) * dy, 2 * dx));
            const std::int64_t t1 = std::min<std::int64_t>(dy, ceilDiv((2 * j + 1) * dy, 2 * dx) - 1);
            if (t0 <= t1) sink.add(x, static_cast<int>(p.y + sy * t0), static_cast<int>(p.y + sy * t1));
        }
    }
}

}  // namespace

void rasterisePolyline(const std::vector<ScenePoint>& points, const PlotRect& clip, std::vector<ColumnRun>& out) {
    RunSink sink(clip, out);
    if (points.size() == 1) sink.add(points[0].x, points[0].y, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i], clip, sink);
}

}  // namespace phonotab
