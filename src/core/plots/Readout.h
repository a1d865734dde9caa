// The texts of a pane's two readout fields (x and y) in the window's readout
// modes: 0 the cursor, 1 the cursor relative to marker 1, 4 relative to
// marker 2, 5 the statistics of the visible data.
#pragma once

#include <optional>
#include <string>

#include "core/plots/GraphPane.h"

namespace phonotab {

enum class ReadoutMode { Cursor = 0, FromMarker1 = 1, FromMarker2 = 4, Statistics = 5 };

// The modes in the order a click on a readout field steps through them.
ReadoutMode nextReadoutMode(ReadoutMode mode);

struct ReadoutText {
    std::string x, y;
};

// cursor: the pointer's position in axis values, when it is over the plot
// (modes 0, 1 and 4 show nothing without it). Figures of mode 5 come from the
// pane's last draw.
ReadoutText readoutText(const GraphPane& pane, ReadoutMode mode, std::optional<GraphMarker> cursor);

// "%1.0lf"-style format of a readout with the digit after the point replaced by
// the pane's readout decimals: every "%.0" and "%1.0" of the text.
std::string withReadoutDecimals(const std::string& format, int decimals);

}  // namespace phonotab
