// phonotab-cli calc FILE -o DIR --param CODE:STATS[:COUNT] ... [options]
// Runs the calculation of a data file and writes its result files into DIR.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>

#include "CliContext.h"
#include "FileRangeOptions.h"
#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/ParameterName.h"
#include "core/base/CFormat.h"

namespace phonotab::cli {

namespace {

struct CalcArgs : FileRangeArgs, ClassArgs {
    std::string file, outDir, scan;
    std::vector<std::string> params;
    bool csv = false, singleFile = false, plain = false, noLeqTime = false, noExclusionsUncorrected = false;
};

// CODE:STATS[:COUNT] → an entry with COUNT − 1 sub-entries for the following bands.
bool parseParam(const std::string& text, ParameterEntry& e, std::string& error) {
    const auto parts = splitText(text, ':');
    if (parts.size() < 2 || parts.size() > 3) {
        error = "--param " + text + ": expected CODE:STATS[:COUNT]";
        return false;
    }
    long long code = 0;
    if (!textToInt(parts[0], code) || code < 0 || code > 0xFFFFFFFFll) {
        error = "--param " + text + ": bad parameter code";
        return false;
    }
    e.code = static_cast<FieldCode>(code);
    for (const std::string& stat : splitText(parts[1], ',')) {
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
    if (parts.size() == 3 && (!textToInt(parts[2], count) || count < 1 || count > 4096)) {
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

int runCalc(CliContext& ctx, CalcArgs a) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = ctx.teleDesc();

    std::vector<ParameterEntry> entries;
    for (const std::string& p : a.params) {
        ParameterEntry e;
        std::string error;
        if (!parseParam(p, e, error)) return usageError(error);
        entries.push_back(std::move(e));
    }

    const std::string path = std::filesystem::absolute(a.file).string();
    Result<MeasurementFile> file = LoadMeasurementFile(path, chosenWorkMode(a.mode, path), desc);
    if (!file) return fail(file.error());
    CalcFile cf = openForCalculation(std::move(*file));
    CalcSettings& s = cf.settings;
    s.scanInterval = s.scanStep = kNewFileScanSeconds;

    if (int status = applyWorkRangeOption(a, cf); status != kExitOk) return status;
    if (!a.scan.empty()) {
        const auto r = splitText(a.scan, ':');
        if (r.size() != 2 || !textToDouble(r[0], s.scanInterval) || !textToDouble(r[1], s.scanStep))
            return usageError("--scan: expected INTERVAL:STEP in seconds");
        s.scanning = true;
    }
    if (int status = applyClassOptions(a, s.histogram); status != kExitOk) return status;
    if (Status st = checkCalcSettings(s); !st) return fail(st.error());
    s.includeExclusionsUncorrected = !a.noExclusionsUncorrected;
    if (int status = applyZoneOptions(a, cf); status != kExitOk) return status;

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
    req.keepSeries = false;  // only the result files are wanted
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
    addFileRangeOptions(cmd, *a);
    cmd->add_option("--scan", a->scan, "scanning INTERVAL:STEP in seconds");
    addClassOptions(cmd, *a);
    cmd->add_flag("--csv", a->csv, "results in CSV");
    cmd->add_flag("--single-file", a->singleFile, "all results in one file");
    cmd->add_flag("--plain", a->plain, "results not grouped by parameter");
    cmd->add_flag("--no-leq-time", a->noLeqTime, "no Leq time rows");
    cmd->add_flag("--no-exclusions-uncorrected", a->noExclusionsUncorrected,
                  "exclusion zones do not enter the uncorrected results");
    commands.emplace_back(cmd, [&ctx, a] { return runCalc(ctx, *a); });
}

const bool calcCommandsRegistered = registerCommand(&addCalcCommand);

}  // namespace

}  // namespace phonotab::cli
