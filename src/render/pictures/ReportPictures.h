// Where the report's pictures come from, the same in the desktop program and
// the batch tool: an illustration of a table's graph is drawn from the table's
// texts as shown, any other is read from its picture file (converted to PNG
// when the document cannot take it as it is).
#pragma once

#include <string>

#include "core/project/ReportDocument.h"

namespace phonotab {

// 6206 for a graph of a report table that is gone; the messages of
// tableGraphPng and ReadIllustrationPicture otherwise.
ReportPictureSource reportPictureSource(const ProjectState& project, ReportTableTexts tableTexts,
                                        std::string localWorkingFolder);

}  // namespace phonotab
