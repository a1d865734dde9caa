#include "core/acoustics/PeriodIndicators.h"

#include <algorithm>
#include <cmath>

#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/LevelSource.h"
#include "core/acoustics/ZoneSegments.h"
#include "core/base/CFormat.h"

namespace phonotab {

namespace {

constexpr double kDaySeconds = 86400.0;
constexpr double kHourSeconds = 3600.0;

CalendarTime dateAt(double civilSeconds) { return fromCivilSeconds(static_cast<std::int64_t>(std::floor(civilSeconds))); }

// Energy, count and extremes of one row, gathered sample by sample.
struct RowSums {
    double energy = 0.0;
    std::int64_t count = 0;
    double minimum = 1e300;
    double maximum = 0.0;  // as the calculation: a stretch of negative levels reports 0

    void add(double level, double e) {
        energy += e;
        ++count;
        if (level < minimum) minimum = level;
        if (level > maximum) maximum = level;
    }
    void addAll(const RowSums& o) {
        energy += o.energy;
        count += o.count;
        minimum = std::min(minimum, o.minimum);
        maximum = std::max(maximum, o.maximum);
    }
    void fill(LevelFigures& f, double period) const {
        f.samples = count;
        f.measuredSeconds = static_cast<double>(count) * period;
        if (count == 0) return;
        f.leq = energyLevel(energy, static_cast<double>(count));
        f.lmin = minimum;
        f.lmax = maximum;
    }
};

void fillPercentiles(const HistogramSettings& h, const std::vector<int>& classes, std::int64_t count, LevelFigures& f) {
    if (count == 0) return;
    std::vector<std::vector<double>> lists;
    bool insufficient = false;
    ComputePercentiles(h, classes, count, lists, insufficient);
    for (const auto& l : lists) f.percentiles.push_back(l.empty() ? 0.0 : l.back());
}

// The rows of the scheme days, periods and clock hours that the time [from, to) touches.
void makeRows(const PeriodScheme& scheme, double from, double to, PeriodIndicators& out) {
    const double dayStart = scheme.periods.front().startMinute * 60.0;
    double day = std::floor((from - dayStart) / kDaySeconds) * kDaySeconds + dayStart;
    for (; day < to; day += kDaySeconds) {
        DayRow d;
        d.date = dateAt(day);
        d.begin = day;
        d.end = day + kDaySeconds;
        d.levels.nominalSeconds = kDaySeconds;
        for (std::size_t i = 0; i < scheme.periods.size(); ++i) {
            PeriodRow p;
            p.begin = day + scheme.offsetMinutes(i) * 60.0;
            p.end = p.begin + scheme.lengthMinutes(i) * 60.0;
            if (p.end <= from || p.begin >= to) continue;
            p.date = d.date;
            p.day = out.days.size();
            p.period = i;
            p.levels.nominalSeconds = p.end - p.begin;
            out.periods.push_back(std::move(p));
        }
        out.days.push_back(d);
    }
    for (double hour = std::floor(from / kHourSeconds) * kHourSeconds; hour < to; hour += kHourSeconds) {
        HourRow h;
        h.date = dateAt(hour);
        h.hour = dateAt(hour).hour;
        h.begin = hour;
        out.hours.push_back(h);
    }
}

}  // namespace

Result<PeriodIndicators> computePeriodIndicators(const CalcFile& cf, const ParameterEntry& entry,
                                                 const IndicatorSettings& settings, const Progress& progress) {
    const CalcSettings& s = cf.settings;
    const ParameterKind kind = parameterKind(entry.code);
    if (cf.file.histogramMode() || kind == ParameterKind::StoredHistogram || kind == ParameterKind::SynthesizedLeq ||
        !entry.loaded || static_cast<std::int64_t>(entry.data.size()) < s.firstSample + s.sampleCount || s.firstSample < 0)
        return Message(msg::IndicatorsNeedLevels, settings.parameterName);
    if (!(s.samplePeriod > 0.0)) return Message(msg::IndicatorsNeedTimeStep);
    if (settings.scheme.periods.empty()) return Message(msg::SchemeEmpty, settings.scheme.name);
    if (settings.findEvents)
        if (Status st = checkEventCriteria(settings.events); !st) return st.error();
    if (settings.exposureHours != 0.0)
        if (Status st = checkExposureHours(settings.exposureHours); !st) return st.error();

    PeriodIndicators out;
    out.scheme = settings.scheme;
    out.percentileLevels.assign(s.histogram.percentiles.begin(), s.histogram.percentiles.end());
    const std::int64_t n = std::max<std::int64_t>(s.sampleCount, 0);
    const SampleClock clock{static_cast<double>(toCivilSeconds(cf.file.startTime)) + cf.ranges.span().begin,
                            s.firstSample, s.samplePeriod};
    makeRows(settings.scheme, clock.at(0), clock.at(n), out);

    // The levels as the calculation takes them: the corrected variant, excluded samples left out.
    const std::vector<SampleSegment> segments = classifySamples(cf.ranges, s);
    const std::vector<double> corrections =
        segmentCorrections(segments, cf.ranges, entryCorrectionIndex(entry, cf.file.layout));
    const LevelSource source(entry.data.data() + s.firstSample, segments, corrections, VariantRule{true, false});

    std::vector<double> penaltyFactor;
    for (const SchemePeriod& p : settings.scheme.periods) penaltyFactor.push_back(std::pow(10.0, p.penalty / 10.0));
    const HistogramSettings& h = s.histogram;
    const std::size_t counters = static_cast<std::size_t>(std::max(h.counterCount(), 0));
    std::vector<int> periodClasses(counters, 0), wholeClasses(counters, 0);
    std::vector<RowSums> periodSums(out.periods.size());
    std::vector<double> hourEnergy(out.hours.size(), 0.0);
    double penalisedEnergy = 0.0;
    EventDetector events(settings.events, clock);

    // The first sample at or after a clock time (the times grow with t).
    auto firstAtOrAfter = [&](double time) {
        double guess = std::ceil((time - clock.at(0)) / clock.period);
        std::int64_t t = guess <= 0.0 ? 0 : guess >= static_cast<double>(n) ? n : static_cast<std::int64_t>(guess);
        while (t > 0 && clock.at(t - 1) >= time) --t;
        while (t < n && clock.at(t) < time) ++t;
        return t;
    };
    auto closePeriod = [&](std::size_t row) {
        PeriodRow& p = out.periods[row];
        periodSums[row].fill(p.levels, s.samplePeriod);
        fillPercentiles(h, periodClasses, periodSums[row].count, p.levels);
        for (std::size_t c = 0; c < counters; ++c) wholeClasses[c] += periodClasses[c];
        std::fill(periodClasses.begin(), periodClasses.end(), 0);
    };

    std::size_t pr = 0, hr = 0;
    for (std::int64_t t = 0; t < n;) {
        const double now = clock.at(t);
        while (pr + 1 < out.periods.size() && out.periods[pr].end <= now) closePeriod(pr++);
        while (hr + 1 < out.hours.size() && out.hours[hr].begin + kHourSeconds <= now) ++hr;
        const std::int64_t b =
            std::max(t + 1, firstAtOrAfter(std::min(out.periods[pr].end, out.hours[hr].begin + kHourSeconds)));
        // One stretch of a single period and hour: summed here, credited to both after it.
        RowSums stretch;
        const std::size_t row = pr;
        const bool findEvents = settings.findEvents;
        source.forEachSample(t, b, [&](std::int64_t at, double level) {
            const double e = levelEnergy(level);
            stretch.add(level, e);
            const int c = ClassIndex(h, level);
            if (c >= 0 && static_cast<std::size_t>(c) < counters) ++periodClasses[static_cast<std::size_t>(c)];
            if (findEvents && events.takes(level)) events.add(at, level, e, row);
        });
        periodSums[pr].addAll(stretch);
        hourEnergy[hr] += stretch.energy;
        out.hours[hr].samples += stretch.count;
        penalisedEnergy += stretch.energy * penaltyFactor[out.periods[pr].period];
        t = b;
        if (!progress.report(static_cast<double>(t) / static_cast<double>(n))) return Message(msg::Cancelled);
    }
    for (; pr < out.periods.size(); ++pr) closePeriod(pr);

    for (std::size_t i = 0; i < out.hours.size(); ++i) {
        HourRow& hour = out.hours[i];
        hour.measuredSeconds = static_cast<double>(hour.samples) * s.samplePeriod;
        if (hour.samples > 0) hour.leq = energyLevel(hourEnergy[i], static_cast<double>(hour.samples));
    }

    // Days, the whole range and the day–evening–night levels from the periods.
    RowSums whole;
    std::vector<RowSums> daySums(out.days.size());
    std::vector<std::size_t> periodsWithSamples(out.days.size(), 0);
    for (std::size_t i = 0; i < out.periods.size(); ++i) {
        daySums[out.periods[i].day].addAll(periodSums[i]);
        whole.addAll(periodSums[i]);
        if (periodSums[i].count > 0) ++periodsWithSamples[out.periods[i].day];
    }
    for (std::size_t d = 0; d < out.days.size(); ++d) {
        DayRow& day = out.days[d];
        daySums[d].fill(day.levels, s.samplePeriod);
        if (periodsWithSamples[d] != settings.scheme.periods.size()) continue;
        double sum = 0.0;
        for (const PeriodRow& p : out.periods) {
            if (p.day != d) continue;
            const SchemePeriod& sp = settings.scheme.periods[p.period];
            sum += settings.scheme.lengthMinutes(p.period) / 1440.0 * std::pow(10.0, (p.levels.leq + sp.penalty) / 10.0);
        }
        day.hasDayEveningNight = true;
        day.dayEveningNight = 10.0 * std::log10(sum);
    }
    whole.fill(out.whole, s.samplePeriod);
    out.whole.nominalSeconds = static_cast<double>(n) * s.samplePeriod;
    fillPercentiles(h, wholeClasses, whole.count, out.whole);
    if (whole.count > 0) {
        out.hasPenalisedLevel = true;
        out.penalisedLevel = energyLevel(penalisedEnergy, static_cast<double>(whole.count));
        out.hasExposure = true;
        ExposureFigures& x = out.exposure;
        x.leq = out.whole.leq;
        x.measuredSeconds = out.whole.measuredSeconds;
        x.sel = soundExposureLevel(x.leq, x.measuredSeconds);
        x.exposureGiven = settings.exposureHours != 0.0;
        x.exposureSeconds = x.exposureGiven ? settings.exposureHours * kHourSeconds : out.whole.nominalSeconds;
        x.lex8h = dailyExposureLevel(x.leq, x.exposureSeconds);
    }

    if (settings.findEvents) {
        events.finish();
        out.eventsSearched = true;
        out.eventCriteria = settings.events;
        out.events = events.events();
        const std::vector<double>& eventEnergy = events.rowEnergy();
        for (const LevelEvent& e : out.events) ++out.periods[e.periodRow].eventCount;
        for (std::size_t i = 0; i < out.periods.size() && i < eventEnergy.size(); ++i)
            if (periodSums[i].energy > 0.0) out.periods[i].eventEnergyShare = eventEnergy[i] / periodSums[i].energy;
    }
    return out;
}

std::vector<HourOfDayLevel> hourOfDayProfile(const PeriodIndicators& r) {
    std::vector<HourOfDayLevel> out(24);
    std::vector<double> energy(24, 0.0);
    for (const HourRow& h : r.hours) {
        if (h.samples == 0 || h.hour < 0 || h.hour > 23) continue;
        const auto k = static_cast<std::size_t>(h.hour);
        energy[k] += levelEnergy(h.leq) * static_cast<double>(h.samples);
        out[k].samples += h.samples;
    }
    for (std::size_t k = 0; k < out.size(); ++k)
        if (out[k].samples > 0) out[k].leq = energyLevel(energy[k], static_cast<double>(out[k].samples));
    return out;
}

std::string formatClockTime(double civilSeconds) {
    const double whole = std::floor(civilSeconds);
    const CalendarTime t = fromCivilSeconds(static_cast<std::int64_t>(whole));
    std::string out = formatIso(t);
    const int millis = static_cast<int>(std::lround((civilSeconds - whole) * 1000.0));
    if (millis >= 1000) return formatIso(fromCivilSeconds(static_cast<std::int64_t>(whole) + 1));
    if (millis > 0) cformatAppend(out, ".%03d", millis);
    return out;
}

}  // namespace phonotab
