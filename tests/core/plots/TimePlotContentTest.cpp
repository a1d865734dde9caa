#include <gtest/gtest.h>

#include <cmath>

#include "core/base/MessageIds.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/plots/TimePlotContent.h"
#include "core/plots/TimePlotReadout.h"

using namespace phonotab;

namespace {

// 200 samples 0.5 s apart (99.5 s), the work range from sample 50 on, a
// correction zone over 10–12 s and an exclusion zone over 30–40 s.
CalcFile fileWithZones() {
    CalcFile f;
    f.file.startTime = CalendarTime{2024, 3, 5, 14, 30, 0};
    f.settings.samplePeriod = 0.5;
    f.settings.fileSamples = 200;
    f.ranges = RangeSet(99.5);
    f.settings.firstSample = 50;
    f.settings.sampleCount = 100;
    EXPECT_TRUE(f.ranges.AddCorrectionZone(12, 10, Corrections{}).ok());
    EXPECT_TRUE(f.ranges.AddExclusionZone(30, 40).ok());
    for (int p = 0; p < 3; ++p) {
        ParameterEntry e;
        e.code = 0x21fc0000u + static_cast<FieldCode>(p);
        e.flags.plot = p != 1;  // the middle one is not plotted
        e.colour = 0x0000FF00u + static_cast<std::uint32_t>(p);
        for (int k = 0; k < 200; ++k) e.data.push_back(40.0 + k);
        e.loaded = true;
        f.entries.push_back(e);
    }
    return f;
}

}  // namespace

// The sample at a zone's begin and the zone's band boundary fall on the same x,
// in every unit, wherever the work range starts.
TEST(TimePlotContent, CurvesAndZonesShareTheRecordStart) {
    for (TimeUnit unit : {TimeUnit::Seconds, TimeUnit::Minutes, TimeUnit::Hours}) {
        for (std::int64_t first : {0, 50, 137}) {
            CalcFile f = fileWithZones();
            f.settings.firstSample = first;
            f.settings.sampleCount = 200 - first;
            const TimePlotContent c = buildTimePlotContent(f, {unit, true});
            SCOPED_TRACE(testing::Message() << "unit " << int(unit) << " first " << first);
            ASSERT_EQ(c.curves.size(), 2u);
            EXPECT_EQ(c.curves[0].first, 0);
            EXPECT_EQ(c.curves[0].count, 200);
            EXPECT_EQ(c.longest, 200);
            EXPECT_DOUBLE_EQ(c.dx, 0.5 / unitSeconds(unit));
            ASSERT_EQ(c.zones.size(), 4u);
            // Correction first (yellow), then exclusion (light red); the second of
            // each pair fills the band.
            EXPECT_EQ(c.zones[0].word, kCorrectionZoneColour);
            EXPECT_EQ(c.zones[1].word, kCorrectionZoneColour | GraphZone::kFillsBand);
            EXPECT_EQ(c.zones[2].word, kExclusionZoneColour);
            EXPECT_EQ(c.zones[3].word, kExclusionZoneColour | GraphZone::kFillsBand);
            // Samples 60 and 80 are the exclusion zone's ends (30 s, 40 s); 20 and 24 the correction's.
            EXPECT_NEAR(c.x0 + 60 * c.dx, c.zones[2].value, 1e-12);
            EXPECT_NEAR(c.x0 + 80 * c.dx, c.zones[3].value, 1e-12);
            EXPECT_NEAR(c.x0 + 20 * c.dx, c.zones[0].value, 1e-12);
            EXPECT_NEAR(c.x0 + 24 * c.dx, c.zones[1].value, 1e-12);
            EXPECT_EQ(c.sampleAtSeconds(c.secondsOfX(c.zones[2].value)), 60);
        }
    }
}

TEST(TimePlotContent, ClockAxisAndCurveSelection) {
    CalcFile f = fileWithZones();
    f.entries[2].data[7] = kNoValue;
    f.entries[0].data.resize(1);  // one sample: nothing to draw
    const TimePlotContent c = buildTimePlotContent(f, {TimeUnit::Hours, false});
    EXPECT_TRUE(c.clock);
    EXPECT_EQ(c.unit, 1.0);  // the clock axis counts seconds whatever the unit
    EXPECT_EQ(c.timeOrigin, toCivilSeconds(f.file.startTime));
    ASSERT_EQ(c.curves.size(), 1u);
    const TimePlotCurve& curve = c.curves[0];
    EXPECT_EQ(curve.code, f.entries[2].code);
    EXPECT_EQ(curve.colour, 0x8000FF02u);
    // The no-value mark is never drawn: the curve is a copy with a gap there.
    ASSERT_TRUE(curve.gaps);
    EXPECT_TRUE(std::isnan(curve.samples[7]));
    EXPECT_EQ(curve.samples[8], 48.0);
    EXPECT_EQ(f.entries[2].data[7], kNoValue);  // the calculation's series is untouched

    // Rebuilt with the content shown, the copy is taken over, not made again.
    const TimePlotContent again = buildTimePlotContent(f, {TimeUnit::Hours, false}, &c);
    EXPECT_EQ(again.curves[0].gaps, curve.gaps);
    EXPECT_TRUE(sameCurves(again, c));

    // Without marks the entry's series is viewed in place.
    f.entries[2].data[7] = 47.0;
    const TimePlotContent plain = buildTimePlotContent(f, {});
    EXPECT_EQ(plain.curves[0].samples, f.entries[2].data.data());
    EXPECT_FALSE(plain.curves[0].gaps);

    // Stored histograms (class counts) are never drawn against time, in either mode.
    f.entries[2].code = 0x20260000u;
    EXPECT_TRUE(buildTimePlotContent(f, {}).curves.empty());
    f.settings.histogramMode = true;
    EXPECT_TRUE(buildTimePlotContent(f, {}).curves.empty());
}

TEST(TimePlotContent, RebuildKeepsTheZoom) {
    CalcFile f = fileWithZones();
    PaneSet set;
    applyTimePlotContent(buildTimePlotContent(f, {TimeUnit::Seconds, true}), set, 0);
    EXPECT_EQ(set.seriesCount(), 2);
    EXPECT_FALSE(set.pane(0)->hasFlag(paneflag::kTimeAxis));
    set.scrollTo(40, 30);
    const IndexRange zoomed = set.visibleRange();
    ASSERT_TRUE(set.zoomed());

    // A zone edit keeps the series (their pyramids are not built again).
    const TimePlotContent shown = buildTimePlotContent(f, {TimeUnit::Seconds, true});
    const auto pyramid = set.pane(0)->series()[0].pyramid;
    ASSERT_TRUE(f.ranges.AddExclusionZone(50, 55).ok());
    applyTimePlotContent(buildTimePlotContent(f, {TimeUnit::Seconds, true}), set, 0, &shown);
    EXPECT_EQ(set.pane(0)->series()[0].pyramid, pyramid);
    EXPECT_EQ(set.pane(0)->zones().size(), 6u);
    // Another parameter drawn: the series are replaced.
    CalcFile other = f;
    other.entries[1].flags.plot = true;
    const TimePlotContent three = buildTimePlotContent(other, {TimeUnit::Seconds, true});
    EXPECT_FALSE(sameCurves(three, shown));
    applyTimePlotContent(three, set, 0, &shown);
    EXPECT_EQ(set.seriesCount(), 3);

    ASSERT_TRUE(f.ranges.AddExclusionZone(60, 70).ok());
    applyTimePlotContent(buildTimePlotContent(f, {TimeUnit::Minutes, false}), set, 0);
    EXPECT_EQ(set.visibleRange(), zoomed);
    EXPECT_EQ(set.seriesCount(), 2);
    EXPECT_EQ(set.pane(0)->zones().size(), 8u);
    EXPECT_TRUE(set.pane(0)->hasFlag(paneflag::kTimeAxis));
    EXPECT_DOUBLE_EQ(set.dx(), 0.5);
}

TEST(TimePlotContent, MarkerRangeAndWorkRange) {
    CalcFile f = fileWithZones();
    const TimePlotContent c = buildTimePlotContent(f, {TimeUnit::Minutes, true});
    PaneSet set;
    applyTimePlotContent(c, set, 0);
    set.scrollTo(20, 100);  // visible: samples 20..119, 10 s .. 59.5 s
    set.prepareDraw();
    GraphPane& pane = *set.pane(0);

    auto r = markerRange(pane, c);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().id, msg::MarkersNotSet);

    pane.setMarker(1, {c.xOfSeconds(45), 0});
    pane.setMarker(2, {c.xOfSeconds(45), 0});
    r = markerRange(pane, c);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().id, msg::MarkersCoincide);

    // Both markers left of the view (or both right of it): they are out of sight, not at one point.
    for (double at : {2.0, 70.0}) {
        pane.setMarker(1, {c.xOfSeconds(at), 0});
        pane.setMarker(2, {c.xOfSeconds(at + 3), 0});
        r = markerRange(pane, c);
        ASSERT_FALSE(r.ok()) << at;
        EXPECT_EQ(r.error().id, msg::MarkersOutsideView) << at;
    }

    // Reversed markers give the ordered range; the one left of the view is clamped.
    pane.setMarker(1, {c.xOfSeconds(45), 0});
    pane.setMarker(2, {c.xOfSeconds(2), 0});
    r = markerRange(pane, c);
    ASSERT_TRUE(r.ok());
    EXPECT_NEAR(r->begin, 10.0, 1e-9);
    EXPECT_NEAR(r->end, 45.0, 1e-9);

    ASSERT_TRUE(setWorkRangeFromSeconds(f.settings, f.ranges, c, *r).ok());
    EXPECT_EQ(f.settings.firstSample, 20);
    EXPECT_EQ(f.settings.sampleCount, 71);  // samples 20..90

    const CalcSettings before = f.settings;
    const Status same = setWorkRangeFromSeconds(f.settings, f.ranges, c, {30.1, 30.2});
    EXPECT_EQ(same.error().id, msg::MarkersCoincide);
    EXPECT_EQ(f.settings.firstSample, before.firstSample);
    EXPECT_EQ(f.settings.sampleCount, before.sampleCount);
}

TEST(TimePlotContent, ZonesUnderATime) {
    CalcFile f = fileWithZones();
    ASSERT_TRUE(f.ranges.AddCorrectionZone(35, 50, Corrections{}).ok());
    EXPECT_EQ(zonesAt(f.ranges, 5.0), std::vector<std::size_t>{});
    EXPECT_EQ(zonesAt(f.ranges, 12.0), std::vector<std::size_t>{0});
    EXPECT_EQ(zonesAt(f.ranges, 36.0), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(zonesAt(f.ranges, 50.0), std::vector<std::size_t>{2});
}

TEST(TimePlotReadout, ItemsInOrderInBothTimeForms) {
    CalcFile f = fileWithZones();  // starts 14:30:00
    const TimePlotContent c = buildTimePlotContent(f, {TimeUnit::Minutes, true});
    GraphPane pane;
    const GraphMarker cursor{2.5, 61.256};  // 2.5 min
    EXPECT_EQ(timePlotReadout(legend::kDefault, c, pane, cursor, 200), "x: 2.5; y: 61.26; ");
    EXPECT_EQ(timePlotReadout(legend::kDefault, c, pane, std::nullopt, 200), "");  // pointer outside

    pane.setMarker(1, {1.0, 60.0});
    pane.setMarker(2, {1.5, 70.0});
    const std::uint32_t all = 0x3C0E3u;  // every item
    EXPECT_EQ(timePlotReadout(all, c, pane, cursor, 200),
              "x: 2.5; dx: 1.5; y: 61.26; dy: 1.26; pts: 200; m1x: 1; m1y: 60.00; m2x: 1.5; m2y: 70.00; ");
    // Clock form: the start plus x minutes; the distance from marker 1 as a duration.
    EXPECT_EQ(timePlotReadout(all | legend::kClockTimes, c, pane, cursor, 200),
              "x: 14:32:30; dx: 00:01:30; y: 61.26; dy: 1.26; pts: 200; m1x: 14:31:00; m1y: 60.00; "
              "m2x: 14:31:30; m2y: 70.00; ");
}
