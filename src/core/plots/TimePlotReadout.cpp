#include "core/plots/TimePlotReadout.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"
#include "core/plots/TimeAxis.h"

namespace phonotab {

namespace {

std::int64_t wholeSeconds(double s) {
    if (!std::isfinite(s)) return 0;
    return static_cast<std::int64_t>(std::floor(std::clamp(s, -9e15, 9e15) + 0.5));
}

}  // namespace

std::string timePlotReadout(std::uint32_t mask, const TimePlotContent& c, const GraphPane& pane,
                            std::optional<GraphMarker> cursor, std::int64_t shown) {
    const bool clock = (mask & legend::kClockTimes) != 0;
    auto position = [&](const char* name, double x) {
        if (!clock) return cformat("%s: %.6lg; ", name, x);
        const std::int64_t at = c.timeOrigin + wholeSeconds(c.secondsOfX(x));
        return cformat("%s: %s; ", name, formatClockTime(fromCivilSeconds(at)).c_str());
    };
    auto distance = [&](const char* name, double dx) {
        if (!clock) return cformat("%s: %.6lg; ", name, dx);
        const std::int64_t s = wholeSeconds(c.secondsOfX(dx));
        const std::int64_t a = s < 0 ? -s : s;
        return cformat("%s: %s%02lld:%02lld:%02lld; ", name, s < 0 ? "-" : "", static_cast<long long>(a / 3600),
                       static_cast<long long>(a / 60 % 60), static_cast<long long>(a % 60));
    };
    const bool m1 = pane.markerSet(1), m2 = pane.markerSet(2);
    std::string out;
    if (cursor && (mask & legend::kCursorX)) out += position("x", cursor->x);
    if (cursor && m1 && (mask & legend::kFromMarkerX)) out += distance("dx", cursor->x - pane.marker(1).x);
    if (cursor && (mask & legend::kCursorY)) out += cformat("y: %.2lf; ", cursor->y);
    if (cursor && m1 && (mask & legend::kFromMarkerY)) out += cformat("dy: %.2lf; ", cursor->y - pane.marker(1).y);
    if (mask & legend::kPoints) out += cformat("pts: %lld; ", static_cast<long long>(shown));
    if (m1 && (mask & legend::kMarker1X)) out += position("m1x", pane.marker(1).x);
    if (m1 && (mask & legend::kMarker1Y)) out += cformat("m1y: %.2lf; ", pane.marker(1).y);
    if (m2 && (mask & legend::kMarker2X)) out += position("m2x", pane.marker(2).x);
    if (m2 && (mask & legend::kMarker2Y)) out += cformat("m2y: %.2lf; ", pane.marker(2).y);
    return out;
}

}  // namespace phonotab
