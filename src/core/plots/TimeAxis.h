// The calendar time axis: x values are seconds after the pane's time origin;
// ticks fall on whole multiples of a step from a fixed table, counted in the
// time of day, and read as clock times (with the date on a second line when
// the axis spans more than one calendar date). Records of weeks and months (a
// monitoring terminal left outdoors) go on with steps of whole days and weeks,
// so that a long axis always carries labels.
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
// After the table: 2, 7, 14 and 28 days, then 28 days doubled as often as it
// takes. Steps of days fall on midnights counted from a Monday, so that weekly
// ticks mark the weeks.
inline constexpr std::array<int, 4> kTimeAxisDaySteps = {2, 7, 14, 28};

// Clock time "%X" and date "%d/%m/%y" of the labels (fixed 24-hour forms, so
// that the picture does not depend on the machine's locale).
std::string formatClockTime(const CalendarTime& t);
std::string formatShortDate(const CalendarTime& t);

struct TimeAxisTicks {
    std::int64_t step = 0;   // seconds; 0 only when there is no axis (no ticks)
    bool twoLines = false;   // labels carry the date as a second line
    std::vector<AxisTick> ticks;  // labels: the time, then "\n" and the date when twoLines
};

// slots: how many labels fit along the axis (its pixels ÷ a label's width).
// The first step with no more ticks than slots between the whole seconds of
// the axis ends is taken.
TimeAxisTicks timeAxisTicks(const AxisScale& axis, std::int64_t origin, int slots);

}  // namespace phonotab
