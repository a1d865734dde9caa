#include <gtest/gtest.h>

#include <cmath>

#include "core/tables/formula/CellNumberFormat.h"

using namespace phonotab;

TEST(CellNumberFormat, FixedNotationUsesTheLowFourBitsAsDecimals) {
    EXPECT_EQ(FormatCellNumber(2, 1.0 / 3), "0.33");
    EXPECT_EQ(FormatCellNumber(1, 71.26), "71.3");
    EXPECT_EQ(FormatCellNumber(0, 2.5), "2");  // printf rounds half to even
    EXPECT_EQ(FormatCellNumber(0x12, 1.0), "1.00");  // bits above 3 are no decimals
    EXPECT_EQ(FormatCellNumber(15, 0.5), "0.500000000000000");
}

TEST(CellNumberFormat, EngineeringNotation) {
    const std::int32_t eng = static_cast<std::int32_t>(numfmt::Engineering | 1);
    const std::pair<double, const char*> cases[] = {
        {0.0, "0E0"},        {12345, "12.3E3"},   {0.5, "500E-3"}, {0.05, "50E-3"},  {-0.002, "-2E-3"},
        {1, "1E0"},          {1000, "1E3"},       {999.7, "1E3"},  {-999.7, "-1E3"}, {0.0009997, "1E-3"},
        {1.5e-7, "150E-9"},  {123456789, "123E6"}};
    for (const auto& [v, text] : cases) EXPECT_EQ(FormatCellNumber(eng, v), text) << v;
    EXPECT_EQ(FormatCellNumber(eng, INFINITY), "inf");
    EXPECT_EQ(FormatCellNumber(eng, NAN), "nan");
}

TEST(CellNumberFormat, DisplayTextsAsNumbers) {
    EXPECT_EQ(ParseCellNumber("71.3"), 71.3);
    EXPECT_EQ(ParseCellNumber("  -2e3 dB"), -2000.0);
    EXPECT_EQ(ParseCellNumber(""), std::nullopt);
    EXPECT_EQ(ParseCellNumber("???"), std::nullopt);
    EXPECT_EQ(ParseCellNumber("dB 5"), std::nullopt);
}
