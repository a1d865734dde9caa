#include "core/project/ReportPdf.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/platform/TemporaryFolder.h"

namespace phonotab {

namespace {
// Writing the document is the quick part; LibreOffice's conversion takes the rest.
constexpr double kDocumentShare = 0.2;
}  // namespace

bool isPdfPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".pdf";
}

Result<ReportOutcome> writeReportAsPdf(const ReportDocumentWriter& writeDocument, const std::string& pdfPath,
                                       const Progress& progress, const PdfConverterSettings& settings) {
    if (Result<std::string> program = findPdfConverter(settings.searchPath); !program) return program.error();
    Result<TemporaryFolder> scratch = TemporaryFolder::create("phonotab-report-");
    if (!scratch) return scratch.error();
    // Named after the PDF: LibreOffice takes the document's name as the PDF's.
    std::string stem = std::filesystem::path(pdfPath).stem().string();
    if (stem.empty()) stem = "report";
    const std::string docx = scratch->file(stem + ".docx");
    Result<ReportOutcome> outcome = writeDocument(docx, progress.part(0.0, kDocumentShare));
    if (!outcome) return outcome;
    if (progress.cancelled()) return Message(msg::Cancelled);
    if (Status s = convertDocxToPdf(docx, pdfPath, progress.part(kDocumentShare, 1.0), settings); !s) return s.error();
    return outcome;
}

}  // namespace phonotab
