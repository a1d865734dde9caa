// A summary of one series for drawing, built once in one pass: the minimum and
// maximum of blocks of 32 samples with a level per power of two above them,
// and the count and sums of blocks of 1024 samples likewise. Afterwards the
// extremes of any index range cost at most two partial blocks plus two nodes
// per level, whatever the range's length, and its sums (for the mean and the
// deviation) little more. It keeps about one byte per sample and never a copy
// of the samples.
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

    double rawSum() const { return sum + reference * static_cast<double>(count); }
    double rawSumSquares() const {
        return sumSq + 2 * reference * sum + reference * reference * static_cast<double>(count);
    }
};

class MinMaxPyramid {
public:
    static constexpr std::size_t kExtremesBlock = 32;
    static constexpr std::size_t kSumsBlock = 1024;

    MinMaxPyramid() = default;
    MinMaxPyramid(const double* samples, std::size_t count);

    std::size_t size() const { return count_; }
    // Summary of samples [first, last] (positions in the array, inclusive; clipped
    // to the array). An empty or inverted range gives count 0.
    RangeSummary summary(std::size_t first, std::size_t last) const;
    // Minimum and maximum only, for the columns of a frame; false when the range
    // holds no finite sample.
    bool minMax(std::size_t first, std::size_t last, double& min, double& max) const;
    // Asks the processor to fetch what a range ending near position will read
    // (its partial block and the nodes above it), so that a walk over the
    // columns of a frame need not wait for memory at every column.
    void prefetch(std::size_t position) const;

private:
    struct Extremes {
        double min, max;  // min > max: no finite sample
    };
    struct Sums {
        std::int64_t count;
        double sum, sumSq;
    };

    const double* samples_ = nullptr;
    std::size_t count_ = 0;
    double reference_ = 0;
    std::vector<std::vector<Extremes>> extremes_;  // [j][i] covers kExtremesBlock·2^j samples
    std::vector<std::vector<Sums>> sums_;          // [j][i] covers kSumsBlock·2^j samples
};

}  // namespace phonotab
