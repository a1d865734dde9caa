#include "core/acoustics/IndicatorTables.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"
#include "core/base/Message.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

namespace {

std::string noValue() { return tr(text::NoValueMark); }
std::string decibels(double v) { return cformat("%.1f", v); }
std::string level(bool has, double v) { return has ? decibels(v) : noValue(); }
std::string hours(double seconds) { return cformat("%.2f", seconds / 3600.0); }
std::string percent(double fraction) { return cformat("%.1f", fraction * 100.0); }
std::string column(text::Id id) { return tr(id); }
std::string decibelColumn(const std::string& name) { return formatWithArgs(tr(text::ColumnDecibels), {name}); }
std::string dateText(const CalendarTime& t) { return cformat("%04d-%02d-%02d", t.year, t.month, t.day); }
std::string clockMinutes(double civilSeconds) {
    const CalendarTime t = fromCivilSeconds(static_cast<std::int64_t>(std::floor(civilSeconds)));
    return cformat("%02d:%02d", t.hour, t.minute);
}

// Characters of UTF-8 text (continuation bytes not counted), for aligning columns.
std::size_t displayWidth(const std::string& s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string csvCell(const std::string& s) {
    if (s.find_first_of(";\"\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void appendLine(std::string& out, const std::vector<std::string>& cells, char sep, bool csv) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out += sep;
        out += csv ? csvCell(cells[i]) : cells[i];
    }
    out += '\n';
}

}  // namespace

std::string periodDisplayName(const std::string& name) {
    if (name == "day") return tr(text::PeriodDay);
    if (name == "evening") return tr(text::PeriodEvening);
    if (name == "night") return tr(text::PeriodNight);
    return name;
}

TextTable periodTable(const PeriodIndicators& r) {
    TextTable t;
    t.title = tr(text::PeriodsTab);
    t.header = {column(text::ColumnDate), column(text::ColumnPeriod), column(text::ColumnStart), column(text::ColumnEnd),
                decibelColumn("Leq"), decibelColumn("Lmax"), decibelColumn("Lmin")};
    for (double n : r.percentileLevels) t.header.push_back(decibelColumn("L" + formatLg(n)));
    t.header.push_back(column(text::ColumnMeasuredHours));
    t.header.push_back(column(text::ColumnCoverage));
    if (r.eventsSearched) {
        t.header.push_back(column(text::ColumnEventCount));
        t.header.push_back(column(text::ColumnEventShare));
    }
    for (const PeriodRow& p : r.periods) {
        const LevelFigures& l = p.levels;
        std::vector<std::string> row = {dateText(p.date), periodDisplayName(r.scheme.periods[p.period].name),
                                        clockMinutes(p.begin), clockMinutes(p.end), level(l.hasValue(), l.leq),
                                        level(l.hasValue(), l.lmax), level(l.hasValue(), l.lmin)};
        for (std::size_t k = 0; k < r.percentileLevels.size(); ++k)
            row.push_back(level(l.hasValue() && k < l.percentiles.size(), k < l.percentiles.size() ? l.percentiles[k] : 0));
        row.push_back(hours(l.measuredSeconds));
        row.push_back(percent(l.coverage()));
        if (r.eventsSearched) {
            row.push_back(std::to_string(p.eventCount));
            row.push_back(l.hasValue() ? percent(p.eventEnergyShare) : noValue());
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

TextTable dayTable(const PeriodIndicators& r) {
    TextTable t;
    t.title = tr(text::DaysTab);
    t.header = {column(text::ColumnDate),  decibelColumn("Leq"),           decibelColumn("Lmax"),
                decibelColumn("Lmin"),     decibelColumn(r.scheme.levelName), column(text::ColumnMeasuredHours),
                column(text::ColumnCoverage)};
    for (const DayRow& d : r.days) {
        const LevelFigures& l = d.levels;
        t.rows.push_back({dateText(d.date), level(l.hasValue(), l.leq), level(l.hasValue(), l.lmax),
                          level(l.hasValue(), l.lmin), level(d.hasDayEveningNight, d.dayEveningNight),
                          hours(l.measuredSeconds), percent(l.coverage())});
    }
    return t;
}

TextTable eventTable(const PeriodIndicators& r) {
    TextTable t;
    t.title = tr(text::EventsTab);
    t.header = {column(text::ColumnStart),   column(text::ColumnEnd),   column(text::ColumnDurationSeconds),
                decibelColumn("Lmax"),        column(text::ColumnLmaxTime), decibelColumn("Leq"),
                decibelColumn("SEL"),         column(text::ColumnPeriod)};
    for (const LevelEvent& e : r.events) {
        const PeriodRow& p = r.periods[e.periodRow];
        t.rows.push_back({formatClockTime(e.start), formatClockTime(e.end), cformat("%.1f", e.duration()), decibels(e.lmax),
                          formatClockTime(e.lmaxTime), decibels(e.leq), decibels(e.sel),
                          dateText(p.date) + " " + periodDisplayName(r.scheme.periods[p.period].name)});
    }
    return t;
}

TextTable hourTable(const PeriodIndicators& r) {
    TextTable t;
    t.title = tr(text::HourlyTab);
    t.header = {column(text::ColumnDate), column(text::ColumnHour), decibelColumn("Leq"), column(text::ColumnMeasuredHours)};
    for (const HourRow& h : r.hours)
        t.rows.push_back({dateText(h.date), cformat("%02d", h.hour), level(h.samples > 0, h.leq), hours(h.measuredSeconds)});
    return t;
}

std::vector<TextTable> indicatorTables(const PeriodIndicators& r) {
    std::vector<TextTable> out = {periodTable(r), dayTable(r)};
    if (r.eventsSearched) out.push_back(eventTable(r));
    out.push_back(hourTable(r));
    return out;
}

std::vector<std::string> indicatorSummaryLines(const PeriodIndicators& r) {
    std::vector<std::string> out;
    out.push_back(formatWithArgs(tr(text::WholeRecordLevel),
                                 {r.scheme.levelName, level(r.hasPenalisedLevel, r.penalisedLevel)}));
    const ExposureFigures& x = r.exposure;
    out.push_back(formatWithArgs(tr(text::ExposureSummary),
                                 {level(r.hasExposure, x.sel), level(r.hasExposure, x.leq),
                                  r.hasExposure ? hours(x.exposureSeconds) : noValue(), level(r.hasExposure, x.lex8h)}));
    if (r.eventsSearched)
        out.push_back(formatWithArgs(tr(text::EventCountSummary), {static_cast<std::int64_t>(r.events.size())}));
    return out;
}

std::string tableAsTabText(const TextTable& t) {
    std::string out;
    appendLine(out, t.header, '\t', false);
    for (const auto& row : t.rows) appendLine(out, row, '\t', false);
    return out;
}

std::string tablesAsCsv(const std::vector<TextTable>& tables, const std::vector<std::string>& summary) {
    std::string out;
    for (const TextTable& t : tables) {
        appendLine(out, {t.title}, ';', true);
        appendLine(out, t.header, ';', true);
        for (const auto& row : t.rows) appendLine(out, row, ';', true);
        out += '\n';
    }
    for (const std::string& line : summary) appendLine(out, {line}, ';', true);
    return out;
}

std::string tablesAsText(const std::vector<TextTable>& tables, const std::vector<std::string>& summary) {
    std::string out;
    for (const TextTable& t : tables) {
        std::vector<std::size_t> width(t.header.size(), 0);
        auto measure = [&](const std::vector<std::string>& cells) {
            for (std::size_t i = 0; i < cells.size() && i < width.size(); ++i)
                width[i] = std::max(width[i], displayWidth(cells[i]));
        };
        measure(t.header);
        for (const auto& row : t.rows) measure(row);
        auto line = [&](const std::vector<std::string>& cells) {
            std::string l;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (i) l += "  ";
                l += cells[i];
                if (i + 1 < cells.size() && i < width.size()) l.append(width[i] - displayWidth(cells[i]), ' ');
            }
            out += l + '\n';
        };
        out += t.title + '\n';
        line(t.header);
        for (const auto& row : t.rows) line(row);
        out += '\n';
    }
    for (const std::string& line : summary) out += line + '\n';
    return out;
}

}  // namespace phonotab
