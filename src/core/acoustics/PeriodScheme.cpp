#include "core/acoustics/PeriodScheme.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/base/CFormat.h"
#include "core/base/MappedFile.h"
#include "core/base/TextCodec.h"

namespace phonotab {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

PeriodScheme makeScheme(const char* name, const char* level, std::vector<SchemePeriod> periods) {
    return PeriodScheme{name, level, std::move(periods)};
}

const std::vector<PeriodScheme>& builtIns() {
    static const std::vector<PeriodScheme> schemes = {
        makeScheme("ru", "L24", {{"day", 7 * 60, 0.0}, {"night", 23 * 60, 0.0}}),
        makeScheme("eu", "Lden", {{"day", 7 * 60, 0.0}, {"evening", 19 * 60, 5.0}, {"night", 23 * 60, 10.0}}),
        makeScheme("us", "Ldn", {{"day", 7 * 60, 0.0}, {"night", 22 * 60, 10.0}}),
        makeScheme("cnel", "CNEL", {{"day", 7 * 60, 0.0}, {"evening", 19 * 60, 5.0}, {"night", 22 * 60, 10.0}}),
    };
    return schemes;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The last blank-separated token of s, and s without it.
bool splitLast(std::string_view& s, std::string_view& token) {
    s = trim(s);
    const auto at = s.find_last_of(" \t");
    if (at == std::string_view::npos) return false;
    token = s.substr(at + 1);
    s = trim(s.substr(0, at));
    return !token.empty() && !s.empty();
}

bool readDigits(std::string_view s, int& out) {
    if (s.empty() || s.size() > 2) return false;
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

}  // namespace

int PeriodScheme::offsetMinutes(std::size_t i) const {
    if (periods.empty()) return 0;
    return ((periods[i].startMinute - periods.front().startMinute) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
}

int PeriodScheme::lengthMinutes(std::size_t i) const {
    const int next = i + 1 < periods.size() ? offsetMinutes(i + 1) : kMinutesPerDay;
    return next - offsetMinutes(i);
}

std::size_t PeriodScheme::midnightPeriod() const {
    if (periods.empty()) return 0;
    // Midnight lies this many minutes after the start of the scheme's day.
    const int midnight = (kMinutesPerDay - periods[0].startMinute) % kMinutesPerDay;
    for (std::size_t i = 0; i < periods.size(); ++i)
        if (midnight >= offsetMinutes(i) && midnight < offsetMinutes(i) + lengthMinutes(i)) return i;
    return periods.size() - 1;
}

const std::vector<std::string>& builtInSchemeNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const PeriodScheme& s : builtIns()) out.push_back(s.name);
        return out;
    }();
    return names;
}

bool builtInScheme(std::string_view name, PeriodScheme& out) {
    for (const PeriodScheme& s : builtIns())
        if (s.name == name) {
            out = s;
            return true;
        }
    return false;
}

Result<PeriodScheme> parsePeriodScheme(std::string_view bytes, const std::string& name) {
    const std::string text = decodeLocal8Bit(bytes);
    PeriodScheme scheme;
    scheme.name = name;
    scheme.levelName = "Lden";
    std::string_view rest = text;
    if (rest.size() >= 3 && rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // a byte-order mark
    int lineNumber = 0;
    while (!rest.empty()) {
        ++lineNumber;
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (const auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        line = trim(line);
        if (line.empty()) continue;
        std::string_view penaltyText, timeText;
        if (!splitLast(line, penaltyText) || !splitLast(line, timeText))
            return Message(msg::SchemeLineUnreadable, name, lineNumber);
        const auto colon = timeText.find(':');
        int hour = 0, minute = 0;
        if (colon == std::string_view::npos || !readDigits(timeText.substr(0, colon), hour) ||
            timeText.size() - colon - 1 != 2 || !readDigits(timeText.substr(colon + 1), minute))
            return Message(msg::SchemeLineUnreadable, name, lineNumber);
        if (hour > 23 || minute > 59) return Message(msg::SchemeTimeOutOfDay, name, lineNumber, std::string(timeText));
        std::string number(penaltyText);
        for (char& c : number)
            if (c == ',') c = '.';
        double penalty = 0.0;
        const char* stop = nullptr;
        if (!scanLg(number.c_str(), penalty, &stop) || *stop != '\0' || !std::isfinite(penalty) || penalty < -100.0 ||
            penalty > 100.0)
            return Message(msg::SchemePenaltyOutOfRange, name, lineNumber, std::string(penaltyText));
        if (static_cast<int>(scheme.periods.size()) >= kMaxSchemePeriods)
            return Message(msg::SchemeTooManyPeriods, name, kMaxSchemePeriods);
        scheme.periods.push_back({std::string(line), hour * 60 + minute, penalty});
        const std::size_t last = scheme.periods.size() - 1;
        if (last > 0 && scheme.offsetMinutes(last) <= scheme.offsetMinutes(last - 1))
            return Message(msg::SchemeOutOfOrder, name, lineNumber);
    }
    if (scheme.periods.empty()) return Message(msg::SchemeEmpty, name);
    return scheme;
}

Result<PeriodScheme> readPeriodScheme(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxSchemeFileBytes)
        return Message(msg::SchemeFileTooLarge, path, static_cast<std::int64_t>(kMaxSchemeFileBytes));
    std::string text;
    if (ec || !readFileText(path, text)) return Message(msg::CannotOpen, path);
    if (text.size() > kMaxSchemeFileBytes)
        return Message(msg::SchemeFileTooLarge, path, static_cast<std::int64_t>(kMaxSchemeFileBytes));
    return parsePeriodScheme(text, std::filesystem::path(path).filename().string());
}

Result<PeriodScheme> schemeByNameOrFile(const std::string& nameOrPath) {
    PeriodScheme scheme;
    if (builtInScheme(nameOrPath, scheme)) return scheme;
    return readPeriodScheme(nameOrPath);
}

std::string formatPeriodScheme(const PeriodScheme& scheme) {
    std::string out;
    for (const SchemePeriod& p : scheme.periods) {
        out += p.name;
        cformatAppend(out, " %02d:%02d ", p.startMinute / 60, p.startMinute % 60);
        appendLg(out, p.penalty);
        out += '\n';
    }
    return out;
}

}  // namespace phonotab
