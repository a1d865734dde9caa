// The report as PDF, the form in which a client receives it: the report
// document written as always, into a scratch folder, then converted by
// LibreOffice (platform/PdfConverter). The desktop and the batch tool write
// it the same way.
#pragma once

#include <functional>
#include <string>

#include "core/platform/PdfConverter.h"
#include "core/project/ReportDocument.h"

namespace phonotab {

// Whether an output path asks for the report as PDF (its name ends in ".pdf", in any case).
bool isPdfPath(const std::string& path);

// Writes the report document to the given path, with progress and stop (a
// ReportJob's write with the template and options chosen).
using ReportDocumentWriter = std::function<Result<ReportOutcome>(const std::string& docxPath, const Progress& progress)>;

// Writes the report as PDF to pdfPath: LibreOffice is looked for first, so
// that its absence is told before any work; then the document is written
// (what it left out is the outcome, as for the document) and converted. The
// messages of the writer and of convertDocxToPdf; pdfPath is replaced only
// once the PDF is complete, and nothing stays behind in the temporary folder.
Result<ReportOutcome> writeReportAsPdf(const ReportDocumentWriter& writeDocument, const std::string& pdfPath,
                                       const Progress& progress = {}, const PdfConverterSettings& settings = {});

}  // namespace phonotab
