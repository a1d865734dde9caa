// Minimum, maximum, energy and class counts of the levels of one window, and
// the percentile levels read from the class counts.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/acoustics/CalcSettings.h"

namespace phonotab {

struct LevelAccumulator {
    double minimum = 1e300;
    double maximum = 0.0;  // starts at 0: a window of negative levels reports 0
    double energy = 0.0;   // the energy sum; replaced by the Leq after the window
    std::vector<int> classes;

    void reset(const HistogramSettings& h);
};

// The class counter a level goes to, or -1 when it is not counted.
// Edges included: below the lower bound → 0, class k → k + 1, at or above the
// upper bound → classes + 1. Edges excluded: class k → k, outside → -1.
// A class width of 0 or below (the settings dialog stores what it is given)
// cannot divide the levels: every level at or above the lower bound counts as
// beyond the upper bound.
int ClassIndex(const HistogramSettings& h, double level);

// ClassIndex for the many levels of one calculation: a multiplication by the
// inverse class width instead of a division, and the division itself only
// where the product lies so near a class edge that the two could part.
class ClassIndexer {
public:
    explicit ClassIndexer(const HistogramSettings& h);

    int operator()(double level) const {
        if (level < lower_) return excludeEdges_ ? -1 : 0;
        if (!widthUsable_) return exactIndex(level);
        // Both quotients lie within 1e-10 of the exact one for any class
        // count allowed, so away from an integer they have the same floor.
        const double q = (level - lower_) * inverseWidth_;
        const double whole = std::floor(q);
        const double fraction = q - whole;
        if (!(fraction >= 1e-9 && fraction <= 1.0 - 1e-9) || !(whole < 2e9)) return exactIndex(level);
        const int k = static_cast<int>(whole);
        if (k >= classes_) return excludeEdges_ ? -1 : classes_ + 1;
        return excludeEdges_ ? k : k + 1;
    }

private:
    int exactIndex(double level) const;

    const HistogramSettings& h_;
    double lower_, inverseWidth_;
    int classes_;
    bool excludeEdges_, widthUsable_;
};

// The energy of a level: 10^(L/10), computed as exp(L·ln10/10).
double levelEnergy(double level);
// 10·log10(energy / count).
double energyLevel(double energy, double count);

void AccumulateSample(const HistogramSettings& h, double level, LevelAccumulator& acc);

// Appends one value per percentile (slot 0 = smallest n) from class counts of
// which `total` samples were counted. Sets insufficient when total < 100.
// A window with no counted sample, or a percentile that no class reaches,
// gets 0, so the lists stay one value per window.
void ComputePercentiles(const HistogramSettings& h, const std::vector<int>& classes, std::int64_t total,
                        std::vector<std::vector<double>>& percentiles, bool& insufficient);

// A histogram stored by the instrument: 1024 classes of 0.25 dB.
constexpr int kStoredClasses = 1024;
constexpr double kStoredClassWidth = 0.25;

struct StoredHistogramValues {
    bool hasValue = false;  // some class held counts
    double minimum = 0, maximum = 0, leq = 0, duration = 0;
    std::int64_t total = 0;  // whole counts entered into the user classes
};

// Minimum, maximum, Leq and duration of a stored histogram, and its counts put
// into the user classes of acc (by each class's centre level).
StoredHistogramValues EvaluateStoredHistogram(const HistogramSettings& h, const double* counts,
                                              LevelAccumulator& acc, double histogramSamplePeriod);

}  // namespace phonotab
