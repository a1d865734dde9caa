#include <gtest/gtest.h>

#include <utility>

#include "core/acoustics/RangeSet.h"
#include "core/acoustics/ZoneSegments.h"

using namespace phonotab;

namespace {
std::vector<std::pair<double, double>> zonesOf(const RangeSet& r) {
    std::vector<std::pair<double, double>> out;
    for (std::size_t i = 0; i < r.zoneCount(); ++i) out.emplace_back(r.zone(i).begin, r.zone(i).end);
    return out;
}
}  // namespace

TEST(RangeSet, ExclusionZonesMergeWhenTheyTouch) {
    struct Case {
        std::vector<std::pair<double, double>> added;
        std::vector<std::pair<double, double>> want;
    } cases[] = {
        {{{10, 20}, {20, 30}}, {{10, 30}}},
        {{{10, 20}, {21, 30}}, {{10, 20}, {21, 30}}},
        {{{10, 20}, {15, 5}}, {{5, 20}}},            // ends are ordered first
        // A bridge grows the first zone only after the pass went past [30, 40].
        {{{10, 20}, {30, 40}, {18, 32}}, {{10, 32}, {30, 40}}},
        {{{10, 20}, {200, 210}}, {{10, 20}}},         // wholly outside the span: refused
        {{{95, 100.5}}, {{95, 100}}},                 // past the end: cut to the span
        {{{-3, 4}, {2, 8}}, {{0, 8}}},
    };
    for (const auto& c : cases) {
        RangeSet r(100.0);
        for (auto [a, b] : c.added) (void)r.AddExclusionZone(a, b);
        EXPECT_EQ(zonesOf(r), c.want);
    }
}

TEST(RangeSet, OnePassPerZoneDoesNotRevisitEarlierZones) {
    // A zone that the first exclusion zone only reaches after growing, and that
    // comes before the zone that made it grow, stays apart.
    RangeSet r(100.0);
    ASSERT_TRUE(r.AddExclusionZone(10, 20).ok());
    ASSERT_TRUE(r.AddCorrectionZone(21, 55, Corrections{}).ok());
    ASSERT_TRUE(r.AddExclusionZone(56, 60).ok());
    r.convertToExclusion(1);  // converted zones are not merged
    EXPECT_EQ(r.zoneCount(), 3u);
    r.MergeExclusionZones();
    EXPECT_EQ(r.zoneCount(), 3u);
    // [20,21] grows [10,20] to [10,21] after the pass has gone past [21,55].
    ASSERT_TRUE(r.AddExclusionZone(20, 21).ok());
    EXPECT_EQ(zonesOf(r), (std::vector<std::pair<double, double>>{{10, 21}, {21, 55}, {56, 60}}));
}

TEST(RangeSet, ZoneEditingKeepsTheSpan) {
    RangeSet r(100.0);
    Corrections c{};
    c[correctionIndex(1, 2)] = 3.5;
    EXPECT_TRUE(r.AddCorrectionZone(40, 30, c).ok());
    const Status outside = r.AddCorrectionZone(-10, -1, c);
    ASSERT_FALSE(outside.ok());
    EXPECT_EQ(outside.error().id, msg::ZoneOutsideRecord);
    EXPECT_EQ(r.zoneCount(), 1u);
    for (auto [a, b] : {std::pair{120.0, 90.0}, std::pair{90.0, 120.0}}) {
        r.setZoneBounds(0, a, b);  // clamped to the record and ordered
        EXPECT_EQ(r.zone(0).begin, 90) << a;
        EXPECT_EQ(r.zone(0).end, 100) << a;
    }
    r.convertToExclusion(0);
    EXPECT_EQ(r.zone(0).exclusion, 1);
    EXPECT_EQ(r.zone(0).corrections[static_cast<std::size_t>(correctionIndex(1, 2))], 3.5);  // kept
    r.removeZone(0);
    r.removeZone(5);  // nothing there
    EXPECT_EQ(r.zoneCount(), 0u);
    EXPECT_EQ(r.span().end, 100.0);
    EXPECT_EQ(correctionIndex(3, 8), 8);
    EXPECT_EQ(correctionIndex(3, 9), -1);
    EXPECT_EQ(correctionIndex(2, 764), 1028);
}

TEST(RangeSet, InvertingExclusionsKeepsTheGaps) {
    RangeSet r(100.0);
    ASSERT_TRUE(r.AddExclusionZone(10, 20).ok());
    ASSERT_TRUE(r.AddExclusionZone(50, 100).ok());
    ASSERT_TRUE(r.AddCorrectionZone(0, 5, Corrections{}).ok());
    r.invertExclusionZones();
    EXPECT_EQ(zonesOf(r), (std::vector<std::pair<double, double>>{{0, 5}, {0, 10}, {20, 50}}));
}

TEST(RangeSet, WorkRangeNormalisation) {
    RangeSet r(99.0);  // 100 samples of 1 s
    CalcSettings s;
    s.samplePeriod = 1.0;
    s.fileSamples = 100;
    SetWorkRange(s, r, 10, 500);  // longer than the record: cut, then shifted back
    EXPECT_EQ(s.sampleCount, 100);
    EXPECT_EQ(s.firstSample, 0);
    SetWorkRange(s, r, 95, 90);
    EXPECT_EQ(s.firstSample, 90);
    EXPECT_EQ(s.sampleCount, 6);
    setWorkRangeFromTimes(s, r, 250.0, 98.2);  // clamped to the span
    EXPECT_EQ(s.firstSample, 98);
    EXPECT_EQ(s.sampleCount, 2);
    // Samples sharing one instant: the total is the file's count.
    s.samplePeriod = 0.0;
    SetWorkRange(s, r, 0, 80);
    EXPECT_EQ(s.sampleCount, 81);
}

TEST(ZoneSegments, ClosedIntervalsAndListOrder) {
    RangeSet r(20.0);
    Corrections c1{}, c2{};
    c1[correctionIndex(3, 0)] = 1.0;
    c2[correctionIndex(3, 0)] = 2.0;
    ASSERT_TRUE(r.AddCorrectionZone(2, 6, c1).ok());
    ASSERT_TRUE(r.AddExclusionZone(6, 8).ok());  // the sample at 6 s is excluded: both ends count
    ASSERT_TRUE(r.AddCorrectionZone(4, 10, c2).ok());
    CalcSettings s;
    s.samplePeriod = 1.0;
    s.sampleCount = 21;
    const auto segs = classifySamples(r, s);
    std::vector<int> excluded(21), corr(21);
    const auto table = segmentCorrections(segs, r, correctionIndex(3, 0));
    for (std::size_t i = 0; i < segs.size(); ++i)
        for (auto t = segs[i].begin; t < segs[i].end; ++t) {
            excluded[static_cast<std::size_t>(t)] = segs[i].excluded;
            corr[static_cast<std::size_t>(t)] = static_cast<int>(table[i]);
        }
    EXPECT_EQ(excluded, (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(corr, (std::vector<int>{0, 0, 1, 1, 3, 3, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}
