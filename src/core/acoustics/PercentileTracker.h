// The percentile levels of overlapping windows, read from class counts that
// change by a few samples from one window to the next: each percentile keeps
// the class it fell in and the count at or below that class, and moves from
// there instead of summing the classes from the bottom for every window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/acoustics/CalcSettings.h"

namespace phonotab {

class PercentileTracker {
public:
    // classes: the counters that the caller changes and reports through
    // countChanged; they must hold zeros when the tracker is made.
    PercentileTracker(const HistogramSettings& h, const std::vector<int>& classes);

    // classes[c] has changed by delta.
    void countChanged(std::size_t c, int delta) {
        // Without a branch: samples fall on either side of a percentile's
        // class about as often, which no branch predictor can guess.
        for (Slot& s : slots_) s.atOrBelow += delta & -static_cast<int>(c <= s.cls);
    }

    // Appends one value per percentile for a window of `total` counted samples,
    // the same values as ComputePercentiles over the same counts.
    void append(std::int64_t total, std::vector<std::vector<double>>& percentiles, bool& insufficient);

private:
    struct Slot {
        double threshold = 0;        // 1 − n/100: reached once the share at or below a class exceeds it
        std::size_t cls = 0;         // the class the slot stands at
        std::int64_t atOrBelow = 0;  // counts of classes 0 … cls
    };
    const HistogramSettings& h_;
    const std::vector<int>& classes_;
    std::vector<Slot> slots_;  // in the order of the percentiles (ascending n)
};

}  // namespace phonotab
