#include "core/acoustics/LevelAccumulator.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace phonotab {

void LevelAccumulator::reset(const HistogramSettings& h) {
    minimum = 1e300;
    maximum = 0.0;
    energy = 0.0;
    classes.assign(static_cast<std::size_t>(std::max(h.counterCount(), 0)), 0);
}

ClassIndexer::ClassIndexer(const HistogramSettings& h)
    : h_(h), lower_(h.lower), inverseWidth_(h.width > 0 ? 1.0 / h.width : 0.0), classes_(std::max(h.classes, 0)),
      excludeEdges_(h.excludeEdges), widthUsable_(h.width > 0) {}

int ClassIndexer::exactIndex(double level) const { return ClassIndex(h_, level); }

int ClassIndex(const HistogramSettings& h, double level) {
    const int n = std::max(h.classes, 0);
    if (level < h.lower) return h.excludeEdges ? -1 : 0;
    const double q = (level - h.lower) / h.width;
    if (!(h.width > 0) || !(q < n)) return h.excludeEdges ? -1 : n + 1;
    const int k = static_cast<int>(std::floor(q));
    return h.excludeEdges ? k : k + 1;
}

double levelEnergy(double level) {
    static const double kScale = std::log(10.0) / 10.0;
    return std::exp(level * kScale);
}

double energyLevel(double energy, double count) { return 10.0 * std::log10(energy / count); }

void AccumulateSample(const HistogramSettings& h, double level, LevelAccumulator& acc) {
    if (level < acc.minimum) acc.minimum = level;
    if (level > acc.maximum) acc.maximum = level;
    acc.energy += levelEnergy(level);
    const int c = ClassIndex(h, level);
    if (c >= 0 && static_cast<std::size_t>(c) < acc.classes.size()) ++acc.classes[static_cast<std::size_t>(c)];
}

void ComputePercentiles(const HistogramSettings& h, const std::vector<int>& classes, std::int64_t total,
                        std::vector<std::vector<double>>& percentiles, bool& insufficient) {
    const std::set<double>& set = h.percentiles;
    percentiles.resize(set.size());
    if (total < 100) insufficient = true;
    // Every percentile gets exactly one value per window, 0 when nothing was
    // counted or no class reaches it, so each row stays aligned with the
    // window times (like the minimum, maximum and Leq of an empty window).
    for (std::size_t k = 0; k < set.size(); ++k) percentiles[k].push_back(0.0);
    if (total <= 0 || set.empty()) return;
    // From the largest percentile (the lowest level) down.
    auto slot = set.rbegin();
    std::size_t row = set.size() - 1;
    std::int64_t cumulative = 0;
    for (std::size_t i = 0; i < classes.size() && slot != set.rend(); ++i) {
        cumulative += classes[i];
        const double f = static_cast<double>(cumulative) / static_cast<double>(total);
        while (slot != set.rend()) {
            const double n = *slot;
            if (1.0 - n * 0.01 >= f) break;
            // The upper edge of class i in both layouts.
            const double level = h.excludeEdges ? h.lower + (static_cast<double>(i) + 1) * h.width
                                                : h.lower + static_cast<double>(i) * h.width;
            percentiles[row].back() = level;
            ++slot;
            --row;
        }
    }
}

StoredHistogramValues EvaluateStoredHistogram(const HistogramSettings& h, const double* counts,
                                              LevelAccumulator& acc, double histogramSamplePeriod) {
    StoredHistogramValues v;
    int firstNonZero = -1, lastNonZero = -1;
    double energy = 0.0, countSum = 0.0;
    for (int i = 0; i < kStoredClasses; ++i) {
        const double c = counts[i];
        if (c == 0) continue;
        if (firstNonZero < 0) firstNonZero = i;
        lastNonZero = i;
        const double centre = kStoredClassWidth * i + 0.125;
        energy += std::pow(10.0, centre * 0.1) * c;
        countSum += c;
        const auto whole = static_cast<std::int64_t>(std::floor(c + 0.5));
        v.total += whole;
        const int k = ClassIndex(h, centre);
        if (k >= 0 && static_cast<std::size_t>(k) < acc.classes.size())
            acc.classes[static_cast<std::size_t>(k)] += static_cast<int>(std::clamp<std::int64_t>(whole, INT32_MIN, INT32_MAX));
    }
    v.minimum = kStoredClassWidth * (firstNonZero < 0 ? kStoredClasses : firstNonZero);
    v.maximum = lastNonZero < 0 ? 0.0 : kStoredClassWidth * lastNonZero;
    if (countSum != 0) {
        v.hasValue = true;
        v.leq = energyLevel(energy, countSum);
        v.duration = countSum * histogramSamplePeriod;
        acc.minimum = v.minimum;
        acc.maximum = v.maximum;
        acc.energy = v.leq;
    }
    return v;
}

}  // namespace phonotab
