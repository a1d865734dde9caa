// The program's pictures, drawn at run time: the application icon, the
// images of the folder view and the nine images of the main toolbar; and the
// pictures the desktop shows for the program and its files.
#pragma once

#include <QIcon>

#include "core/project/FolderListing.h"

class QPainter;

namespace phonotab {

QIcon applicationIcon();
QIcon folderItemIcon(FolderItemKind kind);

// The pictures of the desktop's menu entry and file manager: the program, a
// project file, a report table file. Drawn on a 32 × 32 grid: scale the
// painter to the size wanted first.
enum class DesktopImage { Application, ProjectFile, TableFile };
void drawDesktopImage(DesktopImage image, QPainter& p);

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
    StandardTable,
    // The table window's own commands.
    CopyTableColour,
    CopyTableBlackAndWhite,
    ExportWorkbook,
    TableSizeAndName,
    TableGraph,
    TableGraphSettings,
    Undo,
    Redo
};
QIcon toolbarIcon(ToolbarImage image);

}  // namespace phonotab
