// The main window's menu and toolbar: every command by its number, with the
// texts of the string table; the toolbar's buttons carry the command's text
// as their tooltip. Enabling and check marks are set by command number and
// apply to the menu item and the toolbar button alike.
#pragma once

#include <QObject>

#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace phonotab {

class MruList;

namespace command {
constexpr int OpenFile = 104;
constexpr int NewProject = 32796;
constexpr int OpenProject = 32772;
constexpr int SaveProject = 32773;
constexpr int SaveProjectAs = 32774;
constexpr int ConvertToText = 32792;
constexpr int JoinToText = 32793;
constexpr int Summary = 32794;
constexpr int Percentiles = 32799;
constexpr int RecentFile1 = 32784;     // … 32787
constexpr int RecentProject1 = 32788;  // … 32791
constexpr int ChangeWorkingFolder = 32775;
constexpr int ReferenceBookEditor = 369;
constexpr int ViewIcons = 32776;
constexpr int ViewList = 59410;
constexpr int ViewDetails = 32778;
constexpr int ShowProjectFiles = 32779;
constexpr int ShowParameters = 32780;
constexpr int ShowRanges = 32797;
constexpr int ShowTimePlot = 32782;
constexpr int ShowReport = 370;
constexpr int About = 431;
constexpr int NewTable = 384;
constexpr int InsertStandardTable = 385;
constexpr int Exit = 1;  // the window's own close command
}  // namespace command

class MainCommands : public QObject {
    Q_OBJECT
public:
    explicit MainCommands(QMainWindow& window);

    // The menu item of a command (the toolbar button when it has none).
    QAction* action(int command) const;
    // Every action of a command: the menu item and the toolbar button.
    std::vector<QAction*> actions(int command) const;
    QToolBar* toolbar() const { return toolbar_; }

    void setEnabled(int command, bool enabled);
    void setChecked(int command, bool checked);
    // The four items from the first command on show the list's paths; places
    // without a path show "..".
    void showRecent(int firstCommand, const MruList& list);

signals:
    void triggered(int command);

private:
    QAction* add(QMenu* menu, int command, const QString& text, bool checkable = false);
    QAction* addButton(int command, int image);

    QToolBar* toolbar_;
    std::multimap<int, QAction*> actions_;
};

}  // namespace phonotab
