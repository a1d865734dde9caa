#include <gtest/gtest.h>

#include "core/acoustics/TimeBar.h"

using namespace phonotab;

namespace {

// A record of 101 samples one second apart on a bar 100 px wide, 30 px high.
struct Bar {
    CalcSettings settings;
    RangeSet ranges{100.0};
    BarRect area{10, 0, 110, 30};

    Bar() {
        settings.samplePeriod = 1.0;
        settings.fileSamples = settings.sampleCount = 101;
    }
    TimeBar bar() const { return TimeBar(ranges, settings, area); }
};

}  // namespace

TEST(TimeBar, BlocksSitInTheirLanesAndAreNeverNarrowerThanAPixel) {
    Bar b;
    b.settings.firstSample = 20;
    b.settings.sampleCount = 51;  // 20 … 70 s
    ASSERT_TRUE(b.ranges.AddExclusionZone(40, 40).ok());  // a single instant
    ASSERT_TRUE(b.ranges.AddCorrectionZone(0, 100, Corrections{}).ok());
    const std::vector<BarBlock> blocks = b.bar().blocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].lane, BarLane::WorkRange);
    EXPECT_FALSE(blocks[0].zone);
    EXPECT_EQ(blocks[0].rect.left, 30);
    EXPECT_EQ(blocks[0].rect.right, 80);
    EXPECT_EQ(blocks[0].rect.top, 0);
    EXPECT_EQ(blocks[0].rect.bottom, 10);
    EXPECT_EQ(blocks[1].lane, BarLane::Exclusions);
    EXPECT_EQ(blocks[1].rect.right - blocks[1].rect.left, 1);
    EXPECT_EQ(blocks[1].rect.top, 10);
    EXPECT_EQ(blocks[2].lane, BarLane::Corrections);
    EXPECT_EQ(blocks[2].rect.left, 10);
    EXPECT_EQ(blocks[2].rect.right, 110);
    EXPECT_EQ(blocks[2].rect.bottom, 30);
}

TEST(TimeBar, HitTestsFindTheZonesUnderThePointInListOrder) {
    Bar b;
    ASSERT_TRUE(b.ranges.AddCorrectionZone(10, 50, Corrections{}).ok());
    ASSERT_TRUE(b.ranges.AddExclusionZone(30, 60).ok());
    ASSERT_TRUE(b.ranges.AddCorrectionZone(40, 45, Corrections{}).ok());
    const TimeBar bar = b.bar();
    struct Case {
        int x, y;
        bool onBar, workRange;
        std::vector<std::size_t> zones;
    } cases[] = {
        {52, 25, true, false, {0, 2}},  // 42 s in the corrections lane: two zones
        {52, 15, true, false, {1}},     // the exclusions lane
        {52, 5, true, true, {}},        // the top lane: the work range
        {15, 15, true, false, {}},      // nothing at 5 s in the exclusions lane
        {10, 5, false, false, {}},      // the bar's own edge is outside
        {52, 40, false, false, {}},
    };
    for (const Case& c : cases) {
        const BarHit hit = bar.hitTest(c.x, c.y);
        EXPECT_EQ(hit.onBar, c.onBar) << c.x << "," << c.y;
        EXPECT_EQ(hit.workRangeLane, c.workRange) << c.x << "," << c.y;
        EXPECT_EQ(hit.zones, c.zones) << c.x << "," << c.y;
    }
    EXPECT_EQ(bar.sampleAt(60), 50);
    EXPECT_EQ(bar.sampleAt(-5), 0);
    EXPECT_EQ(bar.sampleAt(500), 100);
}

TEST(TimeBar, ARecordOfOneSampleDividesByNothing) {
    Bar b;
    b.ranges = RangeSet(0.0);
    b.settings.fileSamples = b.settings.sampleCount = 1;
    const TimeBar bar = b.bar();
    EXPECT_EQ(bar.x(0), 10);
    EXPECT_EQ(bar.x(5), 10);
    EXPECT_EQ(bar.sampleAt(70), 0);
    const std::vector<BarBlock> blocks = bar.blocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].rect.right - blocks[0].rect.left, 1);
    EXPECT_EQ(sliderTimeText(0, 1.0, b.ranges, true, {}), "0");
}

TEST(TimeBar, TimeTexts) {
    struct Case {
        double duration;
        std::int64_t position;
        const char* text;
    } cases[] = {{59, 59, "59"}, {3540, 125, "02:05"}, {3600, 3725, "01:02:05"}, {7200, 7199, "01:59:59"}};
    const CalendarTime start{2024, 5, 20, 23, 59, 30};
    for (const Case& c : cases)
        EXPECT_EQ(sliderTimeText(c.position, 1.0, RangeSet(c.duration), true, start), c.text) << c.duration;
    EXPECT_EQ(recordTimeText(44.6, 7200, true, start), "00:00:45");
    EXPECT_EQ(recordTimeText(45, 59, false, start), "00:00:15");  // past midnight on the instrument's clock
    EXPECT_EQ(sliderTimeText(90, 0.5, RangeSet(59), false, start), "00:00:15");

    CalcSettings s;
    s.samplePeriod = 0.5;
    s.sampleCount = 121;
    EXPECT_EQ(rangesTitle(s, {2024, 5, 7, 9, 0, 0}), "Диапазоны (60 сек), 07/05/2024");
    RangeZone z;
    z.begin = 1.25;
    z.end = 20;
    EXPECT_EQ(zoneChoiceText(z), "Зона 1.2 - 20.0 сек");
}

TEST(TimeBar, BoundsFieldsOfBothFramesRewriteEachOther) {
    const CalendarTime start{2024, 5, 20, 22, 0, 0};
    const TimeFields rel = splitTime(90061.5);
    EXPECT_EQ(rel.days, 1);
    EXPECT_EQ(rel.hours, 1);
    EXPECT_EQ(rel.minutes, 1);
    EXPECT_DOUBLE_EQ(rel.seconds, 1.5);
    EXPECT_DOUBLE_EQ(rel.total(), 90061.5);
    const TimeFields clock = clockFields(7200.25, start);  // 00:00:00.25 the next day
    EXPECT_EQ(clock.days, 1);
    EXPECT_EQ(clock.hours, 0);
    EXPECT_DOUBLE_EQ(clock.seconds, 0.25);
    EXPECT_DOUBLE_EQ(relativeFromClock(clock, start), 7200.25);
}
