#include "core/plots/MinMaxPyramid.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace phonotab {

namespace {

// True for finite values; NaN fails both comparisons.
inline bool finite(double v) { return v >= -DBL_MAX && v <= DBL_MAX; }

template <typename Node, typename Combine>
std::vector<std::vector<Node>> buildUp(std::vector<Node> base, Combine combine) {
    std::vector<std::vector<Node>> levels;
    levels.push_back(std::move(base));
    while (levels.back().size() > 1) {
        const std::vector<Node>& below = levels.back();
        std::vector<Node> up((below.size() + 1) / 2);
        for (std::size_t i = 0; i < up.size(); ++i)
            up[i] = 2 * i + 1 < below.size() ? combine(below[2 * i], below[2 * i + 1]) : below[2 * i];
        levels.push_back(std::move(up));
    }
    return levels;
}

// Visits [first, last] (inclusive, within the array): sample(i, end) for the
// partial blocks at both ends, node(n) for the whole blocks between them,
// taken from the highest levels that fit.
template <typename Node, typename Samples, typename Visit>
void walk(const std::vector<std::vector<Node>>& levels, std::size_t block, std::size_t first, std::size_t last,
          Samples&& samples, Visit&& node) {
    std::size_t lo = (first + block - 1) / block;  // first whole block
    std::size_t hi = (last + 1) / block;           // one past the last whole block
    if (lo >= hi) return samples(first, last + 1);
    samples(first, lo * block);
    samples(hi * block, last + 1);
    for (std::size_t j = 0; lo < hi && j < levels.size(); ++j) {
        const std::vector<Node>& level = levels[j];
        if (lo & 1) node(level[lo++]);
        if (hi & 1) node(level[--hi]);
        lo >>= 1;
        hi >>= 1;
    }
}

}  // namespace

MinMaxPyramid::MinMaxPyramid(const double* samples, std::size_t count)
    : samples_(samples), count_(samples ? count : 0) {
    if (count_ == 0) return;
    for (std::size_t i = 0; i < count_; ++i)
        if (finite(samples_[i])) {
            reference_ = samples_[i];
            break;
        }
    std::vector<Extremes> ex((count_ + kExtremesBlock - 1) / kExtremesBlock);
    for (std::size_t b = 0; b < ex.size(); ++b) {
        Extremes e{HUGE_VAL, -HUGE_VAL};
        const std::size_t end = std::min(count_, (b + 1) * kExtremesBlock);
        for (std::size_t i = b * kExtremesBlock; i < end; ++i) {
            const double v = samples_[i];
            if (!finite(v)) continue;
            e.min = std::min(e.min, v);
            e.max = std::max(e.max, v);
        }
        ex[b] = e;
    }
    extremes_ = buildUp(std::move(ex), [](const Extremes& a, const Extremes& b) {
        return Extremes{std::min(a.min, b.min), std::max(a.max, b.max)};
    });
    std::vector<Sums> su((count_ + kSumsBlock - 1) / kSumsBlock);
    for (std::size_t b = 0; b < su.size(); ++b) {
        Sums s{0, 0, 0};
        const std::size_t end = std::min(count_, (b + 1) * kSumsBlock);
        for (std::size_t i = b * kSumsBlock; i < end; ++i) {
            const double v = samples_[i];
            if (!finite(v)) continue;
            const double d = v - reference_;
            ++s.count;
            s.sum += d;
            s.sumSq += d * d;
        }
        su[b] = s;
    }
    sums_ = buildUp(std::move(su), [](const Sums& a, const Sums& b) {
        return Sums{a.count + b.count, a.sum + b.sum, a.sumSq + b.sumSq};
    });
}

bool MinMaxPyramid::minMax(std::size_t first, std::size_t last, double& min, double& max) const {
    if (count_ == 0 || first > last || first >= count_) return false;
    last = std::min(last, count_ - 1);
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    walk(
        extremes_, kExtremesBlock, first, last,
        [&](std::size_t a, std::size_t b) {
            for (std::size_t i = a; i < b; ++i) {
                const double v = samples_[i];
                if (!finite(v)) continue;
                lo = v < lo ? v : lo;
                hi = v > hi ? v : hi;
            }
        },
        [&](const Extremes& e) {
            lo = e.min < lo ? e.min : lo;
            hi = e.max > hi ? e.max : hi;
        });
    if (lo > hi) return false;
    min = lo;
    max = hi;
    return true;
}

void MinMaxPyramid::prefetch(std::size_t position) const {
    if (position >= count_) return;
    const std::size_t block = position / kExtremesBlock * kExtremesBlock;
    for (std::size_t i = block; i < std::min(count_, block + kExtremesBlock); i += 8) __builtin_prefetch(samples_ + i);
    std::size_t node = position / kExtremesBlock;
    for (std::size_t j = 0; j < extremes_.size() && j < 10; ++j, node >>= 1) {
        __builtin_prefetch(extremes_[j].data() + node);
        if (node > 0) __builtin_prefetch(extremes_[j].data() + node - 1);
    }
}

RangeSummary MinMaxPyramid::summary(std::size_t first, std::size_t last) const {
    RangeSummary s;
    s.reference = reference_;
    if (!minMax(first, last, s.min, s.max)) return s;
    last = std::min(last, count_ - 1);
    walk(
        sums_, kSumsBlock, first, last,
        [&](std::size_t a, std::size_t b) {
            for (std::size_t i = a; i < b; ++i) {
                const double v = samples_[i];
                if (!finite(v)) continue;
                const double d = v - reference_;
                ++s.count;
                s.sum += d;
                s.sumSq += d * d;
            }
        },
        [&](const Sums& n) {
            s.count += n.count;
            s.sum += n.sum;
            s.sumSq += n.sumSq;
        });
    return s;
}

}  // namespace phonotab
