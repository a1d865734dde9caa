// The timing of the benchmarks that compare two pieces of work in one run:
// the best of several runs, which shared and noisy machines disturb least.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace phonotab::bench {

inline double bestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace phonotab::bench
