// The distribution of one 16-bit level field over the records of several
// export files, in 0.5-dB classes, with its percentile levels.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/measurement/FieldCode.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

struct DistributionResult {
    double minimum = 1e300;
    double maximum = 0.0;
    std::int64_t records = 0;
    std::vector<std::int64_t> classes;                 // 514: below 0 dB, 0.5-dB classes, overflow
    std::vector<std::pair<double, double>> levels;     // (fraction, level), largest fraction first
};

// Reads records [firstRecord, lastRecord] of each file (fewer when a file is
// shorter) and the field's u16/256 levels. Fractions: 0.05 for L5 and so on.
// Messages: 105 a file that cannot be opened, 392 nothing read, 5006 stopped
// through the progress.
Result<DistributionResult> DistributionHistogram(const std::vector<std::string>& files, std::int64_t firstRecord,
                                                 std::int64_t lastRecord, FieldCode field,
                                                 const std::set<double>& fractions, const TeleDesc& desc,
                                                 const Progress& progress = {});

}  // namespace phonotab
