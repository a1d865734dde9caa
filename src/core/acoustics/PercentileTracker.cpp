#include "core/acoustics/PercentileTracker.h"

namespace phonotab {

PercentileTracker::PercentileTracker(const HistogramSettings& h, const std::vector<int>& classes)
    : h_(h), classes_(classes) {
    slots_.reserve(h.percentiles.size());
    for (double n : h.percentiles) slots_.push_back({1.0 - n * 0.01, 0, 0});
}

void PercentileTracker::append(std::int64_t total, std::vector<std::vector<double>>& percentiles,
                               bool& insufficient) {
    percentiles.resize(slots_.size());
    if (total < 100) insufficient = true;
    for (auto& row : percentiles) row.push_back(0.0);
    if (total <= 0 || classes_.empty()) return;
    const double whole = static_cast<double>(total);
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        Slot& s = slots_[k];
        // The same test as the summing from the bottom: the first class at
        // which the share of counts at or below it exceeds the threshold.
        auto reached = [&](std::int64_t count) { return !(s.threshold >= static_cast<double>(count) / whole); };
        while (s.cls > 0 && reached(s.atOrBelow - classes_[s.cls])) {
            s.atOrBelow -= classes_[s.cls];
            --s.cls;
        }
        while (!reached(s.atOrBelow) && s.cls + 1 < classes_.size()) {
            ++s.cls;
            s.atOrBelow += classes_[s.cls];
        }
        if (!reached(s.atOrBelow)) continue;  // no class reaches it: 0
        const double i = static_cast<double>(s.cls);
        percentiles[k].back() = h_.excludeEdges ? h_.lower + (i + 1) * h_.width : h_.lower + i * h_.width;
    }
}

}  // namespace phonotab
