// The first pages of the demo project's report as a client receives it, for a
// look at the document itself: the report of a scratch copy of the project,
// recalculated, written by the batch tool as PDF (LibreOffice converts it),
// then drawn to PNG. Skipped (true, with a note) where LibreOffice or the PDF
// rasteriser is not installed.
#pragma once

#include <QString>

namespace phonotab {

// report_page<n>_<language>.png for the first three pages; false when a step failed.
bool reportPagePictures(const QString& language, const QString& folder);

}  // namespace phonotab
