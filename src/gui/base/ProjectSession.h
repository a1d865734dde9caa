// The desktop's side of the open project: it holds the core's document
// controller, answers its questions with the program's dialogs, and turns its
// notices into the signals the windows redraw on. The project's rules live in
// the controller; this object only adapts them to Qt (paths as QString, the
// settings file, the watch on the working folder).
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include "core/acoustics/CalculateFile.h"
#include "gui/base/AppPaths.h"
#include "gui/base/Prompts.h"
#include "gui/base/SessionPrompts.h"
#include "core/project/DocumentController.h"

namespace phonotab {

class SettingsStore;

class ProjectSession : public QObject {
    Q_OBJECT
public:
    ProjectSession(Prompts& prompts, SettingsStore& settings, AppPaths paths, QObject* parent = nullptr);
    ~ProjectSession() override;

    Prompts& prompts() { return prompts_; }
    SettingsStore& settings() { return settings_; }
    const AppPaths& paths() const { return paths_; }
    // Every project command and every edit goes through the controller.
    DocumentController& controller() { return controller_; }
    const ProjectState& state() const { return controller_.state(); }
    const CalcFile* currentFile() const { return controller_.currentFile(); }
    // The telemetry description read at start-up.
    const TeleDesc& teleDescription() const { return controller_.teleDescription(); }
    bool projectOpen() const { return controller_.projectOpen(); }
    MruList& recentFiles() { return controller_.recentFiles(); }
    MruList& recentProjects() { return controller_.recentProjects(); }
    QString projectPath() const;
    // The working folder on this system, ending with '/'.
    QString localWorkingFolder() const;
    QString title() const;
    // The window progress dialogs belong to.
    void setDialogParent(QWidget* parent) { bridge_.setDialogParent(parent); }

    // Start-up: the telemetry description and reference books from the data
    // folder, the recent lists from the settings, the working folder.
    bool loadTelemetryDescription();
    void loadReferenceBooks();
    void readRecentLists();
    void startInFolder(const QString& localFolder);

    // The commands that take a path from the desktop.
    bool loadProject(const QString& path) { return controller_.loadProject(fromQtPath(path)); }
    bool openDataFile(const QString& path) { return controller_.openDataFile(fromQtPath(path)); }

    // After the main window closed: the folder watch goes, the controller
    // clears the project and writes the reference books back, the recent
    // lists go to the settings.
    void shutdown();

    // Notifications that the windows send each other through the main window.
    void notifyViewChanged() { emit viewChanged(); }
    void notifyMainMoved() { emit mainMoved(); }
    // A short notice that finished work ("Отчет записан: …") shows on the
    // main window's status bar.
    void announce(const QString& text) { emit announced(text); }

signals:
    // 0: put pending edits into the project (before saving and closing);
    // 1: take the window's state from the project (after loading).
    void projectSync(int direction);
    void fileChanged();         // the current file was (re)opened or the project loaded
    void viewChanged();         // what is to be shown changed
    void folderChanged();       // the working folder or its contents changed
    void plotContentChanged();  // a correction zone was added or plot flags changed (32780)
    void workRangeChanged();    // the work range or the exclusion zones changed (32781)
    void mainMoved();
    // Title, command states or recent lists may have changed.
    void stateChanged();
    void announced(const QString& text);

private:
    static std::string fromQtPath(const QString& path) { return path.toStdString(); }
    void onNotice(DocumentNotice notice);
    void watchWorkingFolder();

    Prompts& prompts_;
    SettingsStore& settings_;
    AppPaths paths_;
    SessionPrompts bridge_;
    DocumentController controller_;
    QFileSystemWatcher watcher_;
};

}  // namespace phonotab
