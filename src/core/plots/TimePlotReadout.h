// The readout line of the time plot: the items its legend mask chooses, in a
// fixed order, each with its time in clock or relative form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/plots/GraphPane.h"
#include "core/plots/TimePlotContent.h"

namespace phonotab {

// Legend mask bits, in the order their items are written.
namespace legend {
constexpr std::uint32_t kCursorX = 1u << 0, kCursorY = 1u << 1, kFromMarkerX = 1u << 5, kFromMarkerY = 1u << 6,
                        kPoints = 1u << 7, kMarker1X = 1u << 14, kMarker1Y = 1u << 15, kMarker2X = 1u << 16,
                        kMarker2Y = 1u << 17, kClockTimes = 1u << 18;
constexpr std::uint32_t kDefault = kCursorX | kCursorY;
}  // namespace legend

// cursor: the pointer's plot value (absent outside the plot: its items are
// left out); shown: the number of samples the plot shows. Under kClockTimes
// positions read as the clock time of the record start plus x, and the
// distance from marker 1 as a duration.
std::string timePlotReadout(std::uint32_t mask, const TimePlotContent& content, const GraphPane& pane,
                            std::optional<GraphMarker> cursor, std::int64_t shown);

}  // namespace phonotab
