#include "core/acoustics/WindowStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/LevelSource.h"

namespace phonotab {

WindowPlan WindowPlan::scanning(std::int64_t n, std::int64_t stepSamples, std::int64_t lengthSamples) {
    if (stepSamples <= 0) return single(n);
    return {n, stepSamples, std::max<std::int64_t>(lengthSamples, 0)};
}

std::int64_t WindowPlan::windowCount() const {
    if (step <= 0 || length >= samples) return 1;
    // Windows k with k·step + length ≤ n.
    return (samples - length) / step + 1;
}

std::int64_t WindowPlan::end(std::int64_t k) const {
    if (step <= 0) return samples;
    return std::min(samples, k * step + length);
}

namespace {

// Aggregate of a run of samples: what a window needs besides the class counts.
struct Aggregate {
    double energy = 0.0;
    double minimum = 1e300;
    double maximum = 0.0;
    std::int64_t count = 0;

    void add(double level, double e) {
        if (level < minimum) minimum = level;
        if (level > maximum) maximum = level;
        energy += e;
        ++count;
    }
    static Aggregate combine(const Aggregate& a, const Aggregate& b) {
        return {a.energy + b.energy, std::min(a.minimum, b.minimum), std::max(a.maximum, b.maximum), a.count + b.count};
    }
};

// A queue of block aggregates whose total is known at every moment without
// ever subtracting energies (a quiet window after loud ones must not cancel to
// nothing): new blocks are summed on the back stack; when the front stack runs
// empty the back stack is turned over into suffix totals.
class SlidingTotal {
public:
    void push(const Aggregate& a) {
        back_.push_back(a);
        backTotal_ = Aggregate::combine(backTotal_, a);
    }
    void pop() {
        if (front_.empty()) {
            Aggregate acc;
            for (auto it = back_.rbegin(); it != back_.rend(); ++it) {
                acc = Aggregate::combine(*it, acc);
                front_.push_back(acc);
            }
            back_.clear();
            backTotal_ = Aggregate{};
        }
        if (!front_.empty()) front_.pop_back();
    }
    Aggregate total() const { return front_.empty() ? backTotal_ : Aggregate::combine(front_.back(), backTotal_); }

private:
    std::vector<Aggregate> front_, back_;
    Aggregate backTotal_;
};

void appendWindow(const Aggregate& a, const std::vector<int>& classes, const CalcSettings& s, VariantResults& r) {
    if (a.count > 0) {
        r.counted = true;
        r.minima.push_back(a.minimum);
        r.maxima.push_back(a.maximum);
        r.leqs.push_back(energyLevel(a.energy, static_cast<double>(a.count)));
        r.durations.push_back(static_cast<double>(a.count) * s.samplePeriod);
    } else {
        r.minima.push_back(0.0);
        r.maxima.push_back(0.0);
        r.leqs.push_back(0.0);
        r.durations.push_back(0.0);
    }
    r.histogramCount = r.leqCount = a.count;
    ComputePercentiles(s.histogram, classes, a.count, r.percentiles, r.insufficient);
}

}  // namespace

void computeWindows(const double* data, const std::vector<SampleSegment>& segments,
                    const std::vector<double>& corrections, VariantRule rule, const WindowPlan& plan,
                    const CalcSettings& settings, VariantResults& results, bool rangeHistogram) {
    const HistogramSettings& h = settings.histogram;
    const LevelSource source(data, segments, corrections, rule);
    const std::size_t counters = static_cast<std::size_t>(std::max(h.counterCount(), 0));
    const std::int64_t windows = plan.windowCount();
    results.minima.reserve(static_cast<std::size_t>(windows));
    results.maxima.reserve(static_cast<std::size_t>(windows));
    results.leqs.reserve(static_cast<std::size_t>(windows));
    results.durations.reserve(static_cast<std::size_t>(windows));
    results.percentiles.assign(h.percentiles.size(), {});
    for (auto& p : results.percentiles) p.reserve(static_cast<std::size_t>(windows));
    std::vector<int> classes(counters, 0);
    auto countClass = [&](double level, int delta) {
        const int c = ClassIndex(h, level);
        if (c >= 0 && static_cast<std::size_t>(c) < classes.size()) classes[static_cast<std::size_t>(c)] += delta;
    };

    if (!plan.overlapping()) {
        // Windows that do not share samples: each is summed sample by sample.
        for (std::int64_t k = 0; k < windows; ++k) {
            Aggregate a;
            std::fill(classes.begin(), classes.end(), 0);
            source.forEach(plan.start(k), plan.end(k), [&](double level) {
                a.add(level, levelEnergy(level));
                countClass(level, 1);
            });
            appendWindow(a, classes, settings, results);
        }
    } else {
        // Overlapping windows: the work range in blocks of gcd(step, length)
        // samples; each block is summed once and enters and leaves the sliding
        // total once; class counts follow the samples entering and leaving.
        const std::int64_t g = std::gcd(plan.step, plan.length);
        SlidingTotal total;
        std::int64_t queuedTo = 0;  // blocks cover [start of window, queuedTo)
        for (std::int64_t k = 0; k < windows; ++k) {
            const std::int64_t start = plan.start(k), end = plan.end(k);
            if (k > 0) {
                const std::int64_t prevStart = plan.start(k - 1);
                for (std::int64_t b = prevStart; b < start; b += g) total.pop();
                source.forEach(prevStart, start, [&](double level) { countClass(level, -1); });
            }
            for (; queuedTo < end; queuedTo += g) {
                Aggregate block;
                source.forEach(queuedTo, queuedTo + g, [&](double level) {
                    block.add(level, levelEnergy(level));
                    countClass(level, 1);
                });
                total.push(block);
            }
            appendWindow(total.total(), classes, settings, results);
        }
    }

    // The class counts of the whole work range (the histogram file).
    const std::int64_t n = plan.samples;
    if (!rangeHistogram) return;
    if (windows == 1 && plan.start(0) == 0 && plan.end(0) == n && !plan.overlapping()) {
        results.classCounts = classes;
    } else {
        results.classCounts.assign(counters, 0);
        source.forEach(0, n, [&](double level) {
            const int c = ClassIndex(h, level);
            if (c >= 0 && static_cast<std::size_t>(c) < counters) ++results.classCounts[static_cast<std::size_t>(c)];
        });
    }
}

}  // namespace phonotab
