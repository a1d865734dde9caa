#include "core/plots/TimeAxis.h"

#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

constexpr std::int64_t kDay = 86400;
// 1970-01-05, the first Monday of the civil epoch: multi-day ticks count from it.
constexpr std::int64_t kMondayAnchor = 4 * kDay;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return -floorDiv(-a, b); }

// Beyond this many seconds from the civil epoch (about 30 million years)
// nothing is a date worth labelling.
constexpr double kLimit = 1e15;

bool fits(std::int64_t start, std::int64_t end, std::int64_t step, int slots) {
    return floorDiv(end, step) - ceilDiv(start, step) + 1 <= slots;
}

// The first step of the table, then of whole days, that puts no more ticks
// than slots on the axis; one always does, as the steps grow past any span.
std::int64_t timeStep(std::int64_t start, std::int64_t end, int slots) {
    for (int step : kTimeAxisSteps)
        if (fits(start, end, step, slots)) return step;
    // Days count from the Monday anchor, as their ticks do.
    start -= kMondayAnchor;
    end -= kMondayAnchor;
    for (int days : kTimeAxisDaySteps)
        if (fits(start, end, days * kDay, slots)) return days * kDay;
    std::int64_t step = kTimeAxisDaySteps.back() * kDay;
    do step *= 2;
    while (!fits(start, end, step, slots));
    return step;
}

AxisTick timeTick(std::int64_t t, std::int64_t origin, const AxisScale& axis, bool twoLines) {
    const CalendarTime c = fromCivilSeconds(t);
    AxisTick tick;
    tick.value = static_cast<double>(t - origin);
    tick.pixel = axis.pixel(tick.value);
    tick.major = true;
    tick.label = formatClockTime(c);
    if (twoLines) tick.label += "\n" + formatShortDate(c);
    return tick;
}

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
    out.step = timeStep(start, end, slots);
    out.twoLines = floorDiv(start, kDay) != floorDiv(end, kDay);
    if (out.step > kDay) {
        // Whole days from the Monday anchor.
        const std::int64_t first = kMondayAnchor + ceilDiv(start - kMondayAnchor, out.step) * out.step;
        for (std::int64_t t = first; t <= end; t += out.step) {
            if (static_cast<double>(t - origin) < axis.min) continue;
            out.ticks.push_back(timeTick(t, origin, axis, out.twoLines));
        }
        return out;
    }
    // Steps that do not divide a day restart at each midnight.
    for (std::int64_t day = floorDiv(start, kDay); day <= floorDiv(end, kDay); ++day) {
        const std::int64_t midnight = day * kDay;
        const std::int64_t skip = start > midnight ? ceilDiv(start - midnight, out.step) : 0;
        for (std::int64_t t = midnight + skip * out.step; t < midnight + kDay; t += out.step) {
            const double x = static_cast<double>(t - origin);
            if (x < axis.min) continue;
            if (x > axis.max) break;
            out.ticks.push_back(timeTick(t, origin, axis, out.twoLines));
        }
    }
    return out;
}

}  // namespace phonotab
