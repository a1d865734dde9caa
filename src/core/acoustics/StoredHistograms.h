// Histograms stored by the instruments: the class counts of a stored-histogram
// parameter over the work range, and the level of each stored interval.
#pragma once

#include <cstdint>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/RangeSet.h"
#include "core/base/MappedFile.h"
#include "core/base/Result.h"
#include "core/base/Series.h"
#include "core/measurement/MeasurementFile.h"

namespace phonotab {

// The counts of stored interval i of a file in histogram mode, as 1024 classes
// of 0.25 dB, for histogram stream 0 or 1.
//  - Stations: 512 counts of 0.5 dB, each split into two 0.25-dB classes.
//  - "mnt" files: block `stream` of histogram set i holds 1024 running 32-bit
//    counters (its first word is the block's marker, constant from set to set).
class StoredHistogramReader {
public:
    static Result<StoredHistogramReader> open(const MeasurementFile& file);

    std::int64_t intervals() const { return file_->count; }
    // Monitoring: the 0.5-dB counts of interval i (512 values).
    bool stationCounts(std::int64_t i, int stream, std::vector<std::uint32_t>& out) const;
    // "mnt": the 1024 running counters of interval i; false beyond the file.
    bool runningCounters(std::int64_t i, int stream, std::vector<std::uint32_t>& out) const;
    bool isStation() const { return file_->isMonitoring(); }

private:
    const MeasurementFile* file_ = nullptr;
    MappedFile map_;
};

// Loads the 1024 class counts of a stored-histogram entry over the work range.
// With `both` (two variants and exclusion zones included uncorrected) data gets
// every interval and data2 those outside exclusion zones; otherwise data gets
// the intervals outside exclusion zones. Running counters enter as differences
// to the previous interval; a counter that went down (a reset) adds nothing.
Status loadStoredHistogram(const MeasurementFile& file, const CalcSettings& settings, const RangeSet& ranges,
                           int stream, bool both, Series& data, Series& data2);

// One level per stored interval of the whole file (0 where nothing was counted).
Status loadSynthesizedLeq(const MeasurementFile& file, int stream, Series& data);

// Sampling period of the counts in stored histograms (a count stands for this
// much time in the Leq time): the instruments count levels ten times a second.
constexpr double kHistogramSamplePeriod = 0.1;

}  // namespace phonotab
