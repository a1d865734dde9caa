#include "core/project/DocumentController.h"

#include <filesystem>
#include <optional>

#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/measurement/Catalogue.h"
#include "core/project/EntryCalculation.h"
#include "core/project/MainWindowTitle.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectFiles.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ProjectRenames.h"
#include "core/project/ReferenceBookFile.h"
#include "core/project/WorkingFolder.h"

namespace phonotab {

namespace {
std::string absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? path : p.string();
}

std::string currentFolder() {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::current_path(ec);
    return ec ? std::string() : p.string();
}

}  // namespace

DocumentController::DocumentController(DocumentPrompts& prompts) : prompts_(prompts) {}

DocumentController::~DocumentController() = default;

void DocumentController::notify(DocumentNotice notice) const {
    if (listener_) listener_(notice);
}

std::string DocumentController::localWorkingFolder() const { return phonotab::localWorkingFolder(state_.workingFolder); }

std::string DocumentController::title() const {
    if (!current_) return mainWindowTitle(projectPath_, nullptr);
    TitleFile f;
    f.path = state_.currentFile.path;
    f.instrument = instrumentName(currentTeleDesc(), current_->file.instrumentCode);
    f.serialNumber = static_cast<std::uint32_t>(state_.serialNumber);
    return mainWindowTitle(projectPath_, &f);
}

// ---- start-up ---------------------------------------------------------------

bool DocumentController::loadTelemetryDescription(const std::string& path) {
    Result<TeleDesc> desc = loadTeleDesc(path, tr(text::LanguageName));
    if (!desc) {
        prompts_.showMessage(desc.error());
        return false;
    }
    setCurrentTeleDesc(std::move(*desc));
    return true;
}

void DocumentController::loadReferenceBooks(const std::string& path) {
    booksPath_ = path;
    booksRead_ = false;
    if (Status s = LoadReferenceBooks(path, books_); !s) {
        // The user corrects the file in the desktop's editor; until the next
        // start it is never written over with what could be read.
        prompts_.showMessage(s.error());
        prompts_.openExternally(path);
        return;
    }
    booksRead_ = true;
    booksAsRead_ = books_;
}

void DocumentController::saveReferenceBooks() {
    if (!booksRead_ || books_ == booksAsRead_) return;
    // A file that cannot be written is skipped silently: the program is closing.
    (void)SaveReferenceBooks(booksPath_, books_);
    booksAsRead_ = books_;
}

void DocumentController::startInFolder(const std::string& localFolder) {
    state_.workingFolder = storedWorkingFolder(localFolder);
    openWorkingFolder(false);
}

// ---- the working folder ------------------------------------------------------

bool DocumentController::openWorkingFolder(bool reportMissing) {
    const std::string local = localWorkingFolder();
    std::error_code ec;
    folderOpen_ = !local.empty() && std::filesystem::is_directory(local, ec);
    if (folderOpen_) {
        // Relative paths of the user's commands resolve in the working folder.
        std::filesystem::current_path(local, ec);
    } else if (reportMissing) {
        prompts_.showMessage(Message(msg::FolderMissing));
    }
    notify(DocumentNotice::WorkingFolderChanged);
    notify(DocumentNotice::FolderChanged);
    return folderOpen_;
}

bool DocumentController::changeWorkingFolder() {
    const std::string folder = prompts_.chooseFolder(localWorkingFolder());
    if (folder.empty()) return false;
    state_.workingFolder = storedWorkingFolder(folder);
    openWorkingFolder(true);
    modified_ = true;
    notify(DocumentNotice::StateChanged);
    return true;
}

// ---- clearing ------------------------------------------------------------------

void DocumentController::captureCurrentFile() {
    if (current_) storeSettings(*current_, state_.currentFile);
}

void DocumentController::clearProject(ClearForm form) {
    captureCurrentFile();
    if (windows_) windows_->closeWindows(form);
    phonotab::clearProject(state_, form);
    current_.reset();
    history_.clear();
}

bool DocumentController::offerToSave() {
    notify(DocumentNotice::SyncToProject);
    if (!projectOpen_ || !modified_) return true;
    switch (prompts_.ask(Message(msg::ProjectChanged), true)) {
        case DocumentPrompts::Answer::Yes: return saveProject();
        case DocumentPrompts::Answer::No: return true;
        case DocumentPrompts::Answer::Cancel: break;
    }
    return false;
}

// ---- project commands --------------------------------------------------------------

bool DocumentController::newProject() {
    if (!offerToSave()) return false;
    clearProject(ClearForm::Full);
    projectPath_.clear();
    state_.files.clear();
    state_.currentFile = ProjectFileEntry{};
    state_.serialNumber = -1;
    state_.currentIndex = -1;  // no entry is current in an empty list
    state_.illustrations.clear();
    modified_ = false;
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);

    const std::string folder = prompts_.chooseFolder(localWorkingFolder());
    if (folder.empty()) return false;
    state_.workingFolder = storedWorkingFolder(folder);
    openWorkingFolder(true);
    projectOpen_ = true;
    notify(DocumentNotice::StateChanged);
    return true;
}

std::string DocumentController::askProjectPath(bool forSaving) {
    if (!forSaving) return prompts_.chooseFile(DocumentPrompts::FileQuestion::OpenProject, currentFolder());
    return prompts_.chooseFile(DocumentPrompts::FileQuestion::SaveProjectAs,
                               projectPath_.empty() ? currentFolder() : projectPath_);
}

bool DocumentController::openProject() {
    if (!offerToSave()) return false;
    const std::string path = askProjectPath(false);
    return !path.empty() && loadProject(path);
}

bool DocumentController::openRecentProject(int position) {
    if (position < 0) return false;
    const std::string path = recentProjects_.at(static_cast<std::size_t>(position));
    if (path.empty()) return false;
    if (!offerToSave()) return false;
    return loadProject(path);
}

Status DocumentController::readProject(const std::string& givenPath) {
    const std::string path = absolute(givenPath);
    // The file is read into a fresh state: a file that fails leaves the open
    // project as it was.
    Result<ProjectState> loaded = LoadProject(path, state_);
    if (!loaded) return loaded.error();
    current_.reset();
    history_.clear();
    state_ = std::move(*loaded);
    projectPath_ = path;
    modified_ = false;
    projectOpen_ = true;
    return {};
}

bool DocumentController::loadProject(const std::string& givenPath) {
    const std::string path = absolute(givenPath);
    notify(DocumentNotice::SyncToProject);
    captureCurrentFile();
    copyCurrentSettingsBack(state_);
    Result<ProjectState> loaded = LoadProject(path, state_);
    if (!loaded) {
        prompts_.showMessage(loaded.error());
        return false;
    }
    clearProject(ClearForm::Full);
    state_ = std::move(*loaded);
    const std::vector<WindowRecord> stored = state_.windows;
    projectPath_ = path;
    openWorkingFolder(true);
    const ProjectFileEntry& c = state_.currentFile;
    if (!c.path.empty() && c.fileType != 0) loadCurrentFile(storedPathToLocal(c.path, localWorkingFolder()));
    if (windows_) {
        windows_->restoreWindows(stored);
        // The report window holds the title-page texts and the tables of every
        // project that has them.
        if (state_.version > 17 && !windows_->hasWindow(WindowKind::Report)) windows_->showWindow(WindowKind::Report);
    }
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::SyncFromProject);
    modified_ = false;
    projectOpen_ = true;
    recentProjects_.add(path);
    notify(DocumentNotice::StateChanged);
    return true;
}

bool DocumentController::saveProject() {
    if (projectPath_.empty()) return saveProjectAs();
    return writeProject(projectPath_, false);
}

bool DocumentController::saveProjectAs() {
    const std::string path = askProjectPath(true);
    return !path.empty() && writeProject(absolute(path), true);
}

Status DocumentController::saveProjectTo(const std::string& path) {
    if (Status s = SaveProject(state_, path); !s) return s;
    modified_ = false;
    projectPath_ = absolute(path);
    projectOpen_ = true;
    return {};
}

bool DocumentController::writeProject(const std::string& path, bool asked) {
    // What the windows and the current file hold goes into the project first.
    notify(DocumentNotice::SyncToProject);
    captureCurrentFile();
    copyCurrentSettingsBack(state_);
    if (windows_) state_.windows = windows_->windowRecords();
    if (Status s = saveProjectTo(path); !s) {
        prompts_.showMessage(s.error());
        return false;
    }
    if (asked) recentProjects_.add(path);
    notify(DocumentNotice::StateChanged);
    return true;
}

// ---- the current file ----------------------------------------------------------

bool DocumentController::loadCurrentFile(const std::string& localPath) {
    const ProjectFileEntry entry = state_.currentFile;
    const bool uncorrected = state_.includeExclusionsUncorrected;
    std::optional<Result<CalcFile>> opened;
    prompts_.runLong(Message(text::OpeningFile, storedFileName(localPath)), [&](const Progress& progress) {
        opened.emplace(openEntry(entry, localPath, currentTeleDesc(), uncorrected, progress));
    });
    current_.reset();
    history_.clear();
    if (!opened || !*opened) {
        // A stop asked for by the user is no failure to report.
        if (opened && opened->error().id != msg::Cancelled) prompts_.showMessage(opened->error());
        state_.currentFile.fileType = 0;  // no current file
        return false;
    }
    current_ = std::make_unique<CalcFile>(std::move(opened->value()));
    history_.clear();
    state_.serialNumber = static_cast<std::int32_t>(current_->file.vin);
    return true;
}

bool DocumentController::chooseAndOpenDataFile() {
    const std::string path = prompts_.chooseFile(DocumentPrompts::FileQuestion::OpenDataFile, currentFolder());
    return !path.empty() && openDataFile(path);
}

bool DocumentController::openDataFile(const std::string& givenPath) {
    if (givenPath.empty()) return false;
    const std::string path = absolute(givenPath);
    clearProject(ClearForm::Partial);
    ProjectFileEntry& c = state_.currentFile;
    c.path = toStoredPath(path);
    c.selections.clear();
    c.ranges.clear();
    c.rangeFirst = c.rangeCount = 0;  // the whole record of the new file
    c.workMode = FileWorkMode::Records;
    state_.currentIndex = -1;
    const bool ok = loadCurrentFile(path);
    if (ok) {
        c.fileType = current_->file.typeCode;
        c.instrumentCode = current_->file.instrumentCode;
        recentFiles_.add(path);
    }
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);
    return ok;
}

bool DocumentController::openRecentFile(int position) {
    if (position < 0) return false;
    const std::string path = recentFiles_.at(static_cast<std::size_t>(position));
    return !path.empty() && openDataFile(path);
}

bool DocumentController::openProjectEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= state_.files.size()) return false;
    clearProject(ClearForm::Partial);
    state_.currentFile = state_.files[static_cast<std::size_t>(index)];
    state_.currentIndex = index;
    const bool ok = loadCurrentFile(storedPathToLocal(state_.currentFile.path, localWorkingFolder()));
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);
    return ok;
}

CalcReport DocumentController::calculateCurrentFile() {
    if (!current_) return {};
    CalcRequest req;
    req.options.csv = state_.csvResults;
    req.options.singleFile = state_.singleResultFile;
    req.options.grouped = state_.groupByParameter;
    req.options.noLeqTime = state_.noLeqTime;
    req.options.resultFolder = localWorkingFolder();
    req.options.baseName = std::filesystem::path(current_->file.path).stem().string();
    CalcReport report;
    prompts_.runLong(Message(text::Calculating), [&](const Progress& progress) {
        req.progress = progress;
        report = CalculateFile(*current_, currentTeleDesc(), req);
    });
    for (const Message& m : report.messages) prompts_.showMessage(m);
    notify(DocumentNotice::FolderChanged);
    return report;
}

Status DocumentController::loadPlotSeries() {
    if (!current_) return Message(msg::NoSourceData);
    Status status;
    prompts_.runLong(Message(text::ReadingPlotData), [&](const Progress& progress) {
        status = loadEntrySeries(*current_, progress);
    });
    return status;
}

const TeleDesc& DocumentController::teleDescription() const { return currentTeleDesc(); }

RecalcReport DocumentController::recalculateProject(RecalcRequest request) {
    captureCurrentFile();
    if (request.projectFile.empty()) request.projectFile = projectPath_;
    RecalcReport report;
    if (Status s = checkSharedResultFile(state_, request); !s) {
        report.messages.push_back(s.error());
        return report;
    }
    prompts_.runLong(Message(text::Calculating), [&](const Progress& progress) {
        request.progress = progress;
        request.openTables = openTables_.all();
        report = RecalculateProject(state_, currentTeleDesc(), request);
    });
    if (!report.cancelled) modified_ = true;
    notify(DocumentNotice::FolderChanged);
    notify(DocumentNotice::SyncFromProject);  // the tables show their new values
    notify(DocumentNotice::StateChanged);
    return report;
}

// ---- edits ------------------------------------------------------------------------------

Status DocumentController::editCurrentFile(const std::function<Status(CalcFile&)>& change, DocumentNotice notice) {
    if (!current_) return Message(msg::NoSourceData);
    // The file's series can be large: the change works in place, and a change
    // that fails must have changed nothing (the core's edits check first).
    history_.record(*current_, notice);
    if (Status s = change(*current_); !s) {
        history_.dropLast();
        return s;
    }
    storeSettings(*current_, state_.currentFile);
    modified_ = true;
    notify(notice);
    notify(DocumentNotice::StateChanged);
    return {};
}

bool DocumentController::undoCurrentFileEdit() { return current_ && afterHistoryStep(history_.undo(*current_)); }

bool DocumentController::redoCurrentFileEdit() { return current_ && afterHistoryStep(history_.redo(*current_)); }

bool DocumentController::afterHistoryStep(std::optional<DocumentNotice> notice) {
    if (!notice) return false;
    storeSettings(*current_, state_.currentFile);
    modified_ = true;
    notify(*notice);
    notify(DocumentNotice::StateChanged);
    return true;
}

void DocumentController::editProject(const std::function<void(ProjectState&)>& change, DocumentNotice notice) {
    change(state_);
    modified_ = true;
    notify(notice);
    notify(DocumentNotice::StateChanged);
}

Result<bool> DocumentController::renameReferenceBook(const std::string& oldName, const std::string& newName) {
    Result<bool> renamed = books_.renameBook(oldName, newName);
    if (!renamed || !*renamed) return renamed;
    const std::string stored = referenceBookName(newName);
    if (stored == oldName) return renamed;
    if (bookUses(state_, oldName) > 0) {
        renameBookUses(state_, oldName, stored);
        modified_ = true;
    }
    notify(DocumentNotice::SyncFromProject);
    notify(DocumentNotice::StateChanged);
    return renamed;
}

void DocumentController::referenceBookEdited(const std::string& book) {
    for (ProjectTable& t : state_.tables)
        for (const auto& [cell, f] : t.table.formulas)
            if (f.text.size() > book.size() + 1 && f.text[0] == '#' && f.text.compare(1, book.size(), book) == 0 &&
                f.text[book.size() + 1] == '#') {
                t.table.RequestRecalculation();
                break;
            }
    notify(DocumentNotice::SyncFromProject);
}

// ---- closing ---------------------------------------------------------------------------

bool DocumentController::confirmClose() { return offerToSave(); }

void DocumentController::shutdown() {
    clearProject(ClearForm::Full);
    saveReferenceBooks();
}

}  // namespace phonotab
