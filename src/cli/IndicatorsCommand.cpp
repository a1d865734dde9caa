// phonotab-cli indicators FILE --param CODE [--scheme ru|eu|us|cnel|FILE] [--mode M]
//   [--range FIRST:COUNT] [--exclude B:E] [--correct B:E:F.B=DB,...] [--classes ...]
//   [--percentiles ...] [--events THRESHOLD:MIN_S[:MERGE_S]] [--te HOURS] -o OUT.csv|OUT.json|OUT.txt
// Monitoring results of one parameter per period of the day: the levels per
// date and period, the day–evening–night level per day, the hourly Leq, the
// events and the exposure, over the levels the calculation sees.
#include <CLI/CLI.hpp>

#include <cmath>
#include <filesystem>

#include "CliContext.h"
#include "FileRangeOptions.h"
#include "JsonWriter.h"
#include "core/acoustics/IndicatorTables.h"
#include "core/acoustics/ParameterName.h"
#include "core/acoustics/PeriodIndicators.h"
#include "core/base/CFormat.h"
#include "core/platform/AtomicFile.h"

namespace phonotab::cli {

namespace {

struct IndicatorArgs : FileRangeArgs, ClassArgs {
    std::string file, out, param, scheme = "eu", events;
    double te = std::nan("");  // not given
};

std::string dateText(const CalendarTime& t) { return cformat("%04d-%02d-%02d", t.year, t.month, t.day); }

// A level, or null where it has no value.
void levelField(JsonWriter& j, std::string_view key, bool has, double v) {
    j.key(key);
    if (has)
        j.value(v);
    else
        j.null();
}

void levelFields(JsonWriter& j, const LevelFigures& l, bool percentiles) {
    j.field("samples", l.samples);
    levelField(j, "leq", l.hasValue(), l.leq);
    levelField(j, "lmax", l.hasValue(), l.lmax);
    levelField(j, "lmin", l.hasValue(), l.lmin);
    if (percentiles) {
        j.key("percentiles").beginArray();
        for (double p : l.percentiles) j.value(p);
        j.endArray();
    }
    j.field("measuredSeconds", l.measuredSeconds);
    j.field("nominalSeconds", l.nominalSeconds);
    j.field("coverage", l.coverage());
}

// The report with every figure in full precision, ended by a line break.
std::string indicatorsJson(const PeriodIndicators& r, const std::string& path, FieldCode code, const std::string& name) {
    JsonWriter j;
    j.reserve(4096 + 600 * r.periods.size() + 400 * r.days.size() + 160 * r.hours.size() + 400 * r.events.size());
    j.beginObject();
    j.field("file", path);
    j.field("parameter", cformat("0x%08X", code));
    j.field("parameterName", name);
    j.key("scheme").beginObject();
    j.field("name", r.scheme.name);
    j.field("levelName", r.scheme.levelName);
    j.key("periods").beginArray();
    for (const SchemePeriod& p : r.scheme.periods) {
        j.beginObject();
        j.field("name", p.name);
        j.field("start", cformat("%02d:%02d", p.startMinute / 60, p.startMinute % 60));
        j.field("penalty", p.penalty);
        j.endObject();
    }
    j.endArray().endObject();
    j.key("percentileLevels").beginArray();
    for (double n : r.percentileLevels) j.value(n);
    j.endArray();
    j.key("periods").beginArray();
    for (const PeriodRow& p : r.periods) {
        j.beginObject();
        j.field("date", dateText(p.date));
        j.field("period", r.scheme.periods[p.period].name);
        j.field("begin", formatClockTime(p.begin));
        j.field("end", formatClockTime(p.end));
        levelFields(j, p.levels, true);
        if (r.eventsSearched) {
            j.field("eventCount", p.eventCount);
            j.field("eventEnergyShare", p.eventEnergyShare);
        }
        j.endObject();
    }
    j.endArray();
    j.key("days").beginArray();
    for (const DayRow& d : r.days) {
        j.beginObject();
        j.field("date", dateText(d.date));
        j.field("begin", formatClockTime(d.begin));
        levelFields(j, d.levels, false);
        levelField(j, "dayEveningNight", d.hasDayEveningNight, d.dayEveningNight);
        j.endObject();
    }
    j.endArray();
    j.key("hours").beginArray();
    for (const HourRow& h : r.hours) {
        j.beginObject();
        j.field("date", dateText(h.date));
        j.field("hour", h.hour);
        j.field("samples", h.samples);
        levelField(j, "leq", h.samples > 0, h.leq);
        j.field("measuredSeconds", h.measuredSeconds);
        j.endObject();
    }
    j.endArray();
    j.key("whole").beginObject();
    levelFields(j, r.whole, true);
    j.endObject();
    levelField(j, "penalisedLevel", r.hasPenalisedLevel, r.penalisedLevel);
    if (r.eventsSearched) {
        j.key("events").beginObject();
        j.field("threshold", r.eventCriteria.threshold);
        j.field("minSeconds", r.eventCriteria.minSeconds);
        j.field("mergeSeconds", r.eventCriteria.mergeSeconds);
        j.key("list").beginArray();
        for (const LevelEvent& e : r.events) {
            j.beginObject();
            j.field("start", formatClockTime(e.start));
            j.field("end", formatClockTime(e.end));
            j.field("duration", e.duration());
            j.field("lmax", e.lmax);
            j.field("lmaxTime", formatClockTime(e.lmaxTime));
            j.field("leq", e.leq);
            j.field("sel", e.sel);
            j.field("samples", e.samples);
            j.field("periodRow", static_cast<std::int64_t>(e.periodRow));
            j.endObject();
        }
        j.endArray().endObject();
    }
    j.key("exposure");
    if (r.hasExposure) {
        const ExposureFigures& x = r.exposure;
        j.beginObject();
        j.field("leq", x.leq);
        j.field("measuredSeconds", x.measuredSeconds);
        j.field("sel", x.sel);
        j.field("exposureSeconds", x.exposureSeconds);
        j.field("exposureGiven", x.exposureGiven);
        j.field("lex8h", x.lex8h);
        j.endObject();
    } else {
        j.null();
    }
    j.endObject();
    return j.str();
}

// "THRESHOLD:MIN_S[:MERGE_S]".
bool parseEvents(const std::string& text, EventCriteria& c) {
    const auto r = splitText(text, ':');
    return (r.size() == 2 || r.size() == 3) && textToDouble(r[0], c.threshold) && textToDouble(r[1], c.minSeconds) &&
           (r.size() == 2 || textToDouble(r[2], c.mergeSeconds));
}

int runIndicators(CliContext& ctx, const IndicatorArgs& a) {
    const std::string ext = std::filesystem::path(a.out).extension().string();
    if (ext != ".csv" && ext != ".json" && ext != ".txt")
        return usageError("-o: the results are written as OUT.csv, OUT.json or OUT.txt");
    long long code = 0;
    if (!textToInt(a.param, code) || code < 0 || code > 0xFFFFFFFFll)
        return usageError("--param " + a.param + ": bad parameter code");
    IndicatorSettings settings;
    if (!a.events.empty()) {
        if (!parseEvents(a.events, settings.events)) return usageError("--events: expected THRESHOLD:MIN_S[:MERGE_S]");
        settings.findEvents = true;
    }
    if (!std::isnan(a.te)) {
        if (Status st = checkExposureHours(a.te); !st) return fail(st.error());
        settings.exposureHours = a.te;
    }
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = ctx.teleDesc();
    Result<PeriodScheme> scheme = schemeByNameOrFile(a.scheme);
    if (!scheme) return fail(scheme.error());
    settings.scheme = std::move(*scheme);

    const std::string path = std::filesystem::absolute(a.file).string();
    Result<MeasurementFile> file = LoadMeasurementFile(path, chosenWorkMode(a.mode, path), desc);
    if (!file) return fail(file.error());
    CalcFile cf = openForCalculation(std::move(*file));
    if (int status = applyWorkRangeOption(a, cf); status != kExitOk) return status;
    if (int status = applyClassOptions(a, cf.settings.histogram); status != kExitOk) return status;
    if (Status st = checkHistogramSettings(cf.settings.histogram); !st) return fail(st.error());
    if (int status = applyZoneOptions(a, cf); status != kExitOk) return status;

    ParameterEntry entry;
    entry.code = static_cast<FieldCode>(code);
    cf.entries.push_back(entry);
    if (Status st = loadEntrySeries(cf); !st) return fail(st.error());
    const std::string name = ParameterName(entry.code, NamingContext{&desc, &cf.file.layout, &cf.file.header}).name;
    settings.parameterName = name;
    Result<PeriodIndicators> result = computePeriodIndicators(cf, cf.entries.front(), settings);
    if (!result) return fail(result.error());

    std::string bytes;
    if (ext == ".json") {
        bytes = indicatorsJson(*result, path, entry.code, name);
    } else {
        const std::vector<TextTable> tables = indicatorTables(*result);
        const std::vector<std::string> summary = indicatorSummaryLines(*result);
        bytes = ext == ".csv" ? tablesAsCsv(tables, summary) : tablesAsText(tables, summary);
        bytes = encodeForOutput(bytes, ctx.encoding);
    }
    if (Status st = writeFileAtomically(a.out, bytes); !st) return fail(st.error());
    return kExitOk;
}

void addIndicatorsCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* cmd = app.add_subcommand(
        "indicators", "levels per period of the day (Lday, Levening, Lnight, Lden ...), events and exposure of a parameter");
    auto a = std::make_shared<IndicatorArgs>();
    cmd->add_option("FILE", a->file, "instrument data file")->required();
    cmd->add_option("-o,--output", a->out, "OUT.csv (tables), OUT.json (every figure) or OUT.txt (summary)")->required();
    cmd->add_option("--param", a->param, "parameter code")->required();
    cmd->add_option("--scheme", a->scheme, "periods of the day: ru, eu (default), us, cnel or a scheme file");
    addFileRangeOptions(cmd, *a);
    addClassOptions(cmd, *a);
    cmd->add_option("--events", a->events, "events at or above THRESHOLD dB lasting MIN_S s, runs less than MERGE_S s apart joined");
    cmd->add_option("--te", a->te, "exposure time Te in hours for LEX,8h (default: the work range's duration)");
    commands.emplace_back(cmd, [&ctx, a] { return runIndicators(ctx, *a); });
}

const bool indicatorsCommandsRegistered = registerCommand(&addIndicatorsCommand);

}  // namespace

}  // namespace phonotab::cli
