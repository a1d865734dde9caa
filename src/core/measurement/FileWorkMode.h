// How a measurement file is read: as single samples, as the instrument's
// stored histograms, or as its records.
#pragma once

#include <cstdint>

namespace phonotab {

// The project file stores the mode as a 32-bit integer; a value outside the
// named ones is kept as it was read.
enum class FileWorkMode : std::int32_t { Samples = 0, Histograms = 1, Records = 2 };

constexpr bool isKnownWorkMode(FileWorkMode mode) {
    return mode == FileWorkMode::Samples || mode == FileWorkMode::Histograms || mode == FileWorkMode::Records;
}

}  // namespace phonotab
