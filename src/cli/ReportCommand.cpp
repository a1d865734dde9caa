// phonotab-cli report P.pht [--template T.docx] -o OUT.docx [--refbooks RefMap.txt]
// The project's measurement report as a word-processor document, the same the
// desktop writes: the title-page texts and conclusion, the report tables as
// drawn, the illustrations' pictures (SVG and the like converted to PNG) and
// the tables' graphs.
// What was left out is listed on stderr; the report is written all the same.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>

#include "BatchPrompts.h"
#include "CliContext.h"
#include "render/pictures/ReportPictures.h"
#include "core/platform/ProgramFolders.h"
#include "core/project/DocumentController.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ProjectTableSources.h"
#include "core/project/ReferenceBookFile.h"
#include "core/project/ReportJob.h"

namespace phonotab::cli {

namespace {

struct ReportOptions {
    std::string project, templatePath, output, refbooks;
};

int runReport(const ReportOptions& o) {
    BatchPrompts prompts;
    DocumentController doc(prompts);
    if (Status s = doc.readProject(o.project); !s) return fail(s.error());
    const ProjectState& project = doc.state();

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
    const Result<ReportOutcome> out = job.write(templatePath, o.output);
    if (!out) return fail(out.error());
    const std::string skipped = Message(msg::ReportSkipped).text();
    for (const ReportSkip& s : out->skipped)
        std::fprintf(stderr, "%s: %s\n", skipped.c_str(), s.reason.text().c_str());
    return kExitOk;
}

void addReportCommand(CLI::App& app, CliContext&, CommandList& commands) {
    auto* report = app.add_subcommand("report", "write the project's report as a Word document (.docx) from a template");
    auto o = std::make_shared<ReportOptions>();
    report->add_option("PROJECT", o->project, "project file (.pht)")->required();
    report->add_option("--template", o->templatePath, "report template (.docx; default: the shipped one)");
    report->add_option("-o,--output", o->output, "report to write (.docx)")->required();
    report->add_option("--refbooks", o->refbooks, "reference books (RefMap.txt) for \"#book#index\" formulas");
    commands.emplace_back(report, [o] { return runReport(*o); });
}

const bool registered = registerCommand(&addReportCommand);

}  // namespace

}  // namespace phonotab::cli
