// The span of a record, its exclusion zones and its correction zones.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/base/Result.h"

namespace phonotab {

// Per-band corrections of a correction zone: family 3 (9 bands), then family 1
// (255 bands), then family 2 (765 bands).
constexpr int kCorrectionCount = 1029;
using Corrections = std::array<double, kCorrectionCount>;

// Position of band b of family f (1..3) in a correction table, or -1 beyond it.
int correctionIndex(int family, int band);

struct RangeZone {
    double begin = 0.0;  // seconds from the start of the record; the span is closed
    double end = 0.0;
    int exclusion = 0;   // 1: exclusion zone, 0: correction zone
    Corrections corrections{};

    bool contains(double t) const { return begin <= t && t <= end; }
    bool operator==(const RangeZone&) const = default;
};

// The first element is the record span (never drawn, never removed); the
// others are zones in the order of their creation.
class RangeSet {
public:
    RangeSet() { zones_.push_back(RangeZone{}); }
    // The set of a newly opened file: the span [0, duration].
    explicit RangeSet(double duration);
    // From stored zones (a project); an empty list gets a span of 0.
    static RangeSet fromStored(std::vector<RangeZone> zones);

    const RangeZone& span() const { return zones_.front(); }
    const std::vector<RangeZone>& all() const { return zones_; }
    std::size_t zoneCount() const { return zones_.size() - 1; }
    // Zone i (0-based, the span not counted).
    const RangeZone& zone(std::size_t i) const { return zones_.at(i + 1); }

    // Appends an exclusion zone (ends ordered) and merges it with the exclusion
    // zones it touches. A zone reaching past the span is cut to it (a zone drawn
    // to the record's end may end half a sample period beyond it); a zone wholly
    // outside the span is refused with a message and changes nothing.
    Status AddExclusionZone(double a, double b);
    Status AddCorrectionZone(double a, double b, const Corrections& corrections);
    void MergeExclusionZones();
    // New bounds of zone i, ordered and clamped to the span.
    void setZoneBounds(std::size_t i, double a, double b);
    void setZoneCorrections(std::size_t i, const Corrections& corrections);
    // A correction zone becomes an exclusion zone (its corrections are kept but
    // no longer applied; it is not merged) or back, with new corrections.
    void convertToExclusion(std::size_t i);
    void convertToCorrection(std::size_t i, const Corrections& corrections);
    void removeZone(std::size_t i);
    // Every exclusion zone replaced by the gaps between them (the parts of the
    // span that were not excluded); correction zones stay.
    void invertExclusionZones();

private:
    // The zone [min(a, b), max(a, b)] cut to the span, or the refusal.
    Result<RangeZone> zoneInSpan(double a, double b) const;
    std::vector<RangeZone> zones_;
};

// Number of samples the span holds: floor((end − begin)/period + 0.5) + 1.
// A file whose samples share one instant (period 0) cannot be measured in
// time: its total is the file's own sample count.
std::int64_t spanSampleTotal(const RangeSet& ranges, const CalcSettings& settings);

// The work range [lo, hi] in sample indices (lo < hi), then normalised.
void SetWorkRange(CalcSettings& settings, const RangeSet& ranges, std::int64_t lo, std::int64_t hi);
// count ≤ total, first + count ≤ total, first ≥ 0; atLeastOne also keeps count ≥ 1.
void normalizeWorkRange(CalcSettings& settings, const RangeSet& ranges, bool atLeastOne);
// The work range from two times (the bounds dialog): clamped to the span,
// ordered; nothing changes when they are equal.
void setWorkRangeFromTimes(CalcSettings& settings, const RangeSet& ranges, double a, double b);

}  // namespace phonotab
