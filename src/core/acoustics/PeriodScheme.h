// The periods of the day that monitoring results are given for: day, evening
// and night with the penalties (dB) that the day–evening–night level adds to
// each. Built-in schemes follow the usual rules; a user's scheme is a small
// text file, one period a line: "name HH:MM penalty" ('#' starts a comment).
// The first period starts the scheme's day; the others follow it in the order
// of the day (a start after midnight is later than one before), so the day
// may start at any minute.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

struct SchemePeriod {
    std::string name;      // "day", "evening", "night" in the built-in schemes
    int startMinute = 0;   // minutes after midnight, 0 to 1439
    double penalty = 0.0;  // dB
    bool operator==(const SchemePeriod&) const = default;
};

struct PeriodScheme {
    std::string name;       // "ru", "eu", "us", "cnel" or the file's name
    std::string levelName;  // the day–evening–night level: "Lden", "Ldn", "CNEL", "L24"
    std::vector<SchemePeriod> periods;  // from the start of the scheme's day on

    // Minutes from the start of the scheme's day to the start of period i, and its length.
    int offsetMinutes(std::size_t i) const;
    int lengthMinutes(std::size_t i) const;
    // The period that holds midnight: the night of every built-in scheme,
    // and the one a time plot shades as the night of a user's scheme.
    std::size_t midnightPeriod() const;
    bool operator==(const PeriodScheme&) const = default;
};

// The largest scheme a file may give.
constexpr int kMaxSchemePeriods = 48;
constexpr std::size_t kMaxSchemeFileBytes = 64 * 1024;

// "ru": day 07–23, night 23–07, no penalties; "eu": day 07–19, evening 19–23
// (+5 dB), night 23–07 (+10 dB) → Lden; "us": day 07–22, night 22–07 (+10 dB)
// → Ldn; "cnel": 07–19, 19–22 (+5 dB), 22–07 (+10 dB) → CNEL.
const std::vector<std::string>& builtInSchemeNames();
// The built-in scheme of that name; false when there is none.
bool builtInScheme(std::string_view name, PeriodScheme& out);

// Reads a scheme's text (UTF-8, or the 8-bit Cyrillic code page); `name`
// names it in the scheme and in the messages. Each line: the period's name
// (may hold blanks), its start "H:MM" or "HH:MM" and the penalty in dB (a
// decimal point or comma). Refusals: 6900 a line of another shape, 6901 a
// time outside the day, 6902 a penalty that is no number from -100 to 100,
// 6903 starts out of the day's order or repeated, 6904 no period, 6905 more
// than kMaxSchemePeriods periods.
Result<PeriodScheme> parsePeriodScheme(std::string_view text, const std::string& name);
// Reads a scheme file: 105 when it cannot be read, 6906 beyond kMaxSchemeFileBytes,
// then as parsePeriodScheme with the file's name.
Result<PeriodScheme> readPeriodScheme(const std::string& path);
// A built-in scheme by name, otherwise the file at that path.
Result<PeriodScheme> schemeByNameOrFile(const std::string& nameOrPath);
// The text parsePeriodScheme reads back as the same scheme.
std::string formatPeriodScheme(const PeriodScheme& scheme);

}  // namespace phonotab
