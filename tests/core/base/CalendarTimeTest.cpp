#include <gtest/gtest.h>

#include "core/base/CalendarTime.h"

using namespace phonotab;

static std::uint32_t packed(std::uint32_t day, int h, int m, int s) {
    return (day << 17) | (static_cast<std::uint32_t>(h) << 12) | (static_cast<std::uint32_t>(m) << 6) |
           static_cast<std::uint32_t>(s);
}

TEST(CalendarTime, PackedDayNumbersFollowFourYearCycles) {
    struct Case {
        std::uint32_t day;
        CalendarTime want;
    } cases[] = {
        {0, {2000, 1, 1, 0, 0, 0}},     {59, {2000, 2, 29, 0, 0, 0}},   {60, {2000, 3, 1, 0, 0, 0}},
        {365, {2000, 12, 31, 0, 0, 0}}, {366, {2001, 1, 1, 0, 0, 0}},   {1460, {2003, 12, 31, 0, 0, 0}},
        {1461, {2004, 1, 1, 0, 0, 0}},  {8473, {2023, 3, 14, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(fromPackedDateTime(packed(c.day, 0, 0, 0)), c.want) << c.day;
    const CalendarTime t = fromPackedDateTime(packed(8473, 9, 30, 15));
    EXPECT_EQ(formatIso(t), "2023-03-14 09:30:15");
    EXPECT_EQ(toPackedDateTime(t), packed(8473, 9, 30, 15));
}

TEST(CalendarTime, YearsBeyond2037AreClamped) {
    EXPECT_EQ(fromPackedDateTime(packed(14000, 0, 0, 0)).year, 2037);
    EXPECT_EQ(fromPackedDateTime(packed(32767, 23, 59, 59)).year, 2037);
}

TEST(CalendarTime, DosWordsKeepTheOddSecondApart) {
    const CalendarTime t{2021, 7, 1, 8, 0, 37};
    const CalendarTime back = fromDosDateTime(dosDate(t), dosTime(t), true);
    EXPECT_EQ(back, t);
    EXPECT_EQ(fromDosDateTime(dosDate(t), dosTime(t), false).second, 36);
}

TEST(CalendarTime, CivilSecondsRoundTripAcrossLeapDays) {
    for (std::int64_t s : {0ll, 951782400ll, 951868799ll, -86401ll, 2145916799ll}) {
        EXPECT_EQ(toCivilSeconds(fromCivilSeconds(s)), s);
    }
    EXPECT_EQ(toCivilSeconds({2000, 3, 1, 0, 0, 0}) - toCivilSeconds({2000, 2, 28, 0, 0, 0}), 2 * 86400);
}
