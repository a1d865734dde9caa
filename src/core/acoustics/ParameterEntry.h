// One parameter of a file as the parameters window lists it: its code, what is
// computed for it, its data series and its per-window results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Series.h"
#include "core/measurement/FieldCode.h"

namespace phonotab {

// The row flags, in the order of the parameters window's columns 1 to 7.
struct StatisticFlags {
    bool plot = false;
    bool minimum = false;
    bool maximum = false;
    bool leq = false;
    bool percentiles = false;
    bool histogram = false;
    bool uncorrected = false;  // "без корр.": computed twice, without and with correction

    bool anyStatistic() const { return minimum || maximum || leq || percentiles; }
    bool operator==(const StatisticFlags&) const = default;
};

// The results of one variant (without or with correction), one element per window.
struct VariantResults {
    std::vector<std::vector<double>> percentiles;  // one list per percentile, ascending n
    std::vector<double> minima, maxima, leqs, durations;
    std::int64_t histogramCount = 0;  // samples counted into the class histogram
    std::int64_t leqCount = 0;        // samples counted into the Leq
    std::vector<int> classCounts;     // class counts over the work range (the histogram file)
    bool insufficient = false;        // some window counted fewer than 100 samples
    bool counted = false;             // some window counted a sample

    void clear();
};

struct ParameterEntry {
    FieldCode code = 0;
    StatisticFlags flags;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    std::string displayName;   // empty: the default name
    std::vector<ParameterEntry> subEntries;  // the following bands of the same parameter

    Series data;   // one level per sample of the file (stored histograms: 1024 class counts)
    Series data2;  // stored histograms: the counts outside exclusion zones (second variant)
    bool loaded = false;
    VariantResults first, second;

    bool twoVariants() const { return flags.uncorrected; }
    void clearResults();
};

// The kinds of parameter code the calculation tells apart.
enum class ParameterKind { MeasuredLevel, InstrumentPercentile, StoredHistogram, SynthesizedLeq, Other };
ParameterKind parameterKind(FieldCode code);
// Which of the two histogram streams a stored-histogram or synthesized-Leq code uses (0 or 1).
int histogramStream(FieldCode code);

}  // namespace phonotab
