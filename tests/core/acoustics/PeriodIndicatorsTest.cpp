#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/Exposure.h"
#include "core/acoustics/LevelEvents.h"
#include "core/acoustics/PeriodIndicators.h"
#include "core/acoustics/PeriodScheme.h"
#include "core/base/CFormat.h"
#include "core/measurement/MeasurementRecord.h"

using namespace phonotab;

namespace {

// A sound level (family 3, band 0) that correction zones can correct.
constexpr FieldCode kLevelCode = 0x01300100;

// Constant levels for stretches of samples.
struct Stretch {
    int samples;
    double level;
};

struct Record {
    CalcFile cf;
    ParameterEntry entry;
};

Record makeRecord(CalendarTime start, double period, const std::vector<Stretch>& stretches) {
    Record r;
    for (const Stretch& s : stretches)
        for (int i = 0; i < s.samples; ++i) r.entry.data.push_back(s.level);
    const auto n = static_cast<std::int64_t>(r.entry.data.size());
    r.entry.code = kLevelCode;
    r.entry.loaded = true;
    r.cf.file.startTime = start;
    r.cf.file.timeStep = period;
    r.cf.file.count = n;
    r.cf.file.duration = static_cast<double>(n - 1) * period;
    r.cf.file.layout.bandCount = {0, 0, 1};
    r.cf.settings.samplePeriod = period;
    r.cf.settings.fileSamples = r.cf.settings.sampleCount = n;
    r.cf.ranges = RangeSet(r.cf.file.duration);
    return r;
}

PeriodIndicators indicatorsOf(const Record& r, const char* scheme, IndicatorSettings settings = {}) {
    EXPECT_TRUE(builtInScheme(scheme, settings.scheme));
    Result<PeriodIndicators> out = computePeriodIndicators(r.cf, r.entry, settings);
    EXPECT_TRUE(out) << out.error().text();
    return out ? *out : PeriodIndicators{};
}

double energyMean(const std::vector<Stretch>& parts) {
    double e = 0, n = 0;
    for (const Stretch& s : parts) {
        e += s.samples * std::pow(10.0, s.level / 10.0);
        n += s.samples;
    }
    return 10.0 * std::log10(e / n);
}

std::string dateOf(const CalendarTime& t) { return formatIso(t).substr(0, 10); }

// One period row as a case expects it.
struct ExpectedPeriod {
    const char* date;
    const char* period;
    double leq;
    double coverage;
};

struct PeriodCase {
    const char* name;
    const char* scheme;
    CalendarTime start;
    std::vector<Stretch> levels;  // one sample a minute
    std::vector<ExpectedPeriod> periods;
    std::vector<double> dayLevels;  // per day row; NAN where it has no value
};

}  // namespace

TEST(PeriodIndicators, HandComputedCases) {
    const double lden60 = 60.0 + 10.0 * std::log10((12.0 + 4.0 * std::pow(10.0, 0.5) + 8.0 * 10.0) / 24.0);
    const double crossing = energyMean({{30, 45.0}, {90, 55.0}});
    const PeriodCase cases[] = {
        {"a constant 60 dB day gives Lden 66.4",
         "eu",
         {2024, 6, 3, 7, 0, 0},
         {{1440, 60.0}},
         {{"2024-06-03", "day", 60.0, 1.0}, {"2024-06-03", "evening", 60.0, 1.0}, {"2024-06-03", "night", 60.0, 1.0}},
         {lden60}},
        {"the ru split of a record that starts at 22:00",
         "ru",
         {2024, 6, 3, 22, 0, 0},
         {{60, 50.0}, {480, 40.0}, {180, 60.0}},
         {{"2024-06-03", "day", 50.0, 1.0 / 16}, {"2024-06-03", "night", 40.0, 1.0}, {"2024-06-04", "day", 60.0, 3.0 / 16}},
         {10.0 * std::log10(16.0 / 24 * 1e5 + 8.0 / 24 * 1e4), NAN}},
        {"a night crossing midnight belongs to the date it starts on",
         "eu",
         {2024, 6, 3, 23, 30, 0},
         {{30, 45.0}, {90, 55.0}},
         {{"2024-06-03", "night", crossing, 2.0 / 8}},
         {NAN}},
    };
    for (const PeriodCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Record r = makeRecord(c.start, 60.0, c.levels);
        const PeriodIndicators out = indicatorsOf(r, c.scheme);
        ASSERT_EQ(out.periods.size(), c.periods.size());
        for (std::size_t i = 0; i < c.periods.size(); ++i) {
            const PeriodRow& p = out.periods[i];
            EXPECT_EQ(dateOf(p.date), c.periods[i].date) << i;
            EXPECT_EQ(out.scheme.periods[p.period].name, c.periods[i].period) << i;
            EXPECT_NEAR(p.levels.leq, c.periods[i].leq, 1e-9) << i;
            EXPECT_NEAR(p.levels.coverage(), c.periods[i].coverage, 1e-12) << i;
        }
        ASSERT_EQ(out.days.size(), c.dayLevels.size());
        for (std::size_t d = 0; d < c.dayLevels.size(); ++d) {
            EXPECT_EQ(out.days[d].hasDayEveningNight, !std::isnan(c.dayLevels[d])) << d;
            if (out.days[d].hasDayEveningNight) {
                EXPECT_NEAR(out.days[d].dayEveningNight, c.dayLevels[d], 1e-9) << d;
            }
        }
    }
    // The figures as they are printed.
    const PeriodIndicators day = indicatorsOf(makeRecord({2024, 6, 3, 7, 0, 0}, 60.0, {{1440, 60.0}}), "eu");
    EXPECT_EQ(cformat("%.1f", day.days[0].dayEveningNight), "66.4");
    EXPECT_NEAR(day.penalisedLevel, lden60, 1e-9);  // a whole day: the sample mean is the same
}

TEST(PeriodIndicators, HoursFollowTheCalendar) {
    const PeriodIndicators out =
        indicatorsOf(makeRecord({2024, 6, 3, 23, 30, 0}, 60.0, {{30, 45.0}, {90, 55.0}}), "eu");
    ASSERT_EQ(out.hours.size(), 3u);
    EXPECT_EQ(dateOf(out.hours[0].date), "2024-06-03");
    EXPECT_EQ(out.hours[0].hour, 23);
    EXPECT_NEAR(out.hours[0].leq, 45.0, 1e-9);
    EXPECT_NEAR(out.hours[0].measuredSeconds, 1800.0, 1e-9);
    EXPECT_EQ(dateOf(out.hours[1].date), "2024-06-04");
    EXPECT_EQ(out.hours[1].hour, 0);
    EXPECT_NEAR(out.hours[2].leq, 55.0, 1e-9);
    // Two dates' 23 o'clock hours meet in one value of the day's profile.
    const PeriodIndicators two = indicatorsOf(makeRecord({2024, 6, 3, 23, 0, 0}, 60.0, {{60, 50.0}, {1380, 40.0}, {60, 60.0}}), "eu");
    const std::vector<HourOfDayLevel> profile = hourOfDayProfile(two);
    ASSERT_EQ(profile.size(), 24u);
    EXPECT_EQ(profile[23].samples, 120);
    EXPECT_NEAR(profile[23].leq, energyMean({{60, 50.0}, {60, 60.0}}), 1e-9);
    EXPECT_NEAR(profile[12].leq, 40.0, 1e-9);
}

// A day period of 16 hours at 50 dB: an hour without values, an hour excluded
// and an hour corrected by +10 dB. The coverage counts what was measured and
// kept; the levels are those of the calculation.
TEST(PeriodIndicators, CoverageLeavesOutGapsAndExclusionZones) {
    Record r = makeRecord({2024, 6, 3, 7, 0, 0}, 60.0, {{960, 50.0}});
    for (int t = 100; t < 160; ++t) r.entry.data[static_cast<std::size_t>(t)] = kNoValue;
    ASSERT_TRUE(r.cf.ranges.AddExclusionZone(200 * 60.0, 259 * 60.0));
    Corrections plusTen{};
    plusTen[static_cast<std::size_t>(correctionIndex(3, 0))] = 10.0;
    ASSERT_TRUE(r.cf.ranges.AddCorrectionZone(600 * 60.0, 659 * 60.0, plusTen));
    const PeriodIndicators out = indicatorsOf(r, "ru");
    ASSERT_EQ(out.periods.size(), 1u);
    const LevelFigures& day = out.periods[0].levels;
    EXPECT_EQ(day.samples, 840);
    EXPECT_NEAR(day.measuredSeconds, 14 * 3600.0, 1e-6);
    EXPECT_NEAR(day.coverage(), 14.0 / 16.0, 1e-12);
    EXPECT_NEAR(day.leq, energyMean({{780, 50.0}, {60, 60.0}}), 1e-9);
    EXPECT_DOUBLE_EQ(day.lmax, 60.0);
    EXPECT_DOUBLE_EQ(day.lmin, 50.0);

    // The calculation of the same entry gives the same Leq, minimum and maximum.
    CalcFile cf = r.cf;
    std::vector<ParameterEntry> extra{r.entry};
    extra[0].flags.leq = extra[0].flags.minimum = extra[0].flags.maximum = true;
    CalcRequest request;
    request.quiet = true;
    request.extraEntries = &extra;
    CalculateFile(cf, TeleDesc{}, request);
    ASSERT_EQ(extra[0].first.leqs.size(), 1u);
    EXPECT_DOUBLE_EQ(out.whole.leq, extra[0].first.leqs[0]);
    EXPECT_DOUBLE_EQ(out.whole.lmax, extra[0].first.maxima[0]);
    EXPECT_DOUBLE_EQ(out.whole.lmin, extra[0].first.minima[0]);
}

TEST(PeriodIndicators, PercentilesFollowTheFileSettings) {
    Record r = makeRecord({2024, 6, 3, 7, 0, 0}, 60.0, {{100, 50.3}});
    r.cf.settings.histogram.percentiles = {10.0, 90.0};
    const PeriodIndicators out = indicatorsOf(r, "ru");
    EXPECT_EQ(out.percentileLevels, (std::vector<double>{10.0, 90.0}));
    EXPECT_EQ(out.periods[0].levels.percentiles, (std::vector<double>{51.0, 51.0}));
}

namespace {

struct EventCase {
    const char* name;
    std::vector<Stretch> levels;  // one sample a second
    EventCriteria criteria;
    std::vector<std::pair<double, double>> events;  // start (seconds from the record start), duration
};

}  // namespace

// Three loud seconds, a dip of two seconds and four loud seconds.
TEST(LevelEvents, RunsAreMergedAcrossShortDips) {
    const std::vector<Stretch> dip = {{10, 40.0}, {3, 70.0}, {2, 50.0}, {4, 70.0}, {10, 40.0}};
    const EventCase cases[] = {
        {"merged across the dip with a merge gap of 5 s", dip, {65.0, 1.0, 5.0}, {{10, 9}}},
        {"two events with a merge gap of 1 s", dip, {65.0, 1.0, 1.0}, {{10, 3}, {15, 4}}},
        {"the short run is dropped", dip, {65.0, 4.0, 1.0}, {{15, 4}}},
        {"a run at the threshold counts", {{2, 40.0}, {2, 65.0}, {2, 40.0}}, {65.0, 0.0, 0.0}, {{2, 2}}},
        {"a run to the record's end", {{2, 40.0}, {3, 80.0}}, {65.0, 0.0, 10.0}, {{2, 3}}},
    };
    const double start = static_cast<double>(toCivilSeconds({2024, 6, 3, 12, 0, 0}));
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Record r = makeRecord({2024, 6, 3, 12, 0, 0}, 1.0, c.levels);
        IndicatorSettings settings;
        settings.findEvents = true;
        settings.events = c.criteria;
        const PeriodIndicators out = indicatorsOf(r, "ru", settings);
        ASSERT_EQ(out.events.size(), c.events.size());
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            EXPECT_DOUBLE_EQ(out.events[i].start - start, c.events[i].first) << i;
            EXPECT_DOUBLE_EQ(out.events[i].duration(), c.events[i].second) << i;
        }
    }
    // The merged event: its Leq takes the dip, its SEL its whole duration, its Lmax the first loudest second.
    IndicatorSettings settings;
    settings.findEvents = true;
    settings.events = {65.0, 1.0, 5.0};
    const PeriodIndicators out = indicatorsOf(makeRecord({2024, 6, 3, 12, 0, 0}, 1.0, dip), "ru", settings);
    const LevelEvent& e = out.events.at(0);
    const double leq = energyMean({{7, 70.0}, {2, 50.0}});
    EXPECT_NEAR(e.leq, leq, 1e-9);
    EXPECT_NEAR(e.sel, leq + 10.0 * std::log10(9.0), 1e-9);
    EXPECT_DOUBLE_EQ(e.lmax, 70.0);
    EXPECT_DOUBLE_EQ(e.lmaxTime - start, 10.0);
    EXPECT_EQ(e.samples, 9);
    // Counted in the period it starts in, with its share of the period's energy.
    ASSERT_EQ(out.periods.size(), 1u);
    EXPECT_EQ(out.periods[0].eventCount, 1);
    const double eventEnergy = 7 * 1e7 + 2 * 1e5, all = eventEnergy + 20 * 1e4;
    EXPECT_NEAR(out.periods[0].eventEnergyShare, eventEnergy / all, 1e-12);
}

TEST(Exposure, HandComputedCases) {
    // LEX,8h of 85 dB over 4 h: the work range's duration is Te.
    const PeriodIndicators four = indicatorsOf(makeRecord({2024, 6, 3, 8, 0, 0}, 60.0, {{240, 85.0}}), "ru");
    ASSERT_TRUE(four.hasExposure);
    EXPECT_NEAR(four.exposure.exposureSeconds, 4 * 3600.0, 1e-9);
    EXPECT_EQ(cformat("%.1f", four.exposure.lex8h), "82.0");
    // A given Te of 8 h leaves the Leq.
    IndicatorSettings eight;
    eight.exposureHours = 8.0;
    const PeriodIndicators given = indicatorsOf(makeRecord({2024, 6, 3, 8, 0, 0}, 60.0, {{240, 85.0}}), "ru", eight);
    EXPECT_NEAR(given.exposure.lex8h, 85.0, 1e-9);
    // The SEL of one second at 90 dB.
    const PeriodIndicators one = indicatorsOf(makeRecord({2024, 6, 3, 8, 0, 0}, 1.0, {{1, 90.0}}), "ru");
    EXPECT_EQ(cformat("%.1f", one.exposure.sel), "90.0");
    EXPECT_NEAR(soundExposureLevel(60.0, 100.0), 80.0, 1e-12);
}

TEST(PeriodIndicators, Refusals) {
    Record r = makeRecord({2024, 6, 3, 8, 0, 0}, 60.0, {{10, 50.0}});
    IndicatorSettings settings;
    settings.parameterName = "A";
    ASSERT_TRUE(builtInScheme("eu", settings.scheme));
    auto refusal = [&](const Record& rec, const IndicatorSettings& s) {
        const Result<PeriodIndicators> out = computePeriodIndicators(rec.cf, rec.entry, s);
        return out ? 0 : out.error().id;
    };
    EXPECT_EQ(refusal(r, settings), 0);
    Record histogram = r;
    histogram.entry.code = 0x20260000;
    EXPECT_EQ(refusal(histogram, settings), msg::IndicatorsNeedLevels);
    Record unloaded = r;
    unloaded.entry.data.clear();
    EXPECT_EQ(refusal(unloaded, settings), msg::IndicatorsNeedLevels);
    Record instant = r;
    instant.cf.settings.samplePeriod = 0.0;
    EXPECT_EQ(refusal(instant, settings), msg::IndicatorsNeedTimeStep);
    for (const EventCriteria& bad : {EventCriteria{NAN, 1, 1}, EventCriteria{60, -1, 1}, EventCriteria{60, 1, 1e6}}) {
        IndicatorSettings s = settings;
        s.findEvents = true;
        s.events = bad;
        EXPECT_EQ(refusal(r, s), msg::EventSettingsOutOfRange);
    }
    for (double te : {-1.0, 9000.0}) {
        IndicatorSettings s = settings;
        s.exposureHours = te;
        EXPECT_EQ(refusal(r, s), msg::ExposureTimeOutOfRange);
    }
    Progress stopped;
    stopped.cancel();
    const Result<PeriodIndicators> cancelled = computePeriodIndicators(r.cf, r.entry, settings, stopped);
    ASSERT_FALSE(cancelled);
    EXPECT_EQ(cancelled.error().id, msg::Cancelled);
}

TEST(PeriodScheme, BuiltInSchemes) {
    struct Case {
        const char* name;
        const char* level;
        std::vector<std::pair<int, double>> lengthsAndPenalties;  // minutes, dB
    };
    const Case cases[] = {
        {"ru", "L24", {{960, 0}, {480, 0}}},
        {"eu", "Lden", {{720, 0}, {240, 5}, {480, 10}}},
        {"us", "Ldn", {{900, 0}, {540, 10}}},
        {"cnel", "CNEL", {{720, 0}, {180, 5}, {540, 10}}},
    };
    EXPECT_EQ(builtInSchemeNames(), (std::vector<std::string>{"ru", "eu", "us", "cnel"}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeriodScheme s;
        ASSERT_TRUE(builtInScheme(c.name, s));
        EXPECT_EQ(s.levelName, c.level);
        ASSERT_EQ(s.periods.size(), c.lengthsAndPenalties.size());
        EXPECT_EQ(s.periods[0].startMinute, 7 * 60);
        for (std::size_t i = 0; i < s.periods.size(); ++i) {
            EXPECT_EQ(s.lengthMinutes(i), c.lengthsAndPenalties[i].first);
            EXPECT_EQ(s.periods[i].penalty, c.lengthsAndPenalties[i].second);
        }
        EXPECT_EQ(s.midnightPeriod(), s.periods.size() - 1);  // the night
        // Written and read back as a user's file.
        Result<PeriodScheme> again = parsePeriodScheme(formatPeriodScheme(s), c.name);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->periods, s.periods);
    }
    PeriodScheme none;
    EXPECT_FALSE(builtInScheme("xx", none));
    // A day that starts at midnight has its night first.
    Result<PeriodScheme> fromMidnight = parsePeriodScheme("night 00:00 10\nday 06:00 0\n", "m");
    ASSERT_TRUE(fromMidnight);
    EXPECT_EQ(fromMidnight->midnightPeriod(), 0u);
}

TEST(PeriodScheme, UserSchemes) {
    // A day that starts at 22:30, names with blanks, comments, a decimal comma, CRLF.
    Result<PeriodScheme> s = parsePeriodScheme("# shifts\r\nnight shift 22:30 10 # loud\r\n\r\nday 6:15 0,5\r\n", "shifts.txt");
    ASSERT_TRUE(s) << s.error().text();
    ASSERT_EQ(s->periods.size(), 2u);
    EXPECT_EQ(s->periods[0].name, "night shift");
    EXPECT_EQ(s->periods[0].startMinute, 22 * 60 + 30);
    EXPECT_EQ(s->lengthMinutes(0), 7 * 60 + 45);
    EXPECT_EQ(s->lengthMinutes(1), 16 * 60 + 15);
    EXPECT_EQ(s->periods[1].penalty, 0.5);
    // The scheme's day, and its periods, start at 22:30.
    Record r = makeRecord({2024, 6, 3, 23, 0, 0}, 60.0, {{120, 50.0}});
    IndicatorSettings settings;
    settings.scheme = *s;
    const Result<PeriodIndicators> out = computePeriodIndicators(r.cf, r.entry, settings);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->periods.size(), 1u);
    EXPECT_EQ(formatClockTime(out->periods[0].begin), "2024-06-03 22:30:00");

    struct Bad {
        const char* text;
        int message;
        int line;
    };
    std::string many;
    for (int i = 0; i <= kMaxSchemePeriods; ++i) many += cformat("p%d %02d:%02d 0\n", i, i * 20 / 60, i * 20 % 60);
    const Bad bad[] = {
        {"day 07:00\n", msg::SchemeLineUnreadable, 1},
        {"day 7.00 0\n", msg::SchemeLineUnreadable, 1},
        {"day 07:0 0\n", msg::SchemeLineUnreadable, 1},
        {"day 07:00 0\nnight 24:00 10\n", msg::SchemeTimeOutOfDay, 2},
        {"day 07:60 0\n", msg::SchemeTimeOutOfDay, 1},
        {"day 07:00 loud\n", msg::SchemePenaltyOutOfRange, 1},
        {"day 07:00 200\n", msg::SchemePenaltyOutOfRange, 1},
        {"day 07:00 0\nnight 23:00 10\nevening 19:00 5\n", msg::SchemeOutOfOrder, 3},
        {"day 07:00 0\nagain 07:00 0\n", msg::SchemeOutOfOrder, 2},
        {"# nothing\n\n", msg::SchemeEmpty, 0},
        {many.c_str(), msg::SchemeTooManyPeriods, 0},
    };
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.text);
        const Result<PeriodScheme> refused = parsePeriodScheme(b.text, "s.txt");
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().id, b.message);
        if (b.line > 0) {
            EXPECT_EQ(std::get<std::int64_t>(refused.error().args.at(1)), b.line);
        }
    }
    EXPECT_EQ(schemeByNameOrFile("/no/such/scheme.txt").error().id, msg::CannotOpen);
}

TEST(PeriodIndicators, ClockTimesAreWritten) {
    const double t = static_cast<double>(toCivilSeconds({2024, 6, 3, 23, 59, 59}));
    EXPECT_EQ(formatClockTime(t), "2024-06-03 23:59:59");
    EXPECT_EQ(formatClockTime(t + 0.25), "2024-06-03 23:59:59.250");
    EXPECT_EQ(formatClockTime(t + 0.9996), "2024-06-04 00:00:00");
}
