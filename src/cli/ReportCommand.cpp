// phonotab-cli report P.pht [--template T.docx] -o OUT.docx|OUT.pdf [--refbooks RefMap.txt] [--calc]
//                          [--decimal-comma | --decimal-point]
// The project's measurement report as a word-processor document, the same the
// desktop writes: the title-page texts and conclusion, the report tables as
// drawn, the illustrations' pictures (SVG and the like converted to PNG) and
// the tables' graphs. An output named *.pdf gets the same report as PDF,
// converted by LibreOffice (which must be installed).
// What was left out is listed on stderr; the report is written all the same.
// So is every bound cell that has no value (a project never recalculated):
// --calc recalculates the project's files first, as "project calc" does,
// without saving the project.
// The numbers of the report's tables take a decimal comma with --decimal-comma,
// a point with --decimal-point, and by default the comma in a Russian
// interface (whose shipped template is then the default one), as the desktop's
// report window does until the user says otherwise.
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "BatchPrompts.h"
#include "CliContext.h"
#include "render/pictures/ReportPictures.h"
#include "core/platform/ProgramFolders.h"
#include "core/project/DocumentController.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ProjectTableSources.h"
#include "core/project/ReferenceBookFile.h"
#include "core/project/RecalculateProject.h"
#include "core/project/ReportJob.h"
#include "core/project/ReportPdf.h"
#include "core/tables/formula/ShiftReferences.h"

namespace phonotab::cli {

namespace {

struct ReportOptions {
    std::string project, templatePath, output, refbooks;
    bool calculate = false;
    bool decimalComma = false, decimalPoint = false;
};

// LibreOffice runs in a process group of its own, out of the terminal's
// reach: while it converts, Ctrl-C (or a TERM or HUP) stops the conversion
// through its progress instead, so that LibreOffice ends with the tool and
// leaves nothing behind.
class StopOnSignals {
public:
    explicit StopOnSignals(const Progress& progress) {
        watched_ = &progress;
        struct sigaction stop {};
        stop.sa_handler = [](int) {
            if (watched_) watched_->cancel();  // an atomic store: safe in a handler
        };
        sigemptyset(&stop.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &stop, &old_[i]);
    }
    ~StopOnSignals() {
        for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &old_[i], nullptr);
        watched_ = nullptr;
    }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    static inline const Progress* watched_ = nullptr;
    struct sigaction old_[std::size(kSignals)] {};
};

// Every bound cell of the report tables that has no value, as a notice each.
void listCellsWithoutValue(const ProjectState& project, const std::string& projectPath) {
    for (const ProjectTable& t : project.tables)
        for (const auto& [cell, b] : t.table.bindings)
            if (b.value < 0)
                fail(Message(msg::BoundCellWithoutValue, projectPath, columnLetters(cell.column) + std::to_string(cell.row + 1),
                             t.table.name, b.sourceName));
}

int runReport(CliContext& ctx, const ReportOptions& o) {
    // Without LibreOffice a PDF cannot be had: said before any work is done.
    const bool pdf = isPdfPath(o.output);
    if (pdf)
        if (Result<std::string> converter = findPdfConverter(); !converter) return fail(converter.error());
    BatchPrompts prompts;
    DocumentController doc(prompts);
    if (Status s = doc.readProject(o.project); !s) return fail(s.error());
    int status = kExitOk;
    if (o.calculate) {
        if (!ctx.loadTeleDesc()) return kExitFailure;
        doc.setTeleDescription(ctx.teleDesc());
        RecalcRequest req;
        req.workingFolder = localWorkingFolderOf(doc.state().workingFolder, o.project);
        req.resultFolder = req.workingFolder + "/";
        req.encoding = ctx.encoding;
        const RecalcReport report = doc.recalculateProject(std::move(req));
        for (const Message& m : report.messages) {
            fail(m);
            if (m.severity() == Severity::Failure) status = kExitFailure;
        }
    }
    const ProjectState& project = doc.state();
    listCellsWithoutValue(project, o.project);

    ReferenceBooks books;
    const std::string refbooks = o.refbooks.empty() ? CliContext::dataFolder() + "/" + kUserReferenceBooks : o.refbooks;
    std::error_code ec;
    if (!o.refbooks.empty() && !std::filesystem::exists(refbooks, ec)) return fail(Message(msg::CannotOpen, refbooks));
    if (std::filesystem::exists(refbooks, ec))
        if (Status s = LoadReferenceBooks(refbooks, books); !s) return fail(s.error());
    const ProjectTableSources sources(project.files, nullptr);
    const ReportJob job(project, TableEnvironment{&books, &sources}, localWorkingFolderOf(project.workingFolder, o.project),
                        &reportPictureSource);
    const std::string templatePath =
        o.templatePath.empty() ? defaultReportTemplate(CliContext::dataFolder(), currentStrings().languageName())
                               : o.templatePath;
    phonotab::ReportOptions options;
    options.decimalComma = o.decimalComma || (!o.decimalPoint && decimalCommaByDefault(currentStrings().languageName()));
    const Progress progress;
    std::optional<StopOnSignals> stop;
    if (pdf) stop.emplace(progress);
    const Result<ReportOutcome> out =
        pdf ? writeReportAsPdf([&](const std::string& docx, const Progress& part) {
                  return job.write(templatePath, docx, part, options);
              }, o.output, progress)
            : job.write(templatePath, o.output, {}, options);
    if (!out) return fail(out.error());
    const std::string skipped = Message(msg::ReportSkipped).text();
    for (const ReportSkip& s : out->skipped)
        std::fprintf(stderr, "%s: %s\n", skipped.c_str(), s.reason.text().c_str());
    return status;
}

void addReportCommand(CLI::App& app, CliContext& ctx, CommandList& commands) {
    auto* report = app.add_subcommand("report", "write the project's report as a Word document (.docx) from a template, "
                                                "or as PDF (.pdf, converted by LibreOffice)");
    auto o = std::make_shared<ReportOptions>();
    report->add_option("PROJECT", o->project, "project file (.pht)")->required();
    report->add_option("--template", o->templatePath, "report template (.docx; default: the shipped one)");
    report->add_option("-o,--output", o->output, "report to write (.docx, or .pdf)")->required();
    report->add_option("--refbooks", o->refbooks, "reference books (RefMap.txt) for \"#book#index\" formulas");
    report->add_flag("--calc", o->calculate, "recalculate the project's files first (the project file is not changed)");
    auto* comma = report->add_flag("--decimal-comma", o->decimalComma,
                                   "numbers in the tables with a decimal comma (72,5; default in Russian)");
    report->add_flag("--decimal-point", o->decimalPoint, "numbers in the tables with a decimal point (72.5)")
        ->excludes(comma);
    commands.emplace_back(report, [&ctx, o] { return runReport(ctx, *o); });
}

const bool reportCommandsRegistered = registerCommand(&addReportCommand);

}  // namespace

}  // namespace phonotab::cli
