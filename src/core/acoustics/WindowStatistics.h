// Per-window statistics of one parameter variant over the work range: minimum,
// maximum, Leq, Leq time, class counts and percentile levels.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/LevelSource.h"
#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/ZoneSegments.h"

namespace phonotab {

// The calculation windows over [0, n): [k·step, k·step + length) while they fit;
// without scanning (or a step of 0 samples) one window over everything, and a
// first window longer than the series is cut to it.
struct WindowPlan {
    std::int64_t samples = 0;
    std::int64_t step = 0;    // samples; 0 means a single window
    std::int64_t length = 0;  // samples

    static WindowPlan single(std::int64_t n) { return {n, 0, n}; }
    // Scan interval and step in samples (already snapped to whole samples).
    static WindowPlan scanning(std::int64_t n, std::int64_t stepSamples, std::int64_t lengthSamples);

    std::int64_t windowCount() const;
    std::int64_t start(std::int64_t k) const { return k * step; }
    std::int64_t end(std::int64_t k) const;
    bool overlapping() const { return step > 0 && length > step && windowCount() > 1; }
};

class WindowScanner;

// Computes the windows of one variant. data points at the entry's value of the
// first sample of the work range; corrections holds one value per segment.
// Samples holding the no-value mark never enter. With rangeHistogram, the class
// counts over the whole work range go to results.classCounts (the histogram file).
void computeWindows(const double* data, const std::vector<SampleSegment>& segments,
                    const std::vector<double>& corrections, VariantRule rule, const WindowPlan& plan,
                    const CalcSettings& settings, VariantResults& results, bool rangeHistogram = true);

// The same computation over samples that arrive in order, a block at a time,
// for a calculation that never holds the whole series: after each block the
// scanner says from which sample on it will still read.
class WindowScanner {
public:
    // The two halves of a window's statistics, which two scanners over the
    // same samples may compute side by side (they fill different members of
    // the results): minimum, maximum, Leq and its time; the class counts, the
    // percentiles and the range histogram.
    enum class Parts { All, Levels, Classes };

    WindowScanner(const std::vector<SampleSegment>& segments, const std::vector<double>& corrections,
                  VariantRule rule, const WindowPlan& plan, const CalcSettings& settings, VariantResults& results,
                  bool rangeHistogram = true, Parts parts = Parts::All);
    ~WindowScanner();
    WindowScanner(const WindowScanner&) = delete;
    WindowScanner& operator=(const WindowScanner&) = delete;

    // Samples [begin, end) of the work range are at data[0 … end − begin);
    // begin is at most neededFrom(), end grows from one call to the next.
    void advance(const double* data, std::int64_t begin, std::int64_t end);
    // The first sample that a later advance must still hold.
    std::int64_t neededFrom() const;
    // After the last sample: the results are complete.
    void finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace phonotab
