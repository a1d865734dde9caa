// phonotab-cli info FILE [--mode samples|histograms|records]
// Recognises a data file and prints its facts as one JSON object.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "CliContext.h"
#include "JsonWriter.h"
#include "core/measurement/MeasurementFile.h"

namespace phonotab::cli {

namespace {

const char* kindName(const MeasurementFile& f) {
    if (f.isCbf()) return "cbf";
    if (f.isMonitoring()) return "monitoring";
    return f.kind == FileKind::Versioned ? "versioned" : "plain";
}

int runInfo(CliContext& ctx, const std::string& path, const std::string& mode) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = ctx.teleDesc();
    FileWorkMode wm = FileWorkMode::Records;
    if (mode == "samples")
        wm = FileWorkMode::Samples;
    else if (mode == "histograms")
        wm = FileWorkMode::Histograms;
    else if (mode.empty())
        wm = defaultWorkMode(path);
    Result<MeasurementFile> f = LoadMeasurementFile(path, wm, desc);
    if (!f) return fail(f.error());
    JsonWriter j;
    j.beginObject();
    j.field("kind", kindName(*f));
    j.field("typeCode", static_cast<int>(f->typeCode));
    j.field("instrumentCode", static_cast<int>(f->instrumentCode));
    j.field("instrumentName", desc.instrumentName(f->instrumentCode));
    j.field("vin", static_cast<std::int64_t>(f->vin));
    j.field("count", static_cast<std::int64_t>(f->count));
    j.field("timeStep", f->timeStep);
    j.field("duration", f->duration);
    j.field("start", formatIso(f->startTime));
    j.field("channels", f->channelCount());
    j.field("workMode", static_cast<int>(f->workMode));
    j.field("recordSize", static_cast<std::int64_t>(f->recordSize));
    j.field("comment", f->header.comment);
    j.endObject();
    std::fputs(j.str().c_str(), stdout);
    return kExitOk;
}

void addInfoCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* cmd = app.add_subcommand("info", "recognise a data file and print its facts as JSON");
    auto path = std::make_shared<std::string>();
    auto mode = std::make_shared<std::string>();
    cmd->add_option("FILE", *path, "instrument data file")->required();
    cmd->add_option("--mode", *mode, "work mode: samples, histograms or records")
        ->check(CLI::IsMember({"samples", "histograms", "records"}));
    commands.emplace_back(cmd, [&ctx, path, mode] { return runInfo(ctx, *path, *mode); });
}

const bool infoCommandsRegistered = registerCommand(&addInfoCommand);

}  // namespace

}  // namespace phonotab::cli
