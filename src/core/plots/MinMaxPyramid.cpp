#include "plots/MinMaxPyramid.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

void RangeSummary::add(double v) {
    if (!std::isfinite(v)) return;
    if (count == 0) {
        min = max = v;
    } else {
        min = std::min(min, v);
        max = std::max(max, v);
    }
    ++count;
    const double d = v - reference;
    sum += d;
    sumSq += d * d;
}

void RangeSummary::merge(const RangeSummary& o) {
    if (o.count == 0) return;
    if (count == 0) {
        min = o.min;
        max = o.max;
    } else {
        min = std::min(min, o.min);
        max = std::max(max, o.max);
    }
    count += o.count;
    sum += o.sum;
    sumSq += o.sumSq;
}

MinMaxPyramid::MinMaxPyramid(const double* samples, std::size_t count)
    : samples_(samples), count_(samples ? count : 0) {
    if (count_ == 0) return;
    for (std::size_t i = 0; i < count_; ++i)
        if (std::isfinite(samples_[i])) {
            reference_ = samples_[i];
            break;
        }
    std::vector<Node> level((count_ + kBlock - 1) / kBlock);
    for (std::size_t b = 0; b < level.size(); ++b) {
        RangeSummary s;
        s.reference = reference_;
        const std::size_t end = std::min(count_, (b + 1) * kBlock);
        for (std::size_t i = b * kBlock; i < end; ++i) s.add(samples_[i]);
        level[b] = Node{s.min, s.max, s.count, s.sum, s.sumSq};
    }
    levels_.push_back(std::move(level));
    while (levels_.back().size() > 1) {
        const std::vector<Node>& below = levels_.back();
        std::vector<Node> up((below.size() + 1) / 2);
        for (std::size_t i = 0; i < up.size(); ++i) {
            Node n = below[2 * i];
            if (2 * i + 1 < below.size()) {
                const Node& o = below[2 * i + 1];
                if (o.count != 0) {
                    n.min = n.count ? std::min(n.min, o.min) : o.min;
                    n.max = n.count ? std::max(n.max, o.max) : o.max;
                    n.count += o.count;
                    n.sum += o.sum;
                    n.sumSq += o.sumSq;
                }
            }
            up[i] = n;
        }
        levels_.push_back(std::move(up));
    }
}

// Calls sample(v) for the samples of the partial blocks at both ends and
// node(n) for the whole blocks between them, taken from the highest levels
// that fit.
template <typename Visit, typename VisitNode>
void MinMaxPyramid::walk(std::size_t first, std::size_t last, Visit&& sample, VisitNode&& node) const {
    if (count_ == 0 || first > last || first >= count_) return;
    last = std::min(last, count_ - 1);
    std::size_t lo = (first + kBlock - 1) / kBlock;  // first whole block
    std::size_t hi = (last + 1) / kBlock;            // one past the last whole block
    if (lo >= hi) {
        for (std::size_t i = first; i <= last; ++i) sample(samples_[i]);
        return;
    }
    for (std::size_t i = first; i < lo * kBlock; ++i) sample(samples_[i]);
    for (std::size_t i = hi * kBlock; i <= last; ++i) sample(samples_[i]);
    for (std::size_t j = 0; lo < hi && j < levels_.size(); ++j) {
        const std::vector<Node>& level = levels_[j];
        if (lo & 1) node(level[lo++]);
        if (hi & 1) node(level[--hi]);
        lo >>= 1;
        hi >>= 1;
    }
}

RangeSummary MinMaxPyramid::summary(std::size_t first, std::size_t last) const {
    RangeSummary s;
    s.reference = reference_;
    walk(
        first, last, [&](double v) { s.add(v); },
        [&](const Node& n) { s.merge(RangeSummary{n.min, n.max, n.count, reference_, n.sum, n.sumSq}); });
    return s;
}

bool MinMaxPyramid::minMax(std::size_t first, std::size_t last, double& min, double& max) const {
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    bool any = false;
    walk(
        first, last,
        [&](double v) {
            if (!std::isfinite(v)) return;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            any = true;
        },
        [&](const Node& n) {
            if (n.count == 0) return;
            lo = std::min(lo, n.min);
            hi = std::max(hi, n.max);
            any = true;
        });
    if (any) {
        min = lo;
        max = hi;
    }
    return any;
}

}  // namespace phonotab
