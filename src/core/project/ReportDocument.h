// The measurement report: a word-processor template filled with the project's
// title-page texts and conclusion (<000> ... <009>), its report tables
// (<TBL01> ...) and its illustrations (<PIC01> ...), in that order, written as a
// new document. The template itself is never changed.
//
// Only the template's own placeholders are replaced: they are all found before
// anything is put in, so a user's text that contains "<TBL01>" stays text.
// A placeholder the template lacks, a table with nothing in the report and an
// illustration without a usable picture are skipped and listed; the report is
// still written. Places the template has for tables and illustrations beyond
// the project's (<TBL03> with two tables) are emptied.
//
// The document is a printed protocol's:
// - a table's place written "<TBL01 caption>" (the word "caption" after the
//   number, one blank between) puts the caption "Таблица 1 — name" (in the
//   interface language; the number counts the report tables in the document,
//   the name is the report table's) in that paragraph, above the table and on
//   its page; "<TBL01>" puts the table alone;
// - each table's first row is its heading: bold, repeated on every page;
// - rows a macro has not filled yet (MacroEmptyRows.h) are left out;
// - with the decimal comma, the numbers the tables show are written "72,5"
//   (DecimalComma.h); the tables themselves keep their point;
// - an illustration whose picture was never drawn on (the shipped empty
//   picture as "Создать иллюстрацию" copied it) is left out, caption and all,
//   and listed (7100).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/project/ProjectState.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

// What a report table shows (a drawing of it).
using ReportTableTexts = std::function<DisplayTexts(std::size_t table)>;
// The picture of an illustration: PNG, JPEG or BMP bytes, and the same
// drawing as SVG where there is one (a figure drawn for the report, or an
// exported figure's SVG beside its bitmap), which the document carries with
// the bitmap as its fallback.
struct ReportPicture {
    std::string bytes;
    std::string svg;
    ReportPicture() = default;
    ReportPicture(std::string bitmap, std::string drawing = {}) : bytes(std::move(bitmap)), svg(std::move(drawing)) {}
};
// The picture of an illustration (its 0-based position), or the message that
// tells why there is none.
using ReportPictureSource = std::function<Result<ReportPicture>(const Illustration&, std::size_t index)>;

struct ReportSkip {
    std::string placeholder;  // "<003>", "<TBL02>", "<PIC01>"
    Message reason;
};

struct ReportOutcome {
    std::vector<ReportSkip> skipped;
};

// How the report is written, beyond its template.
struct ReportOptions {
    // Numbers in the tables with a decimal comma, as a Russian document has them.
    bool decimalComma = false;
};

// The placeholder names: "<%03d>" of a text, "<TBL%02d>" and "<PIC%02d>" of
// the table and illustration at a 0-based position.
std::string reportTextPlaceholder(std::size_t index);
std::string reportTablePlaceholder(std::size_t index);
std::string reportPicturePlaceholder(std::size_t index);
// "<TBL%02d caption>": the table's place with its caption above it.
std::string reportCaptionedTablePlaceholder(std::size_t index);

// Fills the template and writes the report to outputPath (replaced only once
// written completely). Each text goes to every occurrence of its placeholder,
// each line a paragraph; a table and an illustration to the first occurrence,
// an illustration's caption on the line after its picture. Failures: those of
// reading the template (105, 6200) and writing the report (105, 5003), 5006
// when the progress asks to stop (nothing written).
Result<ReportOutcome> WriteReport(const ProjectState& project, const std::string& templatePath,
                                  const std::string& outputPath, const ReportTableTexts& tableTexts,
                                  const ReportPictureSource& pictures, const Progress& progress,
                                  const ReportOptions& options = {});

// Every report table drawn once, in the project's order, with its formulas,
// references and bound values worked out afresh: the texts its report table and
// its graph show.
std::vector<DisplayTexts> DrawReportTables(const ProjectState& project, const TableEnvironment& environment);

// The picture of an illustration read from its file: the file's path resolved
// against the working folder; PNG, JPEG and BMP files as they are, anything
// else through `convert` (the desktop and the batch tool turn SVG and the like
// into PNG), when given. Messages: 6202 the file is missing, 6203 it cannot be
// read, 6207 it is of a kind nothing converts, 7100 it was never drawn on (a
// bitmap of one colour, BlankPicture.h). An illustration that shows a table's
// graph is the caller's business (6204 here).
Result<std::string> ReadIllustrationPicture(
    const Illustration& illustration, const std::string& localWorkingFolder,
    const std::function<Result<std::string>(const std::string& bytes, const std::string& path)>& convert);

}  // namespace phonotab
