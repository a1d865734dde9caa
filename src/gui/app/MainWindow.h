// The program's main window: the menu and toolbar of the project and window
// commands, the recent files and projects, and the folder view of the working
// folder. The open project and the current file belong to the session's
// document controller; this window owns the child windows, shows the
// project's state and passes commands on.
#pragma once

#include <QMainWindow>

#include <memory>

namespace phonotab {

class ChildWindowList;
class FolderView;
class MainCommands;
class ProjectSession;
class StartPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 740;
    static constexpr int kMinHeight = 445;

    // Builds the window: placement from the settings (at least 740 × 445;
    // centred on the screen when none is stored, brought back onto the
    // primary screen when the stored one lies off every screen), the
    // folder view on the current folder, the recent lists, the telemetry
    // description and the reference books; then the command states.
    explicit MainWindow(ProjectSession& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainCommands& commands() { return *commands_; }
    FolderView& folderView() { return *folderView_; }
    StartPanel& startPanel() { return *startPanel_; }
    ProjectSession& session() { return session_; }
    ChildWindowList& windows() { return *windows_; }

    // Runs a command of the menu or the toolbar by its number.
    void run(int command);

signals:
    // The window closed for good: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void readPlacement();
    void writePlacement();
    // Title, command states and recent lists from the session.
    void refreshState();
    // The project commands need an open project, the file windows a current file.
    void applyEnablingRule();
    void updateWindowChecks();
    void showWindow(int command);

    ProjectSession& session_;
    std::unique_ptr<ChildWindowList> windows_;
    MainCommands* commands_;
    FolderView* folderView_;
    StartPanel* startPanel_;
    bool shutDown_ = false;
};

}  // namespace phonotab
