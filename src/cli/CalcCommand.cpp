// phonotab-cli calc FILE -o DIR --param CODE:STATS[:COUNT] ... [options]
// Runs the calculation of a data file and writes its result files into DIR.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "CliContext.h"
#include "acoustics/CalculateFile.h"
#include "acoustics/ParameterName.h"
#include "base/CFormat.h"

namespace phonotab::cli {

namespace {

struct CalcArgs {
    std::string file, outDir, mode, range, scan, classes, percentiles;
    std::vector<std::string> params, excludes, corrections;
    bool csv = false, singleFile = false, plain = false, noLeqTime = false, noExclusionsUncorrected = false;
};

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) out.push_back(part);
    if (!s.empty() && s.back() == sep) out.push_back({});
    return out;
}

bool toDouble(const std::string& s, double& v) {
    const char* end = nullptr;
    return !s.empty() && scanLg(s.c_str(), v, &end) && *end == '\0' && std::isfinite(v);
}

bool toInt(const std::string& s, long long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 0);
    return *end == '\0';
}

// CODE:STATS[:COUNT] → an entry with COUNT − 1 sub-entries for the following bands.
bool parseParam(const std::string& text, ParameterEntry& e, std::string& error) {
    const auto parts = split(text, ':');
    if (parts.size() < 2 || parts.size() > 3) {
        error = "--param " + text + ": expected CODE:STATS[:COUNT]";
        return false;
    }
    long long code = 0;
    if (!toInt(parts[0], code) || code < 0 || code > 0xFFFFFFFFll) {
        error = "--param " + text + ": bad parameter code";
        return false;
    }
    e.code = static_cast<FieldCode>(code);
    for (const std::string& stat : split(parts[1], ',')) {
        if (stat == "min") e.flags.minimum = true;
        else if (stat == "max") e.flags.maximum = true;
        else if (stat == "leq") e.flags.leq = true;
        else if (stat == "pct") e.flags.percentiles = true;
        else if (stat == "hist") e.flags.histogram = true;
        else if (stat == "uncorr") e.flags.uncorrected = true;
        else if (!stat.empty()) {
            error = "--param " + text + ": unknown statistic '" + stat + "'";
            return false;
        }
    }
    long long count = 1;
    if (parts.size() == 3 && (!toInt(parts[2], count) || count < 1 || count > 4096)) {
        error = "--param " + text + ": bad count";
        return false;
    }
    for (long long k = 1; k < count; ++k) {
        ParameterEntry sub;
        sub.code = e.code + static_cast<FieldCode>(k);
        e.subEntries.push_back(sub);
    }
    return true;
}

int runCalc(const CliContext& ctx, CalcArgs a) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = currentTeleDesc();

    std::vector<ParameterEntry> entries;
    for (const std::string& p : a.params) {
        ParameterEntry e;
        std::string error;
        if (!parseParam(p, e, error)) return usageError(error);
        entries.push_back(std::move(e));
    }

    const std::string path = std::filesystem::absolute(a.file).string();
    FileWorkMode mode = FileWorkMode::Records;
    if (a.mode == "samples") {
        mode = FileWorkMode::Samples;
    } else if (a.mode == "histograms") {
        mode = FileWorkMode::Histograms;
    } else if (a.mode.empty()) {
        mode = defaultWorkMode(path);  // as for a file newly added to a project
    }
    Result<MeasurementFile> file = LoadMeasurementFile(path, mode, desc);
    if (!file) return fail(file.error());
    CalcFile cf = openForCalculation(std::move(*file));
    CalcSettings& s = cf.settings;
    s.scanInterval = s.scanStep = kNewFileScanSeconds;

    if (!a.range.empty()) {
        const auto r = split(a.range, ':');
        long long first = 0, count = 0;
        if (r.size() != 2 || !toInt(r[0], first) || !toInt(r[1], count) || first < 0 || count < 1)
            return usageError("--range: expected FIRST:COUNT");
        s.firstSample = first;
        s.sampleCount = count;
        normalizeWorkRange(s, cf.ranges, true);
    }
    if (!a.scan.empty()) {
        const auto r = split(a.scan, ':');
        if (r.size() != 2 || !toDouble(r[0], s.scanInterval) || !toDouble(r[1], s.scanStep))
            return usageError("--scan: expected INTERVAL:STEP in seconds");
        s.scanning = true;
    }
    if (!a.classes.empty()) {
        const auto r = split(a.classes, ':');
        long long n = 0;
        if (r.size() < 3 || r.size() > 4 || !toDouble(r[0], s.histogram.lower) || !toDouble(r[1], s.histogram.width) ||
            !toInt(r[2], n) || n < INT32_MIN || n > INT32_MAX || (r.size() == 4 && r[3] != "noedges"))
            return usageError("--classes: expected LOW:WIDTH:COUNT[:noedges]");
        s.histogram.classes = static_cast<int>(n);
        s.histogram.excludeEdges = r.size() == 4;
    }
    if (!a.percentiles.empty()) {
        s.histogram.percentiles.clear();
        for (const std::string& p : split(a.percentiles, ',')) {
            double v;
            if (!toDouble(p, v)) return usageError("--percentiles: expected numbers separated by commas");
            s.histogram.percentiles.insert(v);
        }
    }
    if (Status st = checkCalcSettings(s); !st) return fail(st.error());
    s.includeExclusionsUncorrected = !a.noExclusionsUncorrected;
    for (const std::string& z : a.excludes) {
        const auto r = split(z, ':');
        double b = 0, e = 0;
        if (r.size() != 2 || !toDouble(r[0], b) || !toDouble(r[1], e)) return usageError("--exclude: expected BEGIN:END");
        if (Status st = cf.ranges.AddExclusionZone(b, e); !st) return fail(st.error());
    }
    for (const std::string& z : a.corrections) {
        const auto r = split(z, ':');
        double b = 0, e = 0;
        if (r.size() != 3 || !toDouble(r[0], b) || !toDouble(r[1], e))
            return usageError("--correct: expected BEGIN:END:F.B=DB[,F.B=DB...]");
        Corrections corr{};
        for (const std::string& item : split(r[2], ',')) {
            const auto eq = item.find('=');
            const auto dot = item.find('.');
            long long f = 0, band = 0;
            double db = 0;
            if (eq == std::string::npos || dot == std::string::npos || dot > eq || !toInt(item.substr(0, dot), f) ||
                !toInt(item.substr(dot + 1, eq - dot - 1), band) || !toDouble(item.substr(eq + 1), db))
                return usageError("--correct: bad correction '" + item + "'");
            const int at = correctionIndex(static_cast<int>(f), static_cast<int>(band));
            if (at < 0) return usageError("--correct: no band " + item.substr(0, eq));
            corr[static_cast<std::size_t>(at)] = db;
        }
        if (Status st = cf.ranges.AddCorrectionZone(b, e, corr); !st) return fail(st.error());
    }

    std::error_code ec;
    std::filesystem::create_directories(a.outDir, ec);
    cf.entries = std::move(entries);
    CalcRequest req;
    req.options.csv = a.csv;
    req.options.singleFile = a.singleFile;
    req.options.grouped = !a.plain;
    req.options.noLeqTime = a.noLeqTime;
    req.options.resultFolder = a.outDir.empty() || a.outDir.back() == '/' ? a.outDir : a.outDir + "/";
    req.options.baseName = std::filesystem::path(path).stem().string();
    req.encoding = ctx.encoding;
    const CalcReport report = CalculateFile(cf, desc, req);
    int status = kExitOk;
    for (const Message& m : report.messages) {
        fail(m);
        if (m.id != msg::InsufficientSamples) status = kExitFailure;
    }
    return status;
}

void addCalcCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* cmd = app.add_subcommand("calc", "calculate a data file's parameters and write the result files");
    auto a = std::make_shared<CalcArgs>();
    cmd->add_option("FILE", a->file, "instrument data file")->required();
    cmd->add_option("-o,--output", a->outDir, "result folder (created when missing)")->required();
    cmd->add_option("--param", a->params, "CODE:STATS[:COUNT], STATS from min,max,leq,pct,hist,uncorr")->required();
    cmd->add_option("--mode", a->mode, "work mode: samples, histograms or records")
        ->check(CLI::IsMember({"samples", "histograms", "records"}));
    cmd->add_option("--range", a->range, "work range FIRST:COUNT in samples");
    cmd->add_option("--scan", a->scan, "scanning INTERVAL:STEP in seconds");
    cmd->add_option("--classes", a->classes, "histogram classes LOW:WIDTH:COUNT[:noedges]");
    cmd->add_option("--percentiles", a->percentiles, "percentile levels, e.g. 5,50,95");
    cmd->add_option("--exclude", a->excludes, "exclusion zone BEGIN:END in seconds (repeatable)");
    cmd->add_option("--correct", a->corrections, "correction zone BEGIN:END:F.B=DB[,F.B=DB...] (repeatable)");
    cmd->add_flag("--csv", a->csv, "results in CSV");
    cmd->add_flag("--single-file", a->singleFile, "all results in one file");
    cmd->add_flag("--plain", a->plain, "results not grouped by parameter");
    cmd->add_flag("--no-leq-time", a->noLeqTime, "no Leq time rows");
    cmd->add_flag("--no-exclusions-uncorrected", a->noExclusionsUncorrected,
                  "exclusion zones do not enter the uncorrected results");
    commands.emplace_back(cmd, [&ctx, a] { return runCalc(ctx, *a); });
}

const bool registered = registerCommand(&addCalcCommand);

}  // namespace

}  // namespace phonotab::cli
