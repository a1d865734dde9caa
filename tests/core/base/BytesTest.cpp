#include <gtest/gtest.h>

#include "core/base/Bytes.h"

using namespace phonotab;

TEST(ByteReader, ReadsLittleEndianAndLatchesFailurePastTheEnd) {
    const std::uint8_t data[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF};
    ByteReader r(data);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0x12345678u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u16(), 0);  // only one byte left: nothing is read
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);  // stays failed
    EXPECT_TRUE(r.bytes(1).empty());
}

TEST(ByteReader, HugeLengthsFailWithoutOverflow) {
    const std::uint8_t data[4] = {};
    ByteReader r(data);
    r.skip(2);
    EXPECT_TRUE(r.bytes(SIZE_MAX).empty());
    EXPECT_FALSE(r.ok());
}

TEST(ByteWriter, RoundTripsThroughTheReader) {
    ByteWriter w;
    w.u16(0xBEEF);
    w.i32(-5);
    w.f64(2e-5);
    w.u64(0x0102030405060708ull);
    const auto bytes = w.take();
    ByteReader r(bytes);
    EXPECT_EQ(r.u16(), 0xBEEF);
    EXPECT_EQ(r.i32(), -5);
    EXPECT_EQ(r.f64(), 2e-5);
    EXPECT_EQ(r.u64(), 0x0102030405060708ull);
    EXPECT_TRUE(r.atEnd());
}

TEST(Bytes, FieldAccessRefusesFieldsCutByTheEnd) {
    const std::uint8_t data[5] = {1, 0, 0, 0, 9};
    std::uint32_t v = 7;
    EXPECT_TRUE(readU32At(data, 0, v));
    EXPECT_EQ(v, 1u);
    EXPECT_FALSE(readU32At(data, 2, v));
    EXPECT_FALSE(readU32At(data, SIZE_MAX - 1, v));
    std::uint16_t w;
    EXPECT_TRUE(readU16At(data, 3, w));
    EXPECT_EQ(w, 0x0900);
}
