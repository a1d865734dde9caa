#include "core/acoustics/ZoneSegments.h"

#include <algorithm>
#include <map>

namespace phonotab {

double sampleTime(const CalcSettings& s, const RangeSet& ranges, std::int64_t t) {
    return static_cast<double>(s.firstSample + t) * s.samplePeriod + ranges.span().begin;
}

namespace {

// First t in [0, n] whose time satisfies pred (times never decrease with t).
template <typename Pred>
std::int64_t firstSampleWhere(const CalcSettings& s, const RangeSet& ranges, std::int64_t n, Pred pred) {
    std::int64_t lo = 0, hi = n;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (pred(sampleTime(s, ranges, mid)))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

}  // namespace

std::vector<SampleSegment> classifySamples(const RangeSet& ranges, const CalcSettings& s) {
    const std::int64_t n = std::max<std::int64_t>(s.sampleCount, 0);
    // Each zone covers the samples [lo, hi); the runs change only at those points.
    std::map<std::int64_t, std::vector<std::pair<std::size_t, bool>>> events;  // point → (zone, starts)
    for (std::size_t z = 0; z < ranges.zoneCount(); ++z) {
        const RangeZone& zone = ranges.zone(z);
        const std::int64_t lo = firstSampleWhere(s, ranges, n, [&](double t) { return t >= zone.begin; });
        const std::int64_t hi = firstSampleWhere(s, ranges, n, [&](double t) { return t > zone.end; });
        if (lo >= hi) continue;
        events[lo].emplace_back(z, true);
        events[hi].emplace_back(z, false);
    }
    std::vector<SampleSegment> out;
    std::vector<bool> active(ranges.zoneCount(), false);
    std::int64_t at = 0;
    auto emit = [&](std::int64_t end) {
        if (end <= at) return;
        SampleSegment seg;
        seg.begin = at;
        seg.end = end;
        for (std::size_t z = 0; z < active.size(); ++z) {
            if (!active[z]) continue;
            if (ranges.zone(z).exclusion) {
                seg.excluded = true;
                seg.corrections.clear();
                break;
            }
            seg.corrections.push_back(z);
        }
        out.push_back(std::move(seg));
        at = end;
    };
    for (const auto& [point, changes] : events) {
        emit(std::min(point, n));
        for (const auto& [z, starts] : changes) active[z] = starts;
    }
    emit(n);
    return out;
}

std::vector<double> segmentCorrections(const std::vector<SampleSegment>& segments, const RangeSet& ranges,
                                       int correctionIndex) {
    std::vector<double> out(segments.size(), 0.0);
    if (correctionIndex < 0) return out;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        double c = 0.0;
        for (std::size_t z : segments[i].corrections)
            c += ranges.zone(z).corrections[static_cast<std::size_t>(correctionIndex)];
        out[i] = c;
    }
    return out;
}

}  // namespace phonotab
