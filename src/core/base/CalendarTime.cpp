#include "core/base/CalendarTime.h"

#include "core/base/CFormat.h"

namespace phonotab {

std::int64_t daysFromCivil(int year, int month, int day) {
    // Howard Hinnant's days_from_civil.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::int64_t toCivilSeconds(const CalendarTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

CalendarTime fromCivilSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rem = seconds % 86400;
    if (rem < 0) {
        rem += 86400;
        --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    CalendarTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rem / 3600);
    t.minute = static_cast<int>(rem % 3600 / 60);
    t.second = static_cast<int>(rem % 60);
    return t;
}

CalendarTime fromDosDateTime(std::uint16_t date, std::uint16_t time, bool oddSecond) {
    CalendarTime t;
    t.year = 1980 + (date >> 9);
    t.month = (date >> 5) & 15;
    t.day = date & 31;
    t.hour = time >> 11;
    t.minute = (time >> 5) & 63;
    t.second = 2 * (time & 31) + (oddSecond ? 1 : 0);
    return t;
}

std::uint16_t dosDate(const CalendarTime& t) {
    return static_cast<std::uint16_t>(((t.year - 1980) << 9) | (t.month << 5) | t.day);
}

std::uint16_t dosTime(const CalendarTime& t) {
    return static_cast<std::uint16_t>((t.hour << 11) | (t.minute << 5) | (t.second / 2));
}

CalendarTime fromPackedDateTime(std::uint32_t packed) {
    static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::uint32_t days = packed >> 17;
    CalendarTime t;
    t.hour = static_cast<int>((packed >> 12) & 31);
    t.minute = static_cast<int>((packed >> 6) & 63);
    t.second = static_cast<int>(packed & 63);
    // 4-year cycles of 1461 days, the first year of each a leap year.
    int year = 2000 + 4 * static_cast<int>(days / 1461);
    days %= 1461;
    if (days >= 366) {
        days -= 366;
        year += 1 + static_cast<int>(days / 365);
        days %= 365;
    }
    int month = 0;
    for (; month < 11; ++month) {
        const std::uint32_t len = kMonthDays[month] + (month == 1 && year % 4 == 0 ? 1 : 0);
        if (days < len) break;
        days -= len;
    }
    t.year = year > 2037 ? 2037 : year;
    t.month = month + 1;
    t.day = static_cast<int>(days) + 1;
    return t;
}

std::uint32_t toPackedDateTime(const CalendarTime& t) {
    const std::int64_t days = daysFromCivil(t.year, t.month, t.day) - daysFromCivil(2000, 1, 1);
    return (static_cast<std::uint32_t>(days) << 17) | (static_cast<std::uint32_t>(t.hour) << 12) |
           (static_cast<std::uint32_t>(t.minute) << 6) | static_cast<std::uint32_t>(t.second);
}

std::string formatIso(const CalendarTime& t) {
    return cformat("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace phonotab
