// phonotab-cli table html T.tbl -o OUT [--bw] [--refbooks RefMap.txt]
// phonotab-cli table xlsx T.tbl -o OUT.xlsx [--refbooks RefMap.txt]
// A report table as it leaves the program: the exact bytes the desktop puts on
// the clipboard as "HTML Format" (terminating zero included), and the
// spreadsheet workbook. Both after a full drawing of the table.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>

#include "CliContext.h"
#include "core/platform/AtomicFile.h"
#include "core/project/ReferenceBookFile.h"
#include "core/tables/TableDrawing.h"
#include "core/tables/io/TableFile.h"
#include "core/tables/io/TableHtml.h"
#include "core/tables/io/TableWorkbookExport.h"

namespace phonotab::cli {

namespace {

// Loads the table and draws it: every cell's display text, reference-book
// formulas read from refbooks when given.
Result<DisplayTexts> loadDrawn(ReportTable& table, const std::string& path, const std::string& refbooks) {
    if (Status s = TableFile::Load(table, path, nullptr); !s) return s.error();
    ReferenceBooks books;
    if (!refbooks.empty()) {
        std::error_code ec;
        if (!std::filesystem::exists(refbooks, ec)) return Message(msg::CannotOpen, refbooks);
        if (Status s = LoadReferenceBooks(refbooks, books); !s) return s.error();
    }
    return DrawDisplayTexts(table, TableEnvironment{&books, nullptr});
}

struct ExportOptions {
    std::string path, output, refbooks;
    bool blackAndWhite = false;
};

int runHtml(const ExportOptions& o) {
    ReportTable table;
    const Result<DisplayTexts> shown = loadDrawn(table, o.path, o.refbooks);
    if (!shown) return fail(shown.error());
    const std::optional<ClipboardHtml> html =
        TableClipboardHtml(table, *shown, o.blackAndWhite ? HtmlColours::BlackAndWhite : HtmlColours::Colour);
    // With every row or column excluded the clipboard gets nothing: so does the file.
    if (!html) std::fprintf(stderr, "%s\n", Message(msg::NothingToCopy).text().c_str());
    if (Status s = writeFileAtomically(o.output, html ? html->bytes : std::string()); !s) return fail(s.error());
    return kExitOk;
}

int runXlsx(const ExportOptions& o) {
    ReportTable table;
    const Result<DisplayTexts> shown = loadDrawn(table, o.path, o.refbooks);
    if (!shown) return fail(shown.error());
    if (Status s = ExportTableWorkbook(table, *shown, o.output); !s) return fail(s.error());
    return kExitOk;
}

void addTableExportCommands(CLI::App& app, CliContext&, CommandList& commands) {
    CLI::App* group = tableCommandGroup(app);

    auto* html = group->add_subcommand("html", "write the table's HTML clipboard bytes (\"HTML Format\")");
    auto htmlOptions = std::make_shared<ExportOptions>();
    html->add_option("FILE", htmlOptions->path, "table file (.tbl)")->required();
    html->add_option("-o,--output", htmlOptions->output, "file to write")->required();
    html->add_flag("--bw", htmlOptions->blackAndWhite, "black-and-white copy: white backgrounds, black text");
    html->add_option("--refbooks", htmlOptions->refbooks, "reference books (RefMap.txt) for \"#book#index\" formulas");
    commands.emplace_back(html, [htmlOptions] { return runHtml(*htmlOptions); });

    auto* xlsx = group->add_subcommand("xlsx", "write the table as a spreadsheet workbook (.xlsx)");
    auto xlsxOptions = std::make_shared<ExportOptions>();
    xlsx->add_option("FILE", xlsxOptions->path, "table file (.tbl)")->required();
    xlsx->add_option("-o,--output", xlsxOptions->output, "workbook to write (.xlsx)")->required();
    xlsx->add_option("--refbooks", xlsxOptions->refbooks, "reference books (RefMap.txt) for \"#book#index\" formulas");
    commands.emplace_back(xlsx, [xlsxOptions] { return runXlsx(*xlsxOptions); });
}

const bool tableExportCommandsRegistered = registerCommand(&addTableExportCommands);

}  // namespace

}  // namespace phonotab::cli
