// The first steps offered while neither a project nor a file is open: the recent projects and
// the demo project, above the folder view of the main window.
#pragma once

#include <QWidget>

class QVBoxLayout;

namespace phonotab {

class ProjectSession;

class StartPanel : public QWidget {
    Q_OBJECT
public:
    StartPanel(ProjectSession& session, QWidget* parent);

    // Shown while no project is open, with the recent projects of now.
    void refresh();
    // The demo project copied into the user's data folder (calculations
    // write their results beside the data, and the shipped copy is read-only)
    // and opened; false when it could not be copied or opened.
    bool openDemoProject();

signals:
    // A command of the main window's menu (opening a project or a file).
    void commandRequested(int command);

private:
    ProjectSession& session_;
    QVBoxLayout* recent_;
};

}  // namespace phonotab
