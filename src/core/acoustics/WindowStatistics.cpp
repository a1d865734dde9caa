#include "core/acoustics/WindowStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <type_traits>

#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/LevelSource.h"
#include "core/acoustics/PercentileTracker.h"
#include "core/base/LargeVector.h"
#include "core/measurement/MeasurementRecord.h"

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

// The window's minimum, maximum, Leq and duration; its percentiles are the caller's.
void appendWindow(const Aggregate& a, const CalcSettings& s, VariantResults& r) {
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
}

}  // namespace

struct WindowScanner::State {
    State(const std::vector<SampleSegment>& segments, const std::vector<double>& corrections, VariantRule rule,
          const WindowPlan& plan, const CalcSettings& settings, VariantResults& results, bool rangeHistogram,
          Parts parts)
        : plan(plan),
          settings(settings),
          results(results),
          source(segments, corrections, rule),
          classOf(settings.histogram),
          counters(static_cast<std::size_t>(std::max(settings.histogram.counterCount(), 0))),
          classes(counters, 0),
          tracker(settings.histogram, classes),
          windows(plan.windowCount()),
          overlapping(plan.overlapping()),
          blockSize(overlapping ? std::gcd(plan.step, plan.length) : 0),
          levels(parts != Parts::Classes),
          counts(parts != Parts::Levels),
          rangeHistogram(rangeHistogram && counts),
          rangeCountedApart(this->rangeHistogram &&
                            !(windows == 1 && plan.start(0) == 0 && plan.end(0) == plan.samples && !overlapping)) {
        if (rangeCountedApart) rangeCounts.assign(counters, 0);
        if (overlapping && counts) {
            ringSize = plan.length;
            entered.assign(static_cast<std::size_t>(ringSize), kNotCounted);
        }
    }

    void countClass(double level, int delta) { countIndex(classOf(level), delta); }
    void countIndex(int c, int delta) {
        inWindow += delta;
        if (c < 0 || static_cast<std::size_t>(c) >= counters) return;
        classes[static_cast<std::size_t>(c)] += delta;
        if (overlapping) tracker.countChanged(static_cast<std::size_t>(c), delta);
    }

    // Windows that do not share samples: each is summed sample by sample, as
    // far as the samples have arrived.
    void advanceSeparate(std::int64_t available) {
        while (k < windows) {
            const std::int64_t end = plan.end(k);
            if (!open) {
                current = Aggregate{};
                inWindow = 0;
                if (counts) std::fill(classes.begin(), classes.end(), 0);
                consumedTo = plan.start(k);
                open = true;
            }
            const std::int64_t to = std::min(end, available);
            if (consumedTo < to) {
                if (levels && counts)
                    source.forEach(consumedTo, to, [&](double level) {
                        current.add(level, levelEnergy(level));
                        countClass(level, 1);
                    });
                else if (levels)
                    source.forEach(consumedTo, to, [&](double level) { current.add(level, levelEnergy(level)); });
                else
                    source.forEach(consumedTo, to, [&](double level) { countClass(level, 1); });
                consumedTo = to;
            }
            if (consumedTo < end) return;
            if (levels) appendWindow(current, settings, results);
            if (counts)
                ComputePercentiles(settings.histogram, classes, inWindow, results.percentiles, results.insufficient);
            open = false;
            ++k;
        }
    }

    // Overlapping windows: the work range in blocks of gcd(step, length)
    // samples; each block is summed once and enters and leaves the sliding
    // total once; class counts follow the samples entering and leaving.
    void advanceOverlapping(std::int64_t available) {
        for (; k < windows && plan.end(k) <= available; ++k) {
            const std::int64_t start = plan.start(k), end = plan.end(k);
            if (k > 0) {
                const std::int64_t prevStart = plan.start(k - 1);
                if (levels)
                    for (std::int64_t b = prevStart; b < start; b += blockSize) total.pop();
                // The samples leaving take their class from when they entered.
                if (counts)
                    for (std::int64_t t = prevStart; t < start; ++t) {
                        const int c = entered[static_cast<std::size_t>(t % ringSize)];
                        if (c != kNotCounted) countIndex(c, -1);
                    }
            }
            if (levels) {
                for (std::int64_t b = queuedTo; b < end; b += blockSize) {
                    Aggregate block;
                    source.forEach(b, b + blockSize, [&](double level) { block.add(level, levelEnergy(level)); });
                    total.push(block);
                }
                appendWindow(total.total(), settings, results);
            }
            if (counts) {
                for (std::int64_t t = queuedTo; t < end; ++t) entered[static_cast<std::size_t>(t % ringSize)] = kNotCounted;
                source.forEach(queuedTo, end, [&](std::int64_t t, double level) {
                    const int c = classOf(level);
                    entered[static_cast<std::size_t>(t % ringSize)] = c;
                    countIndex(c, 1);
                });
                tracker.append(inWindow, results.percentiles, results.insufficient);
            }
            queuedTo = end;
        }
    }

    const WindowPlan& plan;
    const CalcSettings& settings;
    VariantResults& results;
    LevelSource source;
    ClassIndexer classOf;
    std::size_t counters;
    std::vector<int> classes;
    PercentileTracker tracker;
    std::int64_t windows;
    bool overlapping;
    std::int64_t blockSize;
    bool levels, counts;  // the parts computed: minimum, maximum and Leq; class counts and percentiles
    bool rangeHistogram, rangeCountedApart;
    std::vector<int> rangeCounts;
    std::int64_t arrived = 0;  // samples [0, arrived) have been seen

    std::int64_t k = 0;         // the next window
    std::int64_t inWindow = 0;  // samples counted in the window
    // Separate windows: the sums of window k so far.
    bool open = false;
    Aggregate current;
    std::int64_t consumedTo = 0;
    // Overlapping windows.
    SlidingTotal total;
    std::int64_t queuedTo = 0;  // blocks cover [start of window, queuedTo)
    // The class of each sample of the window (by sample modulo the window
    // length), or kNotCounted for a sample that does not enter.
    static constexpr int kNotCounted = -2;
    std::vector<int> entered;
    std::int64_t ringSize = 1;
};

WindowScanner::WindowScanner(const std::vector<SampleSegment>& segments, const std::vector<double>& corrections,
                             VariantRule rule, const WindowPlan& plan, const CalcSettings& settings,
                             VariantResults& results, bool rangeHistogram, Parts parts)
    : state_(std::make_unique<State>(segments, corrections, rule, plan, settings, results, rangeHistogram, parts)) {
    const std::size_t windows = static_cast<std::size_t>(state_->windows);
    // A scan of a long file has millions of windows: their lists are mapped
    // in huge pages rather than faulted in 4 KiB at a time.
    auto reserve = [&](std::vector<double>& v) {
        v.reserve(windows);
        adviseHugePages(v.data(), windows * sizeof(double));
    };
    if (state_->levels)
        for (auto* v : {&results.minima, &results.maxima, &results.leqs, &results.durations}) reserve(*v);
    if (state_->counts) {
        results.percentiles.assign(settings.histogram.percentiles.size(), {});
        for (auto& p : results.percentiles) reserve(p);
    }
}

WindowScanner::~WindowScanner() = default;

void WindowScanner::advance(const double* data, std::int64_t begin, std::int64_t end) {
    State& s = *state_;
    s.source.setData(data, begin);
    if (s.rangeCountedApart && s.arrived < end) {
        s.source.forEach(s.arrived, end, [&](double level) {
            const int c = s.classOf(level);
            if (c >= 0 && static_cast<std::size_t>(c) < s.counters) ++s.rangeCounts[static_cast<std::size_t>(c)];
        });
    }
    s.arrived = std::max(s.arrived, end);
    if (s.overlapping)
        s.advanceOverlapping(end);
    else
        s.advanceSeparate(end);
}

std::int64_t WindowScanner::neededFrom() const {
    const State& s = *state_;
    if (s.k >= s.windows) return s.arrived;
    const std::int64_t windowNeeds =
        s.overlapping ? (s.k > 0 ? s.plan.start(s.k - 1) : 0) : (s.open ? s.consumedTo : s.plan.start(s.k));
    return std::min(windowNeeds, s.arrived);
}

void WindowScanner::finish() {
    State& s = *state_;
    if (!s.rangeHistogram) return;
    s.results.classCounts = s.rangeCountedApart ? std::move(s.rangeCounts) : s.classes;
}

void computeWindows(const double* data, const std::vector<SampleSegment>& segments,
                    const std::vector<double>& corrections, VariantRule rule, const WindowPlan& plan,
                    const CalcSettings& settings, VariantResults& results, bool rangeHistogram) {
    WindowScanner scanner(segments, corrections, rule, plan, settings, results, rangeHistogram);
    scanner.advance(data, 0, plan.samples);
    scanner.finish();
}

}  // namespace phonotab
