#include "core/acoustics/TimeBar.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"
#include "core/base/TextIds.h"
#include "core/base/Message.h"

namespace phonotab {

namespace {
std::string clockText(std::int64_t s) {
    return cformat("%02d:%02d:%02d", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60));
}

}  // namespace

TimeBar::TimeBar(const RangeSet& ranges, const CalcSettings& settings, BarRect area)
    : ranges_(ranges), settings_(settings), area_(area) {}

int TimeBar::x(double t) const {
    const double begin = ranges_.span().begin, length = ranges_.span().end - begin;
    if (!(length > 0)) return area_.left;
    const double f = std::clamp((t - begin) / length, 0.0, 1.0);
    return area_.left + static_cast<int>(std::floor(f * (area_.right - area_.left) + 0.5));
}

std::int64_t TimeBar::sampleAt(int px) const {
    const std::int64_t total = spanSampleTotal(ranges_, settings_);
    const int width = area_.right - area_.left;
    if (total <= 1 || width <= 0) return 0;
    const double f = std::clamp(static_cast<double>(px - area_.left) / width, 0.0, 1.0);
    return std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor(f * static_cast<double>(total - 1) + 0.5)), 0,
                                    total - 1);
}

BarRect TimeBar::lane(BarLane l) const {
    const int h = area_.bottom - area_.top;
    const int k = static_cast<int>(l);
    return {area_.left, area_.top + h * k / 3, area_.right, area_.top + h * (k + 1) / 3};
}

BarRect TimeBar::zoneRect(BarLane l, double begin, double end) const {
    BarRect r = lane(l);
    r.left = x(begin);
    r.right = std::max(x(end), r.left + 1);  // never narrower than one pixel
    return r;
}

std::vector<BarBlock> TimeBar::blocks() const {
    std::vector<BarBlock> out;
    const auto [first, last] = workRangeTimes(settings_, ranges_);
    out.push_back({BarLane::WorkRange, zoneRect(BarLane::WorkRange, first, last), std::nullopt});
    for (std::size_t i = 0; i < ranges_.zoneCount(); ++i) {
        const RangeZone& z = ranges_.zone(i);
        const BarLane l = z.exclusion ? BarLane::Exclusions : BarLane::Corrections;
        out.push_back({l, zoneRect(l, z.begin, z.end), i});
    }
    return out;
}

BarHit TimeBar::hitTest(int px, int py) const {
    BarHit hit;
    const BarRect inner{area_.left + 1, area_.top + 1, area_.right - 1, area_.bottom - 1};
    if (!inner.contains(px, py)) return hit;
    hit.onBar = true;
    for (const BarBlock& b : blocks())
        if (b.zone && b.rect.contains(px, py)) hit.zones.push_back(*b.zone);
    hit.workRangeLane = hit.zones.empty() && lane(BarLane::WorkRange).contains(px, py);
    return hit;
}

std::pair<double, double> workRangeTimes(const CalcSettings& s, const RangeSet& ranges) {
    const double begin = ranges.span().begin;
    const double first = static_cast<double>(s.firstSample) * s.samplePeriod + begin;
    const double last = static_cast<double>(s.firstSample + std::max<std::int64_t>(s.sampleCount, 1) - 1) * s.samplePeriod + begin;
    return {first, last};
}

std::string recordTimeText(double seconds, double recordLength, bool relative, const CalendarTime& start) {
    const auto s = static_cast<std::int64_t>(std::clamp(std::floor(seconds + 0.5), -9e15, 9e15));
    if (!relative) {
        const CalendarTime c = fromCivilSeconds(toCivilSeconds(start) + s);
        return cformat("%02d:%02d:%02d", c.hour, c.minute, c.second);
    }
    if (recordLength < 60) return cformat("%d", static_cast<int>(s));
    if (recordLength < 3600) return cformat("%02d:%02d", static_cast<int>(s / 60), static_cast<int>(s % 60));
    return clockText(s);
}

std::string sliderTimeText(std::int64_t position, double period, const RangeSet& ranges, bool relative,
                           const CalendarTime& start) {
    return recordTimeText(static_cast<double>(position) * period + ranges.span().begin,
                          ranges.span().end - ranges.span().begin, relative, start);
}

std::string rangesTitle(const CalcSettings& s, const CalendarTime& start) {
    const double duration = static_cast<double>(s.sampleCount) * s.samplePeriod;
    return Message(text::TimeBarTitle, duration, cformat("%02d/%02d/%04d", start.day, start.month, start.year)).text();
}

std::string zoneChoiceText(const RangeZone& z) { return Message(text::TimeBarZoneChoice, z.begin, z.end).text(); }

TimeFields splitTime(double seconds) {
    TimeFields f;
    if (!std::isfinite(seconds)) return f;
    const bool negative = seconds < 0;
    double rest = std::fabs(seconds);
    f.days = static_cast<std::int64_t>(std::floor(rest / 86400.0));
    rest -= static_cast<double>(f.days) * 86400.0;
    f.hours = static_cast<int>(std::floor(rest / 3600.0));
    rest -= f.hours * 3600.0;
    f.minutes = static_cast<int>(std::floor(rest / 60.0));
    f.seconds = rest - f.minutes * 60.0;
    if (negative) {
        f.days = -f.days;
        f.hours = -f.hours;
        f.minutes = -f.minutes;
        f.seconds = -f.seconds;
    }
    return f;
}

TimeFields clockFields(double relative, const CalendarTime& start) {
    const double ofDay = start.hour * 3600.0 + start.minute * 60.0 + start.second;
    return splitTime(ofDay + relative);
}

double relativeFromClock(const TimeFields& clock, const CalendarTime& start) {
    const double ofDay = start.hour * 3600.0 + start.minute * 60.0 + start.second;
    return clock.total() - ofDay;
}

}  // namespace phonotab
