// The first pages of the demo project's report as an office suite renders it,
// for a look at the document itself: the project calculated and its report
// written by the batch tool in a scratch copy, converted headlessly to PDF and
// then to PNG. Skipped (true, with a note) where the suite or the PDF
// rasteriser is not installed.
#pragma once

#include <QString>

namespace phonotab {

// report_page<n>_<language>.png for the first two pages; false when a step failed.
bool reportPagePictures(const QString& language, const QString& folder);

}  // namespace phonotab
