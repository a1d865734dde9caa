// The word stream of a monitoring station's file: 20-byte level entries with
// histogram blocks between them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Progress.h"

namespace phonotab {

constexpr std::size_t kMonitoringStreamStart = 20;
constexpr std::size_t kMonitoringEntryWords = 10;
constexpr std::size_t kMonitoringHistogramWords = 1024;  // 512 counts of 32 bits

using MonitoringEntry = std::array<std::uint16_t, kMonitoringEntryWords>;

// One 2048-byte histogram of a histogram block: 512 counts of 0.5-dB classes.
struct MonitoringHistogram {
    std::array<std::uint16_t, kMonitoringHistogramWords> words{};
    std::uint32_t count(int cls) const {
        return static_cast<std::uint32_t>(words[2 * cls]) | (static_cast<std::uint32_t>(words[2 * cls + 1]) << 16);
    }
};

struct MonitoringData {
    std::vector<MonitoringEntry> entries;
    std::vector<MonitoringHistogram> firstHistograms;
    std::vector<MonitoringHistogram> secondHistograms;
};

// Parses the stream from offset 20 in 1024-byte blocks aligned to the file
// start; a trailing partial block ends the parse. Entries that follow the last
// histogram block are kept: they are whole measurements, only without the
// histogram of their interval.
// A stop asked for through the progress ends the parse early (the caller then
// discards the result).
MonitoringData ParseMonitoringStream(ByteSpan file, const Progress& progress = {});

}  // namespace phonotab
