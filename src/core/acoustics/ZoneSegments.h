// The work range cut into runs of samples that the zones treat alike, so that
// the calculation never walks the zone list per sample.
#pragma once

#include <cstdint>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/RangeSet.h"

namespace phonotab {

struct SampleSegment {
    std::int64_t begin = 0;  // samples [begin, end), counted from the first sample of the work range
    std::int64_t end = 0;
    bool excluded = false;
    std::vector<std::size_t> corrections;  // correction zones over the run, in list order (zone indices)
};

// The time of sample t of the work range: (first sample + t) × period + span begin.
double sampleTime(const CalcSettings& s, const RangeSet& ranges, std::int64_t t);

// Runs covering [0, sample count) in order. A sample is excluded when an
// exclusion zone's closed interval holds its time; otherwise every correction
// zone holding it applies.
std::vector<SampleSegment> classifySamples(const RangeSet& ranges, const CalcSettings& s);

// The correction of one band over each run (0 where none applies or the run is
// excluded): the zones' values added in list order.
std::vector<double> segmentCorrections(const std::vector<SampleSegment>& segments, const RangeSet& ranges,
                                       int correctionIndex);

}  // namespace phonotab
