// The open project and everything that lives as long as it: the project state
// with its document flag and path, the current file open for calculation, the
// reference books, the recent lists and the child windows. The project
// commands of the main window run here; the windows hear of changes through
// this object's signals.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

#include "acoustics/CalculateFile.h"
#include "app/AppPaths.h"
#include "app/ChildWindowList.h"
#include "app/Prompts.h"
#include "project/MruList.h"
#include "project/ProjectState.h"
#include "project/ReferenceBooks.h"

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
    ProjectState& state() { return state_; }
    const ProjectState& state() const { return state_; }
    CProjectDoc& doc() { return doc_; }
    // The open project's file; empty for a project never saved.
    const QString& projectPath() const { return projectPath_; }
    // Set once a project was made, opened or saved: the project commands need it.
    bool projectOpen() const { return projectOpen_; }
    // The current file open for calculation; null while none is.
    CalcFile* currentFile() { return current_.get(); }
    const CalcFile* currentFile() const { return current_.get(); }
    ReferenceBooks& referenceBooks() { return books_; }
    MruList& recentFiles() { return recentFiles_; }
    MruList& recentProjects() { return recentProjects_; }
    ChildWindowList& windows() { return windows_; }
    // The working folder on this system, ending with '/'.
    QString localWorkingFolder() const;
    // The main window's title.
    QString title() const;
    // The window progress dialogs belong to.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

    // Start-up: the telemetry description (message 403 when it cannot be read;
    // no data file can then be recognised), the reference books, the recent
    // lists, and the working folder (the current folder, watched).
    bool loadTelemetryDescription();
    void loadReferenceBooks();
    void readRecentLists();
    void startInFolder(const QString& localFolder);

    // Every editing command of the project marks it modified.
    void setModified() { doc_.modified = true; }

    // The project commands; each returns whether it was carried out. A project
    // with unsaved changes is offered for saving before another replaces it.
    bool newProject();
    bool openProject();  // asks for the file
    bool loadProject(const QString& path);
    bool saveProject();  // asks for a file only when the project has none
    bool saveProjectAs();
    bool changeWorkingFolder();
    bool openRecentProject(int position);

    // The data file commands: the file dialog (starting in the folder last
    // used), a path, a recent file.
    bool chooseAndOpenDataFile();
    bool openDataFile(const QString& path);
    bool openRecentFile(int position);
    // An entry of the project's file list becomes the current file.
    bool openProjectEntry(int index);

    // Calculates the current file (results into the working folder) off the
    // interface thread; the messages are shown afterwards.
    CalcReport calculateCurrentFile();

    // Closing the program: the windows put their edits into the project and a
    // modified project is offered for saving. False keeps the program running.
    bool confirmClose();
    // After the main window closed: the folder watch goes, the project is
    // cleared, the recent lists and the reference books are written back.
    void shutdown();

    // Notifications that the windows send each other through the main window.
    void notifyViewChanged() { emit viewChanged(); }
    void notifyPlotContentChanged() { emit plotContentChanged(); }
    void notifyWorkRangeChanged() { emit workRangeChanged(); }
    void notifyMainMoved() { emit mainMoved(); }
    void notifyFolderChanged() { emit folderChanged(); }

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

private:
    // Offers a modified open project for saving; false when the user cancels
    // or the save fails.
    bool offerToSave();
    void clearProject(ClearForm form);
    // The current file's calculation settings into the project's current file.
    void captureCurrentFile();
    bool openWorkingFolder(bool reportMissing);
    // Loads the current file from its path with the settings of the project's
    // current file; a refused file is reported and leaves no current file.
    bool loadCurrentFile(const QString& localPath);
    QString askProjectPath(bool forSaving);
    bool writeProject(const QString& path, bool asked);
    void saveReferenceBooks();

    Prompts& prompts_;
    SettingsStore& settings_;
    AppPaths paths_;
    ProjectState state_;
    CProjectDoc doc_;
    QString projectPath_;
    bool projectOpen_ = false;
    std::unique_ptr<CalcFile> current_;
    ReferenceBooks books_;
    ReferenceBooks booksAsRead_;
    bool booksRead_ = false;  // a file that failed to read is never written over
    MruList recentFiles_, recentProjects_;
    ChildWindowList windows_;
    QFileSystemWatcher watcher_;
    QPointer<QWidget> dialogParent_;
};

}  // namespace phonotab
