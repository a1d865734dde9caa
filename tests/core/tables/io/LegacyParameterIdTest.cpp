#include <gtest/gtest.h>

#include "core/tables/io/LegacyParameterId.h"

using namespace phonotab;

TEST(LegacyParameterId, ConvertsByFileTypeAndBand) {
    struct Case {
        std::int32_t old, x, fileType, expected;
    };
    const Case cases[] = {
        {5, 0, 0, 0},                                   // no file type
        {5, 3, 60000, 3},                               // 60000 is no counted type: the base
        {5, 7, 1, (0x11 << 20) | (5 << 8) | 7},         // first band of the tens
        {41, 0x05, 60001, 0x1110105},                   // channel 1
        {15, 0, 2, (0x12 << 20) | (5 << 8)},            // second band
        {30, 0, 21, (0x13 << 20) | (10 << 8)},          // last of the third band
        {31, 3, 21, 3},                                 // beyond the bands: the base
        {6, 0, 60006, (0x11 << 20) | (6 << 8)},         // sevens
        {13, 0, 11, (0x12 << 20) | (6 << 8)},
        {20, 0, 6, (0x13 << 20) | (6 << 8)},
        {21, 0, 6, 0},
        {9, 0, 7, (0x12 << 20) | (9 << 8)},             // tens from family 2
        {19, 0, 12, (0x13 << 20) | (9 << 8)},
        {20, 1, 12, 1},
        {4, 0, 22, (0x13 << 20) | (1 << 8)},            // threes
        {6, 2, 23, 2},
        {0, 9, 17, 0x1300601},                          // fixed results
        {9, 0, 60017, 0x20260000},
        {12 + 40 * 3, 0, 17, 0x270001},                 // c is ignored
        {13, 0, 17, 0},
        {5, 1, 40, (0 << 16) | 1},                      // any other type: the base
        {static_cast<std::int32_t>(0xF0000000u | 45), 0, 1, (1 << 16) | (0x11 << 20) | (5 << 8)},  // top bits cleared
        {5, 0x1FF, 1, (0x11 << 20) | (5 << 8) | 0xFF},  // x is a byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertLegacyParameterId(c.old, c.x, c.fileType), c.expected)
            << c.old << " " << c.x << " " << c.fileType;
}
