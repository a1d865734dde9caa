// The program's pictures, drawn at run time: the application icon, the four
// images of the folder view and the nine images of the main toolbar.
#pragma once

#include <QIcon>

#include "project/FolderListing.h"

namespace phonotab {

QIcon applicationIcon();
QIcon folderItemIcon(FolderItemKind kind);

// The toolbar's images in their order: open project, save project, project
// files, report, ranges, plot, parameters, new table, copy of a standard table.
enum class ToolbarImage {
    OpenProject,
    SaveProject,
    ProjectFiles,
    Report,
    Ranges,
    Plot,
    Parameters,
    NewTable,
    StandardTable
};
QIcon toolbarIcon(ToolbarImage image);

}  // namespace phonotab
