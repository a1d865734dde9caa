#include "core/project/ReportDocument.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/CFormat.h"
#include "core/base/DecimalComma.h"
#include "core/base/TextIds.h"
#include "core/platform/BlankPicture.h"
#include "core/platform/DocxDocument.h"
#include "core/platform/PictureInfo.h"
#include "core/project/ProjectPaths.h"
#include "core/tables/io/TableDocx.h"
#include "core/tables/macros/MacroEmptyRows.h"

namespace phonotab {

namespace {

// Placeholders are numbered with two digits.
constexpr std::size_t kMaxReportPlaces = 99;
// A picture file above this size is not one a report can hold.
constexpr std::uintmax_t kMaxPictureFile = 64u << 20;

// The report table as the document shows it: its rows that macros have not
// filled yet left out, its first row the heading, its numbers with a comma
// when asked. Nothing when nothing of it is in the report.
std::optional<DocxTable> documentTable(const ReportTable& table, const DisplayTexts& shown,
                                       const ReportOptions& options) {
    std::optional<DocxTable> docx;
    if (const std::vector<int> empty = RowsLeftEmptyByMacros(table, shown); !empty.empty()) {
        // Left out as a row excluded from the report is: merged blocks carry over.
        ReportTable copy = table;
        for (int row : empty) copy.cell(0, row).flags |= cellflag::RowExcluded;
        docx = TableDocxTable(copy, shown);
    } else {
        docx = TableDocxTable(table, shown);
    }
    if (!docx) return std::nullopt;
    if (options.decimalComma)
        for (auto& row : docx->rows)
            for (DocxCell& cell : row) cell.text = withDecimalComma(cell.text);
    return docx;
}

std::string tableCaption(std::size_t number, const std::string& name) {
    return name.empty() ? Message(text::ReportTableNumber, number).text()
                        : Message(text::ReportTableCaption, number, name).text();
}

}  // namespace

std::string reportTextPlaceholder(std::size_t index) { return cformat("<%03zu>", index); }
std::string reportTablePlaceholder(std::size_t index) { return cformat("<TBL%02zu>", index + 1); }
std::string reportPicturePlaceholder(std::size_t index) { return cformat("<PIC%02zu>", index + 1); }
std::string reportCaptionedTablePlaceholder(std::size_t index) { return cformat("<TBL%02zu caption>", index + 1); }

Result<ReportOutcome> WriteReport(const ProjectState& project, const std::string& templatePath,
                                  const std::string& outputPath, const ReportTableTexts& tableTexts,
                                  const ReportPictureSource& pictures, const Progress& progress,
                                  const ReportOptions& options) {
    Result<DocxDocument> opened = DocxDocument::open(templatePath);
    if (!opened) return opened.error();
    DocxDocument& doc = *opened;

    std::vector<std::string> names;
    for (std::size_t i = 0; i < project.reportTexts.size(); ++i) names.push_back(reportTextPlaceholder(i));
    for (std::size_t k = 0; k < project.tables.size(); ++k) {
        names.push_back(reportTablePlaceholder(k));
        names.push_back(reportCaptionedTablePlaceholder(k));
    }
    for (std::size_t k = 0; k < project.illustrations.size(); ++k) names.push_back(reportPicturePlaceholder(k));
    // Places of tables and illustrations the project does not have are
    // emptied, so that a template with spare places (the default one has ten
    // of each) leaves no placeholder text in the report.
    std::vector<std::string> spare;
    for (std::size_t k = project.tables.size(); k < kMaxReportPlaces; ++k) {
        spare.push_back(reportTablePlaceholder(k));
        spare.push_back(reportCaptionedTablePlaceholder(k));
    }
    for (std::size_t k = project.illustrations.size(); k < kMaxReportPlaces; ++k)
        spare.push_back(reportPicturePlaceholder(k));
    names.insert(names.end(), spare.begin(), spare.end());
    doc.markPlaceholders(names);
    names.resize(names.size() - spare.size());
    for (const std::string& name : spare) doc.clear(name);

    ReportOutcome outcome;
    auto present = [&](const std::string& name) {
        if (doc.count(name) > 0) return true;
        outcome.skipped.push_back({name, Message(msg::PlaceholderMissing, name)});
        return false;
    };
    const double steps = static_cast<double>(project.reportTexts.size() + project.tables.size() +
                                             project.illustrations.size() + 1);
    double done = 0;
    auto step = [&] { return progress.report(++done / steps); };

    for (std::size_t i = 0; i < project.reportTexts.size(); ++i) {
        const std::string name = reportTextPlaceholder(i);
        if (present(name)) doc.putText(name, project.reportTexts[i]);
        if (!step()) return Message(msg::Cancelled);
    }

    std::size_t tablesPut = 0;  // the number of the next table's caption
    for (std::size_t k = 0; k < project.tables.size(); ++k) {
        // The place with a caption wins when the template has both.
        const bool captioned = doc.count(reportCaptionedTablePlaceholder(k)) > 0;
        const std::string name = captioned ? reportCaptionedTablePlaceholder(k) : reportTablePlaceholder(k);
        if (present(name)) {
            const ReportTable& table = project.tables[k].table;
            const std::optional<DocxTable> docx =
                documentTable(table, tableTexts ? tableTexts(k) : DisplayTexts(), options);
            const std::string caption = captioned ? tableCaption(tablesPut + 1, table.name) : std::string();
            if (docx && doc.putTable(name, *docx, caption)) {
                ++tablesPut;
            } else {
                doc.putText(name, {}, true);
                outcome.skipped.push_back({name, Message(msg::TableNotInReport, name, table.name)});
            }
        }
        if (!step()) return Message(msg::Cancelled);
    }

    for (std::size_t k = 0; k < project.illustrations.size(); ++k) {
        const std::string name = reportPicturePlaceholder(k);
        if (present(name)) {
            const Illustration& illustration = project.illustrations[k];
            Result<ReportPicture> picture = pictures ? pictures(illustration, k) : Result<ReportPicture>(ReportPicture());
            if (!picture && picture.error().id == msg::PictureLeftBlank) {
                // Never drawn on: neither a blank page nor a caption under nothing.
                outcome.skipped.push_back({name, picture.error()});
                doc.clear(name);
                if (!step()) return Message(msg::Cancelled);
                continue;
            }
            // Without a picture the caption still takes the placeholder's place.
            ReportPicture drawn;
            if (picture)
                drawn = std::move(*picture);
            else
                outcome.skipped.push_back({name, picture.error()});
            if (Status s = doc.putPicture(name, drawn.bytes, illustration.caption, name, drawn.svg); !s) {
                outcome.skipped.push_back({name, s.error()});
                (void)doc.putPicture(name, {}, illustration.caption);
            }
        }
        if (!step()) return Message(msg::Cancelled);
    }

    if (Status s = doc.save(outputPath); !s) return s.error();
    progress.report(1.0);
    return outcome;
}

std::vector<DisplayTexts> DrawReportTables(const ProjectState& project, const TableEnvironment& environment) {
    std::vector<DisplayTexts> texts;
    texts.reserve(project.tables.size());
    for (const ProjectTable& t : project.tables) {
        ReportTable copy = t.table;
        copy.RequestRecalculation();
        texts.push_back(DrawDisplayTexts(copy, environment));
    }
    return texts;
}

Result<std::string> ReadIllustrationPicture(
    const Illustration& illustration, const std::string& localWorkingFolder,
    const std::function<Result<std::string>(const std::string& bytes, const std::string& path)>& convert) {
    if (illustration.table) return Message(msg::TableGraphUnavailable, illustration.caption, std::string());
    const std::string path = storedPathToLocal(illustration.picturePath, localWorkingFolder);
    std::error_code ec;
    if (illustration.picturePath.empty() || !std::filesystem::is_regular_file(path, ec))
        return Message(msg::PictureMissing, illustration.caption, illustration.picturePath);
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxPictureFile) return Message(msg::PictureUnreadable, path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (!in || in.bad()) return Message(msg::PictureUnreadable, path);
    std::string bytes = buffer.str();
    if (isBlankBitmap(bytes)) return Message(msg::PictureLeftBlank, illustration.caption, illustration.picturePath);
    if (readPictureInfo(bytes)) return bytes;
    if (!convert) return Message(msg::PictureNotConverted, path);
    return convert(bytes, path);
}

}  // namespace phonotab
