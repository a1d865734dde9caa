// Monitoring results per period of the day over one parameter's levels, seen
// exactly as the calculation sees them (work range, exclusion zones,
// corrections): for each scheme day and each of its periods the Leq, Lmax,
// Lmin, the percentiles of the file's class settings, the time measured and
// the coverage (measured ÷ the period's nominal length); per day the
// day–evening–night level with the scheme's penalties; over the whole record
// the energy mean of its samples each raised by its period's penalty; the Leq
// of every clock hour; the events and the exposure figures.
//
// Times are clock times in civil seconds (see CalendarTime). A sample belongs
// to the period its start time lies in, and a period to the scheme day it lies
// in, which is named by the date it starts on: a night from 23:00 to 07:00
// belongs to the date of its evening.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/Exposure.h"
#include "core/acoustics/LevelEvents.h"
#include "core/acoustics/PeriodScheme.h"
#include "core/base/CalendarTime.h"
#include "core/base/Progress.h"

namespace phonotab {

// The levels of one stretch of time.
struct LevelFigures {
    std::int64_t samples = 0;  // counted samples; without any, no level has a value
    double leq = 0.0, lmax = 0.0, lmin = 0.0;
    std::vector<double> percentiles;  // one per percentile of the settings, ascending n (period rows and the whole range)
    double measuredSeconds = 0.0;     // counted samples × sample period
    double nominalSeconds = 0.0;      // the stretch's length by the clock

    bool hasValue() const { return samples > 0; }
    double coverage() const { return nominalSeconds > 0.0 ? measuredSeconds / nominalSeconds : 0.0; }
};

struct PeriodRow {
    CalendarTime date;       // the date its scheme day starts on
    std::size_t day = 0;     // index of its day row
    std::size_t period = 0;  // index of the scheme's period
    double begin = 0.0, end = 0.0;  // nominal, clock time
    LevelFigures levels;
    int eventCount = 0;             // events starting in it
    double eventEnergyShare = 0.0;  // the events' share of its energy, 0 to 1
};

struct DayRow {
    CalendarTime date;
    double begin = 0.0, end = 0.0;
    LevelFigures levels;  // no percentiles
    // With a sample in every period of the day: 10 lg Σ (length/24 h)·10^((Leq + penalty)/10).
    bool hasDayEveningNight = false;
    double dayEveningNight = 0.0;
};

struct HourRow {
    CalendarTime date;  // the calendar date of the hour
    int hour = 0;
    double begin = 0.0;
    std::int64_t samples = 0;
    double leq = 0.0;
    double measuredSeconds = 0.0;
};

struct IndicatorSettings {
    PeriodScheme scheme;
    bool findEvents = false;
    EventCriteria events;
    double exposureHours = 0.0;  // Te; 0 takes the work range's duration
    std::string parameterName;  // names the parameter in a refusal
};

struct PeriodIndicators {
    PeriodScheme scheme;
    std::vector<double> percentileLevels;  // the n of the percentiles, ascending
    std::vector<PeriodRow> periods;
    std::vector<DayRow> days;
    std::vector<HourRow> hours;
    LevelFigures whole;  // the work range
    bool hasPenalisedLevel = false;
    double penalisedLevel = 0.0;  // every sample raised by its period's penalty
    bool eventsSearched = false;
    EventCriteria eventCriteria;
    std::vector<LevelEvent> events;
    bool hasExposure = false;
    ExposureFigures exposure;
};

// Computes the indicators of an entry whose series is loaded. Refusals: 6907
// for a parameter that has no levels in time (stored histograms, a synthesized
// Leq, a file in histogram mode, a series not loaded), 6908 for samples that
// share one instant, 6909 and 6910 for settings out of range, 6904 for a
// scheme without periods, 5006 when a stop was asked for.
Result<PeriodIndicators> computePeriodIndicators(const CalcFile& cf, const ParameterEntry& entry,
                                                 const IndicatorSettings& settings, const Progress& progress = {});

// The energy mean of each hour of the day over every date (24 values, hour 0
// first); an hour without samples has none.
struct HourOfDayLevel {
    std::int64_t samples = 0;
    double leq = 0.0;
};
std::vector<HourOfDayLevel> hourOfDayProfile(const PeriodIndicators& r);

// "YYYY-MM-DD hh:mm:ss" of a clock time, with ".mmm" when it is not a whole second.
std::string formatClockTime(double civilSeconds);

}  // namespace phonotab
