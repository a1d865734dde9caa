// Calendar date and time of instrument records and files.
//
// Instruments store wall-clock times without a time zone (MS-DOS date and time
// words, packed day numbers). The program keeps them as calendar fields and does
// its arithmetic on "civil seconds" (seconds since 1970-01-01 00:00:00 counted
// on the proleptic Gregorian calendar without zones), so that durations between
// records never jump at a daylight-saving change of the computer they are read on.
#pragma once

#include <cstdint>
#include <string>

namespace phonotab {

struct CalendarTime {
    int year = 1980, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;

    bool operator==(const CalendarTime&) const = default;
};

std::int64_t daysFromCivil(int year, int month, int day);
std::int64_t toCivilSeconds(const CalendarTime& t);
CalendarTime fromCivilSeconds(std::int64_t seconds);

// MS-DOS (FAT) words: date = (year − 1980) << 9 | month << 5 | day,
// time = hour << 11 | minute << 5 | second / 2; the odd second is kept apart.
CalendarTime fromDosDateTime(std::uint16_t date, std::uint16_t time, bool oddSecond);
std::uint16_t dosDate(const CalendarTime& t);
std::uint16_t dosTime(const CalendarTime& t);

// The packed date-time word of instruments: bits 31–17 day number from
// 2000-01-01, 16–12 hour, 11–6 minute, 5–0 second. Years above 2037 are 2037.
CalendarTime fromPackedDateTime(std::uint32_t packed);
std::uint32_t toPackedDateTime(const CalendarTime& t);

// "YYYY-MM-DD hh:mm:ss"
std::string formatIso(const CalendarTime& t);

}  // namespace phonotab
