// One curve of a pane: a view of the caller's samples (never copied; the caller
// keeps them alive while the pane shows them) over the index range [first, last],
// with the drawn value scale × v + offset and a colour word.
#pragma once

#include <cstdint>
#include <memory>

#include "core/plots/MinMaxPyramid.h"

namespace phonotab {

struct GraphSeries {
    const double* samples = nullptr;  // samples[k − first] is the sample of index k
    std::int64_t first = 0;
    std::int64_t last = 0;            // first + count − 1
    double scale = 1.0;
    double offset = 0.0;
    // Bit 31 set: 0x00BBGGRR in the low 24 bits; clear: a colour-table index.
    std::uint32_t colour = 0;
    std::shared_ptr<const MinMaxPyramid> pyramid;  // built when the series is added

    std::int64_t count() const { return last - first + 1; }
    bool has(std::int64_t k) const { return k >= first && k <= last; }
    double raw(std::int64_t k) const { return samples[k - first]; }
    double drawn(double v) const { return scale * v + offset; }
    // Position of index k in the sample array (k must lie in the series).
    std::size_t position(std::int64_t k) const { return static_cast<std::size_t>(k - first); }
};

}  // namespace phonotab
