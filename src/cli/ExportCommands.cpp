// phonotab-cli dump FILE -o OUT | dump --joined FILE... -o OUT
// phonotab-cli summary FILE... -o OUT --column CH:DET:FAM ... [--band B] [--freq]
//              [--no-date] [--no-time] [--no-vin] [--no-duration] [--config report.cfg]
// Text exports of record files, each written whole or not at all.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "CliContext.h"
#include "core/measurement/RecordDump.h"
#include "core/project/RecordTextFiles.h"
#include "core/project/ReportConfig.h"
#include "core/project/SummaryColumns.h"

namespace phonotab::cli {

namespace {

struct DumpArgs {
    std::vector<std::string> files;
    std::string out;
    bool joined = false;
};

struct SummaryArgs {
    std::vector<std::string> files, columns;
    std::string out, config;
    int band = 0;
    bool freq = false, noDate = false, noTime = false, noVin = false, noDuration = false;
};

int runDump(CliContext& ctx, const DumpArgs& a) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    if (!a.joined && a.files.size() != 1) return usageError("dump: one FILE, or --joined with several");
    if (Status s = WriteRecordDumpFile(a.files, a.out, ctx.teleDesc(), ctx.encoding); !s) return fail(s.error());
    return kExitOk;
}

int runSummary(CliContext& ctx, const SummaryArgs& a) {
    if (!ctx.loadTeleDesc()) return kExitFailure;
    const TeleDesc& desc = ctx.teleDesc();
    if (a.band < 0 || a.band > 4095) return usageError("--band: a band index from 0");
    std::uint16_t type = 0;
    if (!readSummaryType(a.files.front(), type)) return fail(Message(msg::CannotOpen, a.files.front()));
    Result<RecordLayout> layout = BuildLayout(desc, type);

    std::vector<ReportColumn> chosen;
    for (const std::string& c : a.columns) {
        unsigned ch = 0, det = 0, fam = 0;
        char tail = 0;
        if (std::sscanf(c.c_str(), "%u:%u:%u%c", &ch, &det, &fam, &tail) != 3 || ch > 255 || det > 255 || fam > 255)
            return usageError("--column " + c + ": expected CH:DET:FAM");
        ReportColumn col;
        col.code = static_cast<std::int32_t>(ch << 24 | det << 8 | fam);
        col.name = layout ? summaryColumnName(static_cast<std::uint32_t>(col.code), a.band, desc, *layout) : std::string();
        chosen.push_back(col);
    }
    if (!a.config.empty()) {
        // The columns are remembered per kind of file, the first file's type.
        ReportConfig cfg = ReportConfig::load(a.config);
        if (a.columns.empty())
            chosen = cfg.list(type);
        else
            cfg.store(type, chosen);
        (void)cfg.save(a.config);  // a configuration that cannot be written is skipped silently
    }
    if (chosen.empty()) return usageError("summary: no --column given and none stored");

    SummaryRequest request;
    request.files = a.files;
    request.columns = chosen;
    request.flags.includeDate = !a.noDate;
    request.flags.includeTime = !a.noTime;
    request.flags.includeVin = !a.noVin;
    request.flags.includeDuration = !a.noDuration;
    request.flags.frequencyAsNumber = a.freq;
    request.band = a.band;
    if (Status s = WriteSummaryFile(request, a.out, desc, ctx.encoding); !s) return fail(s.error());
    return kExitOk;
}

void addExportCommands(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* dump = app.add_subcommand("dump", "write every record of record files as text");
    auto d = std::make_shared<DumpArgs>();
    dump->add_option("FILE", d->files, "record file(s)")->required();
    dump->add_option("-o,--output", d->out, "output text file")->required();
    dump->add_flag("--joined", d->joined, "several files into one output");
    commands.emplace_back(dump, [&ctx, d] { return runDump(ctx, *d); });

    auto* sum = app.add_subcommand("summary", "one line of chosen values per record of record files");
    auto s = std::make_shared<SummaryArgs>();
    sum->add_option("FILE", s->files, "record files of one type")->required();
    sum->add_option("-o,--output", s->out, "output file")->required();
    sum->add_option("--column", s->columns, "CH:DET:FAM (family index 0..2), repeatable");
    sum->add_option("--band", s->band, "band index for all columns (from 0)");
    sum->add_flag("--freq", s->freq, "headers are the band's frequency");
    sum->add_flag("--no-date", s->noDate, "leave out the date");
    sum->add_flag("--no-time", s->noTime, "leave out the time");
    sum->add_flag("--no-vin", s->noVin, "leave out the serial number");
    sum->add_flag("--no-duration", s->noDuration, "leave out the duration");
    sum->add_option("--config", s->config, "report.cfg to remember (or take) the columns");
    commands.emplace_back(sum, [&ctx, s] { return runSummary(ctx, *s); });
}

const bool exportCommandsRegistered = registerCommand(&addExportCommands);

}  // namespace

}  // namespace phonotab::cli
