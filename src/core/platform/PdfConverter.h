// PDF from a written word-processor document: LibreOffice converts it in
// headless mode. LibreOffice is found on the search path ("soffice", else
// "libreoffice"); it is not part of the program, so its absence is a message
// that names the package to install. Each conversion runs in a private
// profile folder (so that neither an open LibreOffice of the user's nor its
// settings get in the way) and into a scratch folder, both removed afterwards,
// with a time limit; the PDF replaces its target only once it was written
// completely.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "core/base/Progress.h"
#include "core/base/Result.h"

namespace phonotab {

struct PdfConverterSettings {
    // The folders searched for LibreOffice, separated by ':' as in PATH; the
    // environment's PATH when not given.
    std::optional<std::string> searchPath;
    // A conversion that takes longer is stopped (LibreOffice's first start in
    // a fresh profile takes a good part of this on a slow machine).
    std::chrono::seconds timeLimit{120};
};

// The LibreOffice program on the search path; message 7200 (naming the
// Debian package) when there is none.
Result<std::string> findPdfConverter(const std::optional<std::string>& searchPath = std::nullopt);

// Converts the document at docxPath into pdfPath. Progress runs while
// LibreOffice works; a stop ends LibreOffice and writes nothing. Messages:
// 7200 no LibreOffice, 5005 it cannot be started, 7201 the time limit ran out,
// 7202/7203 it failed, 7204/7205 it ended without a PDF (each with the last
// lines of LibreOffice's error output where it had any), 5006 stopped, 105 or
// 5003 the PDF cannot be written; the old pdfPath is intact after each.
Status convertDocxToPdf(const std::string& docxPath, const std::string& pdfPath, const Progress& progress = {},
                        const PdfConverterSettings& settings = {});

}  // namespace phonotab
