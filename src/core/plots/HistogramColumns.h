// The columns of a level histogram in the histogram plot: 1024 bins of 0.25 dB
// (bin i holds the levels from 0.25·i up to 0.25·(i + 1) dB, bin 0 everything
// below 0.25 dB, bin 1023 everything from 255.75 dB on), shown as counts,
// percentages, normalised to the largest column, or as the percentile curve.
//
// Column j sums the bins j·step … j·step + step − 1 (the last column the bins
// up to 1023) and its caption names exactly those levels: "<" and the upper edge
// for the first column, ">=" and the lower edge for the last, otherwise the
// upper edge and, on a second line, "[lower - upper]".
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/measurement/MeasurementRecord.h"  // kHistogramBins

namespace phonotab {

constexpr double kHistogramBinWidth = 0.25;  // dB
constexpr int kMaxHistogramStep = 128;

enum class HistogramDisplay { Counts = 0, Percent = 1, Normalised = 2, Percentiles = 3 };

// The percent points of the percentile curve lie this many percent apart:
// half the step in whole percent, at least 1.
int percentilePointStep(int step);

// Step in bins from a step in dB (or percent) as typed: ⌊4·v + 0.5⌋ within 1 … 128.
int histogramStepFromValue(double value);

std::vector<std::string> histogramCaptions(HistogramDisplay mode, int step);

// The column values of the counts (missing bins count 0, bins beyond 1024 are
// left out). Percentages and normalised values of a histogram without counts
// stay the raw (zero) sums; the percentile curve of one without counts is
// empty (nothing to draw).
std::vector<double> histogramValues(std::span<const double> counts, HistogramDisplay mode, int step);

}  // namespace phonotab

namespace phonotab {

// The classes of a histogram read from a file, shown as counts, percentages or
// normalised to the largest class (the same rules as above, one column per
// class; the percentile curve is not offered for them).
std::vector<double> classColumnValues(std::span<const double> counts, HistogramDisplay mode);

}  // namespace phonotab
