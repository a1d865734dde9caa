#include <gtest/gtest.h>

#include <cmath>

#include "InstrumentFiles.h"
#include "TeleDescSource.h"
#include "core/measurement/DeviceName.h"
#include "core/measurement/RecordDecoder.h"
#include "core/measurement/RecordLayout.h"

using namespace phonotab;
using namespace phonotab::fixtures;

namespace {

// A layout for one type of the given codes.
struct Bench {
    TeleDesc desc;
    RecordLayout layout;
    MeasurementRecord rec;

    explicit Bench(std::vector<FieldCode> codes, std::uint32_t statEntries = 0, bool longIndex = false,
                   std::uint32_t typeCode = 7) {
        TeleDescSource s;
        TypeSource t;
        t.typeCode = typeCode;
        t.codes = std::move(codes);
        t.statEntries = statEntries;
        t.longIndex = longIndex ? 1 : 0;
        s.types.push_back(t);
        desc = *parseTeleDesc(writeTeleDesc(s), "Русский");
        Result<RecordLayout> l = BuildLayout(desc, typeCode);
        EXPECT_TRUE(l.ok());
        if (l.ok()) layout = *l;
        layout.sizeRecord(rec);
    }
    RecordBuilder builder() const { return RecordBuilder(layout.codes, layout.recordSize); }
    std::uint16_t decode(const RecordBuilder& b, bool accumulate = false) {
        return DecodeRecord(layout, b.bytes(), accumulate, rec);
    }
};

}  // namespace

TEST(RecordDecoder, MeasuredValuesByEncodingAndIndexReading) {
    Bench b({0x01130205, 0x51100001, 0x71200100, 0x31100002});
    EXPECT_EQ(b.layout.channelCount, 4);
    RecordBuilder r = b.builder();
    r.setRaw(0x01130205, 0x3280);               // 50.5 dB
    r.setRaw(0x51100001, 0xFFFC8000);           // -3.5
    r.setRaw(0x71200100, 123456);               // unscaled
    r.setRaw(0x31100002, 0x1234);               // encoding 3: 0.0
    b.decode(r);
    // 0x01130205: family 1 (bits 23–20), channel 3 (bits 19–16), detector 2, band 5.
    EXPECT_EQ(b.rec.channels[3].families[0].value(2, 5), 50.5);
    EXPECT_EQ(b.rec.channels[0].families[0].value(0, 1), -3.5);
    EXPECT_EQ(b.rec.channels[0].families[1].value(1, 0), 123456.0);
    EXPECT_EQ(b.rec.channels[0].families[0].value(0, 2), 0.0);
    // A sized cell that no field filled holds the no-value mark.
    EXPECT_EQ(b.rec.channels[3].families[0].value(0, 0), kNoValue);

    Bench lng({0x0113A00B}, 0, true);
    EXPECT_EQ(lng.layout.detectorCount[0], 11);
    EXPECT_EQ(lng.layout.bandCount[0], 12);
    RecordBuilder r2 = lng.builder();
    r2.setRaw(0x0113A00B, 256);
    lng.decode(r2);
    EXPECT_EQ(lng.rec.channels[3].families[0].value(10, 11), 1.0);
}

TEST(RecordDecoder, AccumulationAddsEnergiesAndLeavesNoValueCells) {
    Bench b({0x01100000, 0x01100001});
    b.rec.channels[0].families[0].cells = {0.0, kNoValue};
    RecordBuilder r = b.builder();
    r.setRaw(0x01100000, 60 * 256);
    r.setRaw(0x01100001, 70 * 256);
    b.decode(r, true);
    b.decode(r, true);
    EXPECT_DOUBLE_EQ(b.rec.channels[0].families[0].value(0, 0), 2e6);
    EXPECT_EQ(b.rec.channels[0].families[0].value(0, 1), kNoValue);
    EXPECT_EQ(b.rec.decodeCount, 2u);
}

TEST(RecordDecoder, LayoutRefusesChannelsAndFamiliesTheTablesCannotHold) {
    for (FieldCode bad : {0x01140000u, 0x01000000u, 0x01400000u, 0x02F30000u}) {
        TeleDescSource s;
        s.types.push_back({});
        s.types[0].typeCode = 9;
        s.types[0].codes = {0x01100000, bad};
        const TeleDesc d = *parseTeleDesc(writeTeleDesc(s), "Русский");
        EXPECT_EQ(BuildLayout(d, 9).error().id, 132) << std::hex << bad;
    }
    EXPECT_EQ(BuildLayout(TeleDesc{}, 9).error().id, 132);
}

TEST(RecordDecoder, HeaderFieldsAndResets) {
    Bench b({0x50040000, 0x50070000, 0x50080000, 0x201C0000, 0x20190000, 0xF0030000, 0x00060000, 0x20110000});
    RecordBuilder r = b.builder();
    r.setRaw(0x50040000, 0xA1B2C3);
    r.setRaw(0x50070000, toPackedDateTime({2023, 3, 14, 9, 30, 15}));
    r.setRaw(0x50080000, 600);
    r.setRaw(0x201C0000, 100);
    r.setRaw(0x20190000, 0x0103);  // character set 3 (low byte)
    r.setBytes(0xF0030000, {'A', 32, 63, 176, 255, 0, 5, 200, 'b', 0});
    r.setRaw(0x00060000, 77);
    r.setRaw(0x20110000, 0x0002);
    b.decode(r);
    EXPECT_EQ(b.rec.vin, 0xA1B2C3u);
    EXPECT_EQ(b.rec.durationSeconds, 600);
    EXPECT_EQ(b.rec.instrumentCode, 100);
    EXPECT_EQ(b.rec.charset, 3);
    EXPECT_EQ(formatIso(b.rec.dateTime()), "2023-03-14 09:30:15");
    EXPECT_EQ(b.rec.rangeFlags, 0x8002);  // the odd second survives the range field
    EXPECT_EQ(b.rec.rangeIndex(), 2);
    EXPECT_EQ(b.rec.aux0006, 77);
    // Set 3: byte 32 → 'A', 63 → 'f', 176 → 'g', 255 → blank, 200 → '%'.
    EXPECT_EQ(b.rec.comment, "AAfg   %b ");

    // A record without those fields resets them: duration unknown, no comment.
    Bench c({0x00060000});
    c.rec.durationSeconds = 5;
    c.rec.comment = "old";
    c.rec.vin = 42;  // not reset: kept from before
    c.decode(c.builder());
    EXPECT_EQ(c.rec.durationSeconds, -1);
    EXPECT_EQ(c.rec.comment, "");
    EXPECT_EQ(c.rec.vin, 42u);
    EXPECT_EQ(c.rec.charset, 1);
}

TEST(RecordDecoder, DeviceNameCharacterSets) {
    const std::vector<std::uint8_t> bytes = {32, 63, 64, 126, 127, 175, 176, 255, 10, 92};
    EXPECT_EQ(DecodeDeviceName(bytes, 1), "АЮ@~  Я  \\");
    EXPECT_EQ(DecodeDeviceName(bytes, 2), "АЦ@~  Ч  \\");
    EXPECT_EQ(DecodeDeviceName(bytes, 4), "  @~     \\");
    // Set 1 ends with the digits and a blank; set 3 has 14 blanks before its digits.
    EXPECT_EQ(DecodeDeviceName(std::vector<std::uint8_t>{245, 254}, 1), "09");
    EXPECT_EQ(DecodeDeviceName(std::vector<std::uint8_t>{231, 245}, 3), " 0");
}

TEST(RecordDecoder, DurationFieldHoursAboveByteRangeAreUnknown) {
    Bench b({0xF01A0000});
    RecordBuilder r = b.builder();
    r.setBytes(0xF01A0000, {5, 0x11, 2, 0x22, 1, 0});  // low bytes count: 5 s, 2 min, 1 h
    b.decode(r);
    EXPECT_EQ(b.rec.durationSeconds, 5 + 120 + 3600);
    r.setBytes(0xF01A0000, {5, 0, 2, 0, 0, 1});  // hours word 256
    b.decode(r);
    EXPECT_EQ(b.rec.durationSeconds, -1);
}

TEST(RecordDecoder, TypeCheckStopsTheWalkKeepingWhatCameBefore) {
    Bench b({0x50040000, 0x201B0000, 0x50080000, 0x01100000});
    RecordBuilder r = b.builder();
    r.setRaw(0x50040000, 99);
    r.setRaw(0x201B0000, 8);  // another type
    r.setRaw(0x50080000, 600);
    r.setRaw(0x01100000, 256);
    b.rec.typeCode = 7;
    EXPECT_EQ(b.decode(r), 8);
    EXPECT_EQ(b.rec.vin, 99u);
    EXPECT_EQ(b.rec.durationSeconds, -1);
    EXPECT_EQ(b.rec.channels[0].families[0].value(0, 0), kNoValue);
    r.setRaw(0x201B0000, 7);
    EXPECT_EQ(b.decode(r), 7);
    EXPECT_EQ(b.rec.durationSeconds, 600);
}

TEST(RecordDecoder, UnknownIdentitiesAreSkippedByTheirSize) {
    // Encoding 15, kind 0x005 is 66 bytes even with an index nobody knows.
    Bench b({0xF005ABCD, 0x50040000, 0xF0770000, 0x80990000, 0x50080000});
    EXPECT_EQ(b.layout.recordSize, 66u + 4 + 6 + 4 + 4);
    RecordBuilder r = b.builder();
    r.setRaw(0x50040000, 1234);
    r.setRaw(0x50080000, 55);
    b.decode(r);
    EXPECT_EQ(b.rec.vin, 1234u);
    EXPECT_EQ(b.rec.durationSeconds, 55);
}

TEST(RecordDecoder, UnicodeCommentStopsAtItsTerminator) {
    Bench b({0xF0050000});
    RecordBuilder r = b.builder();
    r.setUnicodeComment(0xF0050000, std::string(40, 'x'));  // only 32 units fit
    b.decode(r);
    EXPECT_EQ(b.rec.comment, std::string(32, 'x'));
    r.setUnicodeComment(0xF0050000, "Точка 1");
    b.decode(r);
    EXPECT_EQ(b.rec.comment, "Точка 1");
}

TEST(RecordDecoder, RangeWordsAndTheOddSecond) {
    Bench b({0x50070000, 0x20210000, 0x00020000});
    RecordBuilder r = b.builder();
    r.setRaw(0x50070000, toPackedDateTime({2020, 1, 1, 0, 0, 1}));
    struct Case {
        std::uint16_t byte;
        int range;
    } cases[] = {{0, 2}, {1, 1}, {2, 0}, {3, 3}, {0xFE, 0}};
    for (const auto& c : cases) {
        r.setRaw(0x20210000, c.byte);
        r.setRaw(0x00020000, 0);
        b.decode(r);
        // 0x0002 after the others clears the odd second.
        EXPECT_EQ(b.rec.rangeFlags, c.range) << c.byte;
    }
    Bench keep({0x50070000, 0x20210000});
    RecordBuilder r2 = keep.builder();
    r2.setRaw(0x50070000, toPackedDateTime({2020, 1, 1, 0, 0, 1}));
    r2.setRaw(0x20210000, 1);
    keep.decode(r2);
    EXPECT_EQ(keep.rec.rangeFlags, 0x8001);
}

TEST(RecordDecoder, BlockCounterWidensTo32Bits) {
    Bench b({0x20250000});
    RecordBuilder r = b.builder();
    for (std::uint16_t v : {5, 6, 65535, 2}) {
        r.setRaw(0x20250000, v);
        b.decode(r);
    }
    // 0→5 adds 5 (low word then 6); 6 matches (then 7); 7→65535 adds 65528 (then 0); 0→2 adds 2.
    EXPECT_EQ(b.rec.blockCounter, 5u + 65528u + 2u);
    EXPECT_EQ(b.rec.blockCounterLow, 3);
}

TEST(RecordDecoder, CalibrationChannelsAndDeferredFactors) {
    // One channel, selectors up to 2: the selector byte addresses channel selector − 1.
    Bench one({0x30180200, 0x500A0001, 0x500C0200, 0x500D0003, 0x500B0100, 0x01100000});
    EXPECT_EQ(one.layout.selectorCount, 2);
    RecordBuilder r = one.builder();
    r.setRaw(0x30180200, static_cast<std::uint16_t>(-128));  // −0.5 dB into channel 1
    r.setRaw(0x500A0001, 2 * 65536);                          // selector 0 → channel 1 by its low byte
    r.setRaw(0x500C0200, 65536);                              // selector 2 → channel 1, and 1/10 into channel 0
    r.setRaw(0x500D0003, 65536);
    r.setRaw(0x500B0100, 65536);                              // selector 1 → channel 0 only
    one.decode(r);
    const auto& ch = one.rec.channels;
    EXPECT_EQ(ch[1].calibrationDb, 2.0);  // the later field wins over the 16-bit one
    EXPECT_DOUBLE_EQ(ch[1].calibrationFactor, std::pow(10.0, 0.1));
    EXPECT_DOUBLE_EQ(ch[1].factorC, 10.0);
    EXPECT_DOUBLE_EQ(ch[0].inverseFactorC, 0.1);
    EXPECT_DOUBLE_EQ(ch[3].factorD, 10.0);
    EXPECT_DOUBLE_EQ(ch[0].factorB, 10.0);
    EXPECT_EQ(ch[0].factorB2, 0.0);

    // Two channels: selector count 1, so a selector byte of 2 is not a selector.
    Bench two({0x30180201, 0x01110000});
    EXPECT_EQ(two.layout.selectorCount, 1);
    RecordBuilder r2 = two.builder();
    r2.setRaw(0x30180201, 256);
    two.decode(r2);
    EXPECT_EQ(two.rec.channels[1].calibrationDb, 1.0);
    // A channel beyond the four is ignored, not written out of bounds.
    Bench far({0x30180009, 0x40130007});
    RecordBuilder r3 = far.builder();
    r3.setRaw(0x30180009, 256);
    far.decode(r3);
}

TEST(RecordDecoder, PercentilePointsAndLabels) {
    // 7 point indices and 2 entries per channel: 3 points per entry.
    Bench b({0x00170000, 0x00170004, 0x00171006, 0x60160001, 0x60160005}, 2);
    EXPECT_EQ(b.layout.percentPoints, 7);
    EXPECT_EQ(b.layout.pointsPerEntry(), 3);
    RecordBuilder r = b.builder();
    r.setRaw(0x00170000, 60 * 256);
    r.setRaw(0x00170004, 70 * 256);
    r.setRaw(0x00171006, 80 * 256);  // entry 2 of channel 1 does not exist
    r.setRaw(0x60160001, 6554);      // 10 %
    r.setRaw(0x60160005, 32768);     // 50 % at point 5 mod 3 = 2
    b.decode(r);
    const auto& s0 = b.rec.channels[0].statistics;
    ASSERT_EQ(s0.size(), 2u);
    EXPECT_EQ(s0[0].points[0].level, 60.0);
    EXPECT_EQ(s0[1].points[1].level, 70.0);
    EXPECT_EQ(s0[0].points[1].label, "L10");
    EXPECT_EQ(b.rec.channels[2].statistics[1].points[2].label, "L50");
}

TEST(RecordDecoder, FrequencyAxesAndInterpolation) {
    Bench b({0x70201000, 0x80202001, 0x901F3FFE, 0x901F3FFF, 0x901F3004, 0x70207000});
    EXPECT_EQ(b.layout.axisPoints[0], 2);  // index 0 → at least 2 points
    EXPECT_EQ(b.layout.axisPoints[1], 2);
    EXPECT_EQ(b.layout.axisPoints[2], 5);  // markers are not indices; index 4 is
    RecordBuilder r = b.builder();
    r.setRaw(0x70201000, 1000);
    r.setRaw(0x80202001, 256 * 63);
    r.setRaw(0x901F3FFE, 0x10000000);  // 1152000 / 16 = 72000 Hz
    r.setRaw(0x901F3FFF, 0x20000000);
    r.setRaw(0x70207000, 5);           // selector 7 stores nothing
    b.decode(r);
    EXPECT_EQ(b.rec.frequencyAxes[0][0], 1000.0);
    EXPECT_EQ(b.rec.frequencyAxes[1][1], 63.0);
    ASSERT_EQ(b.rec.frequencyAxes[2].size(), 5u);
    EXPECT_DOUBLE_EQ(b.rec.frequencyAxes[2][0], 72000.0);
    EXPECT_DOUBLE_EQ(b.rec.frequencyAxes[2][4], 72000.0 + 4 * 72000.0 / 4);
    EXPECT_DOUBLE_EQ(b.rec.frequencyAxes[2][2], 72000.0 + 2 * 72000.0 / 4);

    Bench none({0x01100000});
    EXPECT_EQ(none.layout.axisPoints[0], 0);
}

TEST(RecordDecoder, HistogramPiecesLandInTheirEntry) {
    // Two channels, one statistics entry each, pieces of 4 bins: 256 pieces per histogram.
    Bench b({0x01110000, 0x70230000, 0x70240000, 0x70240001, 0x70240002, 0x70240003, 0x00170000}, 1);
    EXPECT_EQ(b.layout.histogramPieceBins, 4);
    RecordBuilder r = b.builder();
    r.setRaw(0x70230000, 256 + 10);  // histogram 1 → channel 1, entry 0, bins 40..43
    for (std::uint32_t k = 0; k < 4; ++k) r.setRaw(0x70240000 + k, 100 + k);
    b.decode(r);
    const auto& bins = b.rec.channels[1].statistics[0].histogram;
    EXPECT_EQ(bins[40], 100u);
    EXPECT_EQ(bins[43], 103u);
    EXPECT_EQ(b.rec.channels[0].statistics[0].histogram[40], 0u);
    // Beyond the entries: stored nowhere.
    r.setRaw(0x70230000, 4 * 256);
    b.decode(r);
}
