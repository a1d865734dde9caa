#include "core/plots/TimeAxis.h"

#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return -floorDiv(-a, b); }

// Beyond this many seconds from the civil epoch (about 30 million years)
// nothing is a date worth labelling.
constexpr double kLimit = 1e15;

}  // namespace

std::string formatClockTime(const CalendarTime& t) {
    return cformat("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string formatShortDate(const CalendarTime& t) {
    return cformat("%02d/%02d/%02d", t.day, t.month, ((t.year % 100) + 100) % 100);
}

TimeAxisTicks timeAxisTicks(const AxisScale& axis, std::int64_t origin, int slots) {
    TimeAxisTicks out;
    const double lo = static_cast<double>(origin) + axis.min, hi = static_cast<double>(origin) + axis.max;
    if (!(std::fabs(lo) < kLimit && std::fabs(hi) < kLimit) || hi < lo || slots <= 0) return out;
    const auto start = static_cast<std::int64_t>(std::floor(lo));
    const auto end = static_cast<std::int64_t>(std::floor(hi));
    for (int step : kTimeAxisSteps)
        if (floorDiv(end, step) - ceilDiv(start, step) + 1 <= slots) {
            out.step = step;
            break;
        }
    if (out.step == 0) return out;
    out.twoLines = floorDiv(start, kDay) != floorDiv(end, kDay);
    // Steps that do not divide a day restart at each midnight.
    for (std::int64_t day = floorDiv(start, kDay); day <= floorDiv(end, kDay); ++day) {
        const std::int64_t midnight = day * kDay;
        const std::int64_t skip = start > midnight ? ceilDiv(start - midnight, out.step) : 0;
        for (std::int64_t t = midnight + skip * out.step; t < midnight + kDay; t += out.step) {
            const double x = static_cast<double>(t - origin);
            if (x < axis.min) continue;
            if (x > axis.max) break;
            const CalendarTime c = fromCivilSeconds(t);
            AxisTick tick;
            tick.value = x;
            tick.pixel = axis.pixel(x);
            tick.major = true;
            tick.label = formatClockTime(c);
            if (out.twoLines) tick.label += "\n" + formatShortDate(c);
            out.ticks.push_back(std::move(tick));
        }
    }
    return out;
}

}  // namespace phonotab
