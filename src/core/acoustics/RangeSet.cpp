#include "core/acoustics/RangeSet.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

int correctionIndex(int family, int band) {
    if (band < 0) return -1;
    switch (family) {
        case 3: return band < 9 ? band : -1;
        case 1: return band < 255 ? 9 + band : -1;
        case 2: return band < 765 ? 9 + 255 + band : -1;
        default: return -1;
    }
}

RangeSet::RangeSet(double duration) {
    RangeZone span;
    span.end = duration;
    zones_.push_back(span);
}

RangeSet RangeSet::fromStored(std::vector<RangeZone> zones) {
    RangeSet r;
    if (!zones.empty()) r.zones_ = std::move(zones);
    return r;
}

Result<RangeZone> RangeSet::zoneInSpan(double a, double b) const {
    RangeZone z;
    z.begin = std::min(a, b);
    z.end = std::max(a, b);
    if (!(z.end >= span().begin && z.begin <= span().end))  // also refuses NaN
        return Message(msg::ZoneOutsideRecord, formatLg(z.begin), formatLg(z.end));
    z.begin = std::max(z.begin, span().begin);
    z.end = std::min(z.end, span().end);
    return z;
}

Status RangeSet::AddExclusionZone(double a, double b) {
    Result<RangeZone> z = zoneInSpan(a, b);
    if (!z) return z.error();
    z->exclusion = 1;
    zones_.push_back(*z);
    MergeExclusionZones();
    return {};
}

Status RangeSet::AddCorrectionZone(double a, double b, const Corrections& corrections) {
    Result<RangeZone> z = zoneInSpan(a, b);
    if (!z) return z.error();
    z->exclusion = 0;
    z->corrections = corrections;
    zones_.push_back(*z);
    return {};
}

void RangeSet::MergeExclusionZones() {
    // One pass per zone A: later exclusion zones that touch A are folded into it
    // and removed; a zone that A only reaches after growing waits for a later pass.
    for (std::size_t a = 1; a < zones_.size(); ++a) {
        if (!zones_[a].exclusion) continue;
        for (std::size_t b = a + 1; b < zones_.size();) {
            RangeZone& A = zones_[a];
            const RangeZone& B = zones_[b];
            if (B.exclusion && A.begin <= B.end && B.begin <= A.end) {
                A.begin = std::min(A.begin, B.begin);
                A.end = std::max(A.end, B.end);
                zones_.erase(zones_.begin() + static_cast<std::ptrdiff_t>(b));
            } else {
                ++b;
            }
        }
    }
}

void RangeSet::setZoneBounds(std::size_t i, double a, double b) {
    RangeZone& z = zones_.at(i + 1);
    a = std::clamp(a, span().begin, span().end);
    b = std::clamp(b, span().begin, span().end);
    z.begin = std::min(a, b);
    z.end = std::max(a, b);
}

void RangeSet::setZoneCorrections(std::size_t i, const Corrections& corrections) {
    zones_.at(i + 1).corrections = corrections;
}

void RangeSet::convertToExclusion(std::size_t i) { zones_.at(i + 1).exclusion = 1; }

void RangeSet::convertToCorrection(std::size_t i, const Corrections& corrections) {
    RangeZone& z = zones_.at(i + 1);
    z.exclusion = 0;
    z.corrections = corrections;
}

void RangeSet::removeZone(std::size_t i) {
    if (i + 1 < zones_.size()) zones_.erase(zones_.begin() + static_cast<std::ptrdiff_t>(i + 1));
}

void RangeSet::invertExclusionZones() {
    std::vector<std::pair<double, double>> excluded;
    std::vector<RangeZone> kept = {zones_.front()};
    for (std::size_t i = 1; i < zones_.size(); ++i) {
        if (zones_[i].exclusion)
            excluded.emplace_back(zones_[i].begin, zones_[i].end);
        else
            kept.push_back(zones_[i]);
    }
    std::sort(excluded.begin(), excluded.end());
    double from = span().begin;
    auto addGap = [&](double a, double b) {
        if (b <= a) return;
        RangeZone z;
        z.begin = a;
        z.end = b;
        z.exclusion = 1;
        kept.push_back(z);
    };
    for (const auto& [a, b] : excluded) {
        addGap(from, a);
        from = std::max(from, b);
    }
    addGap(from, span().end);
    zones_ = std::move(kept);
}

std::int64_t spanSampleTotal(const RangeSet& ranges, const CalcSettings& settings) {
    if (!(settings.samplePeriod > 0)) return std::max<std::int64_t>(settings.fileSamples, 1);
    const double n = std::floor((ranges.span().end - ranges.span().begin) / settings.samplePeriod + 0.5);
    return n > 0 ? static_cast<std::int64_t>(std::min(n, 9e18)) + 1 : 1;
}

void normalizeWorkRange(CalcSettings& s, const RangeSet& ranges, bool atLeastOne) {
    const std::int64_t total = spanSampleTotal(ranges, s);
    s.sampleCount = std::min(s.sampleCount, total);
    if (atLeastOne) s.sampleCount = std::max<std::int64_t>(s.sampleCount, 1);
    if (s.firstSample + s.sampleCount > total) s.firstSample = total - s.sampleCount;
    if (s.firstSample < 0) s.firstSample = 0;
}

void SetWorkRange(CalcSettings& s, const RangeSet& ranges, std::int64_t lo, std::int64_t hi) {
    if (lo > hi) std::swap(lo, hi);
    if (lo == hi) return;
    s.firstSample = lo;
    s.sampleCount = hi - lo + 1;
    normalizeWorkRange(s, ranges, false);
}

void setWorkRangeFromTimes(CalcSettings& s, const RangeSet& ranges, double a, double b) {
    const double lo = std::clamp(std::min(a, b), ranges.span().begin, ranges.span().end);
    const double hi = std::clamp(std::max(a, b), ranges.span().begin, ranges.span().end);
    if (lo == hi || !(s.samplePeriod > 0)) return;
    s.firstSample = static_cast<std::int64_t>(std::floor((lo - ranges.span().begin) / s.samplePeriod + 0.5));
    s.sampleCount = static_cast<std::int64_t>(std::floor((hi - lo) / s.samplePeriod + 1.5));
    normalizeWorkRange(s, ranges, true);
}

}  // namespace phonotab
