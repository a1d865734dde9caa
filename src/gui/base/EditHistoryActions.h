// Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) in the windows that edit the project
// or its current file (project files, report, ranges, parameters, time
// plot): they take back or make again the project's last edit through the
// document controller, whichever of these windows has the focus.
#pragma once

class QWidget;

namespace phonotab {

class ProjectSession;

void addEditHistoryActions(QWidget* window, ProjectSession& session);

}  // namespace phonotab
