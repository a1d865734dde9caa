// A summary of one series for drawing: minimum, maximum, count and sums of blocks
// of samples, a level per power of two above a base block of 64 samples. Built
// once per series in one pass; afterwards the minimum and maximum (or the sums
// for the mean and deviation) of any index range cost at most two partial blocks
// plus two nodes per level, whatever the range's length. It keeps about one byte
// per sample and never a copy of the samples.
//
// Values that are not finite (NaN, infinities from damaged files) are left out
// of every figure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace phonotab {

// Figures of a range of samples. Sums are taken of (v − reference) to keep the
// deviation accurate for levels far from zero.
struct RangeSummary {
    double min = 0, max = 0;
    std::int64_t count = 0;  // finite samples
    double reference = 0;
    double sum = 0;    // Σ (v − reference)
    double sumSq = 0;  // Σ (v − reference)²

    void add(double v);
    void merge(const RangeSummary& o);  // o must share the reference
    double rawSum() const { return sum + reference * static_cast<double>(count); }
    double rawSumSquares() const {
        return sumSq + 2 * reference * sum + reference * reference * static_cast<double>(count);
    }
};

class MinMaxPyramid {
public:
    static constexpr std::size_t kBlock = 64;

    MinMaxPyramid() = default;
    MinMaxPyramid(const double* samples, std::size_t count);

    std::size_t size() const { return count_; }
    // Summary of samples [first, last] (positions in the array, inclusive; clipped
    // to the array). An empty or inverted range gives count 0.
    RangeSummary summary(std::size_t first, std::size_t last) const;
    // Minimum and maximum only, for the columns of a frame; false when the range
    // holds no finite sample.
    bool minMax(std::size_t first, std::size_t last, double& min, double& max) const;

private:
    struct Node {
        double min, max;
        std::int64_t count;
        double sum, sumSq;
    };
    template <typename Visit, typename VisitNode>
    void walk(std::size_t first, std::size_t last, Visit&& sample, VisitNode&& node) const;

    const double* samples_ = nullptr;
    std::size_t count_ = 0;
    double reference_ = 0;
    std::vector<std::vector<Node>> levels_;  // levels_[j][i] covers kBlock·2^j samples
};

}  // namespace phonotab
