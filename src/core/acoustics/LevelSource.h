// The levels of one parameter variant as the calculation sees them: the
// samples of the work range that are not excluded (or are taken uncorrected),
// each with the correction of its run, samples without a value left out.
// The per-window statistics and the period indicators both walk it, so both
// see exactly the same levels.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/ZoneSegments.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/RecordLayout.h"

namespace phonotab {

// How the samples of the work range enter one variant of an entry.
struct VariantRule {
    bool corrected = true;        // the run's correction is added
    bool takesExcluded = false;   // samples of exclusion zones enter (uncorrected)
};

class LevelSource {
public:
    // The series is given later, block by block (setData).
    LevelSource(const std::vector<SampleSegment>& segs, const std::vector<double>& corr, VariantRule rule)
        : segs_(segs), corr_(corr), rule_(rule) {}
    // data points at the entry's value of the first sample of the work range;
    // corrections holds one value per segment.
    LevelSource(const double* data, const std::vector<SampleSegment>& segs, const std::vector<double>& corr,
                VariantRule rule)
        : data_(data), segs_(segs), corr_(corr), rule_(rule) {}

    // The samples [begin, …) are at data[0 …] (a block read from the file).
    void setData(const double* data, std::int64_t begin) {
        data_ = data;
        dataBegin_ = begin;
    }

    // For each contributing sample of [a, b), in increasing order: f(level),
    // or f(t, level) when f takes the sample too.
    template <typename F>
    void forEach(std::int64_t a, std::int64_t b, F&& f) const {
        auto it = std::upper_bound(segs_.begin(), segs_.end(), a,
                                   [](std::int64_t t, const SampleSegment& s) { return t < s.end; });
        for (; it != segs_.end() && it->begin < b; ++it) {
            const SampleSegment& s = *it;
            if (s.excluded && !rule_.takesExcluded) continue;
            const bool corrected = rule_.corrected && !s.excluded;
            const double c = corrected ? corr_[static_cast<std::size_t>(it - segs_.begin())] : 0.0;
            const std::int64_t from = std::max(a, s.begin), to = std::min(b, s.end);
            for (std::int64_t t = from; t < to; ++t) {
                const double v = data_[t - dataBegin_];
                if (v == kNoValue || std::isnan(v)) continue;
                const double level = corrected ? v + c : v;
                if constexpr (std::is_invocable_v<F, std::int64_t, double>)
                    f(t, level);
                else
                    f(level);
            }
        }
    }
    // f(t, level) for each contributing sample t of [a, b), in increasing order.
    template <typename F>
    void forEachSample(std::int64_t a, std::int64_t b, F&& f) const {
        forEach(a, b, [&f](std::int64_t t, double level) { f(t, level); });
    }

private:
    const double* data_ = nullptr;
    std::int64_t dataBegin_ = 0;
    const std::vector<SampleSegment>& segs_;
    const std::vector<double>& corr_;
    VariantRule rule_;
};

// The correction table entry a level parameter takes, or -1: corrections apply
// to measured levels of the first kind (bits 27–24 equal 1) whose band is
// within the instrument's bands of the family.
int entryCorrectionIndex(const ParameterEntry& e, const RecordLayout& layout);

}  // namespace phonotab
