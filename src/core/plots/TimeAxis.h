// The calendar time axis: x values are seconds after the pane's time origin;
// ticks fall on whole multiples of a step from a fixed table, counted in the
// time of day, and read as clock times (with the date on a second line when
// the axis spans more than one calendar date).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/CalendarTime.h"
#include "core/plots/AxisTicks.h"

namespace phonotab {

inline constexpr std::array<int, 14> kTimeAxisSteps = {1,    5,    10,    20,    30,    60,    300,
                                                       600,  1200, 1800,  3600,  18000, 36000, 86400};

// Clock time "%X" and date "%d/%m/%y" of the labels (fixed 24-hour forms, so
// that the picture does not depend on the machine's locale).
std::string formatClockTime(const CalendarTime& t);
std::string formatShortDate(const CalendarTime& t);

struct TimeAxisTicks {
    int step = 0;            // seconds; 0 when no step fits (no ticks)
    bool twoLines = false;   // labels carry the date as a second line
    std::vector<AxisTick> ticks;  // labels: the time, then "\n" and the date when twoLines
};

// slots: how many labels fit along the axis (its pixels ÷ a label's width).
// The first step of the table with no more ticks than slots between the whole
// seconds of the axis ends is taken.
TimeAxisTicks timeAxisTicks(const AxisScale& axis, std::int64_t origin, int slots);

}  // namespace phonotab
