// What the ranges window's time bar shows and where: the work range, the
// exclusion zones and the correction zones as blocks in three lanes, the
// point-to-zone hit test of its context menus, and the texts of its times.
// The widget only paints these blocks and asks these questions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/RangeSet.h"
#include "core/base/CalendarTime.h"

namespace phonotab {

struct BarRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

enum class BarLane { WorkRange, Exclusions, Corrections };

struct BarBlock {
    BarLane lane = BarLane::WorkRange;
    BarRect rect;
    std::optional<std::size_t> zone;  // the zone's index (span not counted); none for the work range
};

// What a right click on the bar found.
struct BarHit {
    bool onBar = false;              // inside the bar shrunk by one pixel on every side
    bool workRangeLane = false;      // in the top lane with no zone under the point
    std::vector<std::size_t> zones;  // zones under the point, in list order
};

class TimeBar {
public:
    // The bar occupies `area`; the record's span and the work range come from
    // ranges and settings.
    TimeBar(const RangeSet& ranges, const CalcSettings& settings, BarRect area);

    // x of a time (seconds from the record's start): left at the span's begin,
    // right at its end. A span of length 0 (a record of one sample) maps every
    // time to the left edge.
    int x(double t) const;
    // The sample index nearest to x, within [0, total − 1].
    std::int64_t sampleAt(int x) const;
    BarRect lane(BarLane l) const;

    // The work range, then every zone in list order; each at least one pixel wide.
    std::vector<BarBlock> blocks() const;
    BarHit hitTest(int x, int y) const;

private:
    BarRect zoneRect(BarLane l, double begin, double end) const;
    const RangeSet& ranges_;
    const CalcSettings& settings_;
    BarRect area_;
};

// The work range in seconds from the record's start: its first and last sample.
std::pair<double, double> workRangeTimes(const CalcSettings& s, const RangeSet& ranges);

// A moment of the record as the ranges window writes it, in its slider edits
// and under its time bar alike. Relative: floor(seconds + 0.5) whole seconds,
// written "%d" for a record shorter than a minute, "%02d:%02d" shorter than an
// hour, "%02d:%02d:%02d" otherwise (the record's length decides, not the
// value). Otherwise the instrument's clock time of start + seconds, "%02d:%02d:%02d".
std::string recordTimeText(double seconds, double recordLength, bool relative, const CalendarTime& start);

// The time of a slider position: position × period + span begin, written as above.
std::string sliderTimeText(std::int64_t position, double period, const RangeSet& ranges, bool relative,
                           const CalendarTime& start);

// The title of the ranges window: "Диапазоны (%.0lf сек), %s" with the work
// range's duration (sample count × period) and the record's start date "%d/%m/%Y".
std::string rangesTitle(const CalcSettings& s, const CalendarTime& start);
// A zone in the zone picker: "Зона %.1lf - %.1lf сек".
std::string zoneChoiceText(const RangeZone& z);

// A time split as the bounds dialog shows it: days, hours, minutes and seconds
// (seconds with a fraction); time = days·86400 + hours·3600 + minutes·60 + seconds.
struct TimeFields {
    std::int64_t days = 0;
    int hours = 0, minutes = 0;
    double seconds = 0.0;

    double total() const { return static_cast<double>(days) * 86400.0 + hours * 3600.0 + minutes * 60.0 + seconds; }
};
TimeFields splitTime(double seconds);
// The instrument's clock at `relative` seconds after the record's start, as
// fields of the time of day (days count whole days since the start's date).
TimeFields clockFields(double relative, const CalendarTime& start);
// Back from the clock's fields to seconds from the record's start.
double relativeFromClock(const TimeFields& clock, const CalendarTime& start);

}  // namespace phonotab
