// The open project and the rules that keep it: new, open, save and save as
// with the offer to save a modified project first, the current file and its
// loading, the working folder, the recent lists, the reference books' write
// back, and the one entry point through which every edit of the current file
// or the project goes. The desktop's session adapter and the batch tool both
// drive it; it asks through DocumentPrompts and tells the windows through
// notices.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/acoustics/CalculateFile.h"
#include "core/base/Result.h"
#include "core/project/DocumentNotice.h"
#include "core/project/DocumentPrompts.h"
#include "core/project/DocumentWindows.h"
#include "core/project/EditHistory.h"
#include "core/project/MruList.h"
#include "core/project/ProjectState.h"
#include "core/project/RecalculateProject.h"
#include "core/project/ReferenceBooks.h"
#include "core/tables/OpenTables.h"

namespace phonotab {

class DocumentController {
public:
    using Listener = std::function<void(DocumentNotice)>;

    explicit DocumentController(DocumentPrompts& prompts);
    ~DocumentController();
    DocumentController(const DocumentController&) = delete;
    DocumentController& operator=(const DocumentController&) = delete;

    // The child windows, when there are any (the batch tool has none).
    void setWindows(DocumentWindows* windows) { windows_ = windows; }
    // Who hears the notices (the desktop's session adapter).
    void setListener(Listener listener) { listener_ = std::move(listener); }

    const ProjectState& state() const { return state_; }
    bool modified() const { return modified_; }
    // The colour choosers' custom colours until a project brings its own
    // (the desktop gives the face colour of its buttons, as 0x00BBGGRR).
    void setDefaultCustomColour(std::uint32_t colour) { state_.customColours.fill(colour); }
    // The open project's file; empty for a project never saved.
    const std::string& projectPath() const { return projectPath_; }
    // Set once a project was made, opened or saved: the project commands need it.
    bool projectOpen() const { return projectOpen_; }
    // The current file open for calculation; null while none is.
    const CalcFile* currentFile() const { return current_.get(); }
    ReferenceBooks& referenceBooks() { return books_; }
    // The report tables open in windows (free-standing or in the report
    // window): a cell block on the clipboard names its table here, and the
    // project's recalculation fills their bindings.
    OpenTables& openTables() { return openTables_; }
    // The telemetry description the program read (parameter names of hints).
    const TeleDesc& teleDescription() const;
    MruList& recentFiles() { return recentFiles_; }
    MruList& recentProjects() { return recentProjects_; }
    // The working folder on this system ('/'-terminated; empty while none
    // was chosen) and whether it exists.
    std::string localWorkingFolder() const;
    bool workingFolderOpen() const { return folderOpen_; }
    // The main window's title.
    std::string title() const;

    // Start-up: the telemetry description (message 403 when it cannot be
    // read: no data file can then be recognised), the reference books (a file
    // that cannot be read is shown to the user to mend and never written over
    // until the next start), the working folder.
    bool loadTelemetryDescription(const std::string& path);
    void loadReferenceBooks(const std::string& path);
    void startInFolder(const std::string& localFolder);

    // The project commands; each returns whether it was carried out. A
    // modified open project is offered for saving before another replaces it.
    bool newProject();
    bool openProject();  // asks for the file
    bool loadProject(const std::string& path);
    bool openRecentProject(int position);
    bool saveProject();  // asks for a file only when the project has none
    bool saveProjectAs();
    bool changeWorkingFolder();
    // Reads a project into the controller without opening its current file,
    // its working folder or its windows (the batch tool); the open project
    // stays as it was when the file fails.
    Status readProject(const std::string& path);
    // Writes the project as it stands to the path (atomically, keeping the
    // file's permissions) and makes it the project's file.
    Status saveProjectTo(const std::string& path);

    // The data-file commands: the file dialog, a path, a recent file, an
    // entry of the project's file list.
    bool chooseAndOpenDataFile();
    bool openDataFile(const std::string& path);
    bool openRecentFile(int position);
    bool openProjectEntry(int index);

    // Calculates the current file (results into the working folder) as long
    // work; the messages are shown afterwards.
    CalcReport calculateCurrentFile();
    // Loads the series of the current file's entries that have none, as long
    // work, for the plots: nothing is computed and the project is not modified.
    // A stop gives msg::Cancelled and leaves the entries without series.
    Status loadPlotSeries();
    // Recalculates the project's files (as long work): results written, the
    // tables' bound values filled, the project modified.
    RecalcReport recalculateProject(RecalcRequest request);

    // The one way to change the current file: the change is applied to the
    // calculation state, stored into the project's current-file entry, the
    // project is marked modified and the notice sent. A failing change
    // changes nothing; without a current file the answer is 392.
    Status editCurrentFile(const std::function<Status(CalcFile&)>& change, DocumentNotice notice);
    // Takes back the last edit of the current file (or makes it again): the
    // file's state goes back, is stored into the entry, the project is
    // modified and the edit's notice sent. False when there is nothing to
    // take back; opening another file forgets the steps.
    bool undoCurrentFileEdit();
    bool redoCurrentFileEdit();
    bool canUndoCurrentFileEdit() const { return history_.canUndo(); }
    bool canRedoCurrentFileEdit() const { return history_.canRedo(); }
    // The one way to change the project's own fields (files, tables, texts,
    // options): applied, marked modified, the notice sent.
    void editProject(const std::function<void(ProjectState&)>& change, DocumentNotice notice);
    // The reference-book editors. A book renamed takes its "#book#index"
    // formulas with it (the project is then modified; 5101 when the name is
    // taken, false when there was nothing to rename); after an edit of a
    // book's records the tables that read it recalculate.
    Result<bool> renameReferenceBook(const std::string& oldName, const std::string& newName);
    void referenceBookEdited(const std::string& book);
    // Sends a notice without a change (a window's view changed).
    void notify(DocumentNotice notice) const;

    // Closing the program: the windows put their edits into the project and
    // a modified project is offered for saving. False keeps the program running.
    bool confirmClose();
    // After the main window closed: the project is cleared and the reference
    // books are written back when they changed.
    void shutdown();

private:
    bool offerToSave();
    void clearProject(ClearForm form);
    void captureCurrentFile();
    // After an undo or redo step of the current file: stored, modified, announced.
    bool afterHistoryStep(std::optional<DocumentNotice> notice);
    bool openWorkingFolder(bool reportMissing);
    bool loadCurrentFile(const std::string& localPath);
    std::string askProjectPath(bool forSaving);
    bool writeProject(const std::string& path, bool asked);
    void saveReferenceBooks();

    DocumentPrompts& prompts_;
    DocumentWindows* windows_ = nullptr;
    Listener listener_;
    ProjectState state_;
    bool modified_ = false;  // changed since it was last read or saved
    std::string projectPath_;
    bool projectOpen_ = false;
    bool folderOpen_ = false;
    std::unique_ptr<CalcFile> current_;
    EditHistory history_;
    ReferenceBooks books_, booksAsRead_;
    std::string booksPath_;
    bool booksRead_ = false;  // a file that failed to read is never written over
    MruList recentFiles_, recentProjects_;
    OpenTables openTables_;
};

}  // namespace phonotab
