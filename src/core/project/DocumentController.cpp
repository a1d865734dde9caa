#include "core/project/DocumentController.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/measurement/Catalogue.h"
#include "core/acoustics/ParameterTable.h"
#include "core/project/EntryCalculation.h"
#include "core/project/MainWindowTitle.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectFiles.h"
#include "core/project/ProjectPaths.h"
#include "core/project/ProjectRenames.h"
#include "core/project/ReportTableList.h"
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
    f.instrument = instrumentName(teleDesc_, current_->file.instrumentCode);
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
    teleDesc_ = std::move(*desc);
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
    (void)changeProject(Folder, [&](ProjectState& p) {
        p.workingFolder = storedWorkingFolder(folder);
        return Status{};
    });
    // The folder is opened (and a missing one reported) even when it stays the same.
    openWorkingFolder(true);
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
        opened.emplace(openEntry(entry, localPath, teleDesc_, uncorrected, progress));
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
        report = CalculateFile(*current_, teleDesc_, req);
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

RecalcReport DocumentController::recalculateProject(RecalcRequest request) {
    captureCurrentFile();
    if (request.projectFile.empty()) request.projectFile = projectPath_;
    RecalcReport report;
    if (Status s = checkSharedResultFile(state_, request); !s) {
        report.messages.push_back(s.error());
        return report;
    }
    const ProjectState before = state_;
    prompts_.runLong(Message(text::Calculating), [&](const Progress& progress) {
        request.progress = progress;
        request.openTables = openTables_.all();
        report = RecalculateProject(state_, teleDesc_, request);
    });
    if (!report.cancelled) {
        modified_ = true;
        // The tables' new values are one step: undoing it gives the values they had.
        const ProjectState after = state_;
        history_.record(ProjectCommand{[this, before] { putParts(before, Tables | FileList); },
                                       [this, after] { putParts(after, Tables | FileList); },
                                       {DocumentNotice::SyncFromProject}});
    }
    notify(DocumentNotice::FolderChanged);
    notify(DocumentNotice::SyncFromProject);  // the tables show their new values
    notify(DocumentNotice::StateChanged);
    return report;
}

// ---- edits ------------------------------------------------------------------------------

namespace {

bool sameStoredProject(const ProjectState& a, const ProjectState& b) { return WriteProject(a) == WriteProject(b); }

}  // namespace

void DocumentController::putParts(const ProjectState& from, unsigned parts) {
    if (parts & FileList) {
        state_.files = from.files;
        state_.currentIndex = from.currentIndex;
    }
    if (parts & CurrentEntry) {
        state_.currentFile = from.currentFile;
        state_.serialNumber = from.serialNumber;
    }
    if (parts & ReportTexts) state_.reportTexts = from.reportTexts;
    if (parts & Tables) state_.tables = from.tables;
    if (parts & Illustrations) state_.illustrations = from.illustrations;
    if (parts & Colours) state_.customColours = from.customColours;
    if (parts & Options) {
        state_.groupByParameter = from.groupByParameter;
        state_.includeExclusionsUncorrected = from.includeExclusionsUncorrected;
        state_.noLeqTime = from.noLeqTime;
        state_.csvResults = from.csvResults;
        state_.singleResultFile = from.singleResultFile;
    }
    if (parts & Folder) {
        state_.workingFolder = from.workingFolder;
        openWorkingFolder(false);
    }
}

Status DocumentController::changeProject(unsigned parts, const std::function<Status(ProjectState&)>& change,
                                         std::vector<DocumentNotice> notices, bool always) {
    // The change works on a copy: a refusal leaves the project as it was.
    ProjectState next = state_;
    const Status status = change(next);
    if (!(always && status) && sameStoredProject(next, state_)) return status;
    const ProjectState before = state_;
    putParts(next, parts);
    modified_ = true;
    // Undone or redone, the windows that show the project take it again.
    std::vector<DocumentNotice> stepNotices = notices;
    if (std::find(notices.begin(), notices.end(), DocumentNotice::SyncFromProject) == notices.end())
        stepNotices.push_back(DocumentNotice::SyncFromProject);
    history_.record(ProjectCommand{[this, before, parts] { putParts(before, parts); },
                                   [this, next = std::move(next), parts] { putParts(next, parts); }, stepNotices});
    for (DocumentNotice n : notices) notify(n);
    if (std::find(notices.begin(), notices.end(), DocumentNotice::StateChanged) == notices.end())
        notify(DocumentNotice::StateChanged);
    return status;
}

Status DocumentController::changeCurrentFile(DocumentNotice notice, const std::function<Status(CalcFile&)>& change) {
    if (!current_) return Message(msg::NoSourceData);
    // The file's series can be large: the change works in place, and a
    // refused change is put back from the snapshot.
    const CurrentFileSnapshot before = CurrentFileSnapshot::of(*current_);
    const ProjectFileEntry entryBefore = state_.currentFile;
    const std::int32_t serialBefore = state_.serialNumber;
    ProjectFileEntry storedBefore = entryBefore;
    storeSettings(*current_, storedBefore);
    if (Status s = change(*current_); !s) {
        before.restoreInto(*current_);
        return s;
    }
    storeSettings(*current_, state_.currentFile);
    // An edit that leaves what the project stores of the file as it was
    // (the same bounds typed again) is no change.
    if (state_.currentFile == storedBefore) {
        state_.currentFile = entryBefore;
        return {};
    }
    const CurrentFileSnapshot after = CurrentFileSnapshot::of(*current_);
    const ProjectFileEntry entryAfter = state_.currentFile;
    modified_ = true;
    auto put = [this](const CurrentFileSnapshot& file, const ProjectFileEntry& entry, std::int32_t serial) {
        if (current_) file.restoreInto(*current_);
        state_.currentFile = entry;
        state_.serialNumber = serial;
    };
    const std::int32_t serial = state_.serialNumber;
    history_.record(ProjectCommand{[=] { put(before, entryBefore, serialBefore); },
                                   [=] { put(after, entryAfter, serial); }, {notice}});
    notify(notice);
    notify(DocumentNotice::StateChanged);
    return {};
}

bool DocumentController::undo() {
    const ProjectCommand* command = history_.undo();
    afterHistoryStep(command);
    return command != nullptr;
}

bool DocumentController::redo() {
    const ProjectCommand* command = history_.redo();
    afterHistoryStep(command);
    return command != nullptr;
}

void DocumentController::afterHistoryStep(const ProjectCommand* command) {
    if (!command) return;
    modified_ = true;
    for (DocumentNotice n : command->notices) notify(n);
    notify(DocumentNotice::StateChanged);
}

// ---- the project's file list ---------------------------------------------------------

Status DocumentController::addFiles(AddFilesRequest request) {
    request.workingFolder = state_.workingFolder;
    return changeProject(FileList, [&](ProjectState& p) { return phonotab::addFiles(p, request, teleDesc_); });
}

Status DocumentController::substituteFiles(const std::vector<int>& selected, const std::vector<std::string>& paths) {
    // The open file's settings go into its entry first: it is reopened from the entry.
    return changeProject(FileList, [&](ProjectState& p) {
        copyCurrentSettingsBack(p);
        return phonotab::substituteFiles(p, selected, paths, p.workingFolder);
    });
}

Status DocumentController::copyEntry(int index, const std::string& name) {
    return changeProject(FileList, [&](ProjectState& p) { return phonotab::copyEntry(p, index, name); });
}

Status DocumentController::removeEntries(const std::vector<int>& indices) {
    return changeProject(FileList, [&](ProjectState& p) {
        phonotab::removeEntries(p, indices);
        return Status{};
    });
}

Status DocumentController::moveEntry(int index, int direction) {
    return changeProject(FileList, [&](ProjectState& p) {
        const int target = index + direction;
        if (index >= 0 && target >= 0 && target < static_cast<int>(p.files.size())) phonotab::moveEntry(p, index, direction);
        return Status{};
    });
}

Status DocumentController::renameEntry(int index, const std::string& name) {
    if (index < 0 || static_cast<std::size_t>(index) >= state_.files.size()) return {};
    const std::string old = state_.files[static_cast<std::size_t>(index)].referenceName;
    if (name == old) return {};
    return changeProject(
        FileList | Tables,
        [&](ProjectState& p) {
            Status s = phonotab::renameEntry(p, index, name);
            if (s) renameSourceUses(p, old, name);
            return s;
        },
        {DocumentNotice::SyncFromProject});
}

Status DocumentController::giveCurrentSettings(const std::vector<int>& selected) {
    return changeProject(FileList, [&](ProjectState& p) { return phonotab::giveCurrentSettings(p, selected); });
}

// ---- the report ----------------------------------------------------------------------------

Status DocumentController::setReportTexts(const std::vector<std::pair<std::size_t, std::string>>& texts) {
    for (const auto& [i, t] : texts)
        if (i >= state_.reportTexts.size()) return Message(msg::NotANumber);
    return changeProject(ReportTexts, [&](ProjectState& p) {
        for (const auto& [i, t] : texts) p.reportTexts[i] = t;
        return Status{};
    });
}

Status DocumentController::addReportTable(ReportTable table) {
    return changeProject(Tables, [&](ProjectState& p) {
        ProjectTable t;
        t.table = std::move(table);
        p.tables.push_back(std::move(t));
        return Status{};
    });
}

Status DocumentController::swapReportTables(std::size_t a, std::size_t b) {
    return changeProject(Tables | Illustrations, [&](ProjectState& p) {
        (void)SwapReportTables(p, a, b);
        return Status{};
    });
}

Status DocumentController::removeReportTable(std::size_t index) {
    return changeProject(Tables | Illustrations, [&](ProjectState& p) {
        (void)RemoveReportTable(p, index);
        return Status{};
    });
}

Status DocumentController::replaceReportTable(std::size_t index, ReportTable table) {
    if (index >= state_.tables.size()) return Message(msg::NotANumber);
    return changeProject(
        Tables,
        [&](ProjectState& p) {
            p.tables[index].table = std::move(table);
            return Status{};
        },
        {DocumentNotice::StateChanged}, true);
}

Status DocumentController::addIllustration(Illustration illustration) {
    return changeProject(Illustrations, [&](ProjectState& p) {
        if (illustration.table && *illustration.table >= p.tables.size()) return Status(Message(msg::NotANumber));
        p.illustrations.push_back(std::move(illustration));
        return Status{};
    });
}

Status DocumentController::moveIllustration(std::size_t index, int direction) {
    return changeProject(Illustrations, [&](ProjectState& p) {
        const std::size_t target = index + static_cast<std::size_t>(static_cast<std::ptrdiff_t>(direction));
        if (index < p.illustrations.size() && target < p.illustrations.size())
            std::swap(p.illustrations[index], p.illustrations[target]);
        return Status{};
    });
}

Status DocumentController::removeIllustration(std::size_t index) {
    return changeProject(Illustrations, [&](ProjectState& p) {
        if (index < p.illustrations.size()) p.illustrations.erase(p.illustrations.begin() + static_cast<std::ptrdiff_t>(index));
        return Status{};
    });
}

Status DocumentController::setIllustrationCaption(std::size_t index, const std::string& caption) {
    return changeProject(Illustrations, [&](ProjectState& p) {
        if (index < p.illustrations.size()) p.illustrations[index].caption = caption;
        return Status{};
    });
}

// ---- options ---------------------------------------------------------------------------------

Status DocumentController::setCustomColours(const std::array<std::uint32_t, 16>& colours) {
    return changeProject(
        Colours,
        [&](ProjectState& p) {
            p.customColours = colours;
            return Status{};
        },
        {DocumentNotice::ViewChanged});
}

Status DocumentController::setCalculationOptions(const CalculationOptions& o) {
    // The project's options and the current file's settings make one step.
    const ProjectState projectBefore = state_;
    std::optional<CurrentFileSnapshot> fileBefore;
    if (current_) fileBefore = CurrentFileSnapshot::of(*current_);
    ProjectState next = state_;
    next.groupByParameter = o.grouped;
    next.includeExclusionsUncorrected = o.includeExclusionsUncorrected;
    next.noLeqTime = o.noLeqTime;
    next.csvResults = o.csv;
    next.singleResultFile = o.singleFile;
    putParts(next, Options);
    if (current_) {
        current_->settings.scanInterval = o.scanInterval;
        current_->settings.scanStep = o.scanStep;
        current_->settings.includeExclusionsUncorrected = o.includeExclusionsUncorrected;
        storeSettings(*current_, state_.currentFile);
    }
    if (sameStoredProject(projectBefore, state_)) return {};
    const ProjectState projectAfter = state_;
    std::optional<CurrentFileSnapshot> fileAfter;
    if (current_) fileAfter = CurrentFileSnapshot::of(*current_);
    auto put = [this](const ProjectState& p, const std::optional<CurrentFileSnapshot>& f) {
        putParts(p, Options | CurrentEntry);
        if (f && current_) f->restoreInto(*current_);
    };
    modified_ = true;
    const std::vector<DocumentNotice> notices{DocumentNotice::ViewChanged, DocumentNotice::PlotContentChanged};
    history_.record(ProjectCommand{[=] { put(projectBefore, fileBefore); }, [=] { put(projectAfter, fileAfter); },
                                   notices});
    for (DocumentNotice n : notices) notify(n);
    notify(DocumentNotice::StateChanged);
    return {};
}

void DocumentController::windowStateChanged() {
    modified_ = true;
    notify(DocumentNotice::StateChanged);
}

// ---- the current file -------------------------------------------------------------------------

namespace {

Status zoneExists(const CalcFile& cf, std::size_t zone) {
    return zone < cf.ranges.zoneCount() ? Status{} : Status(Message(msg::NotANumber));
}

DocumentNotice zoneNotice(const CalcFile* cf, std::size_t zone) {
    // Exclusions change what is counted; corrections only the values.
    return cf && zone < cf->ranges.zoneCount() && cf->ranges.zone(zone).exclusion == 0 ? DocumentNotice::PlotContentChanged
                                                                                      : DocumentNotice::WorkRangeChanged;
}

Status entryExists(const CalcFile& cf, std::size_t row) {
    return row < cf.entries.size() ? Status{} : Status(Message(msg::NotANumber));
}

}  // namespace

Status DocumentController::setWorkRange(std::int64_t firstSample, std::int64_t lastSample) {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged, [&](CalcFile& cf) {
        SetWorkRange(cf.settings, cf.ranges, firstSample, lastSample);
        return Status{};
    });
}

Status DocumentController::setWorkRangeTimes(double begin, double end) {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged, [&](CalcFile& cf) {
        setWorkRangeFromTimes(cf.settings, cf.ranges, begin, end);
        return Status{};
    });
}

Status DocumentController::setWorkRangeSeconds(const TimePlotContent& content, double begin, double end) {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged, [&](CalcFile& cf) {
        return setWorkRangeFromSeconds(cf.settings, cf.ranges, content, SecondsRange{begin, end});
    });
}

Status DocumentController::addExclusionZone(double begin, double end) {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged,
                             [&](CalcFile& cf) { return cf.ranges.AddExclusionZone(begin, end); });
}

Status DocumentController::addCorrectionZone(double begin, double end, const Corrections& corrections) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged,
                             [&](CalcFile& cf) { return cf.ranges.AddCorrectionZone(begin, end, corrections); });
}

Status DocumentController::invertExclusionZones() {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged, [](CalcFile& cf) {
        cf.ranges.invertExclusionZones();
        return Status{};
    });
}

Status DocumentController::setZoneBounds(std::size_t zone, double begin, double end) {
    return changeCurrentFile(zoneNotice(current_.get(), zone), [&](CalcFile& cf) {
        Status s = zoneExists(cf, zone);
        if (s) cf.ranges.setZoneBounds(zone, begin, end);
        return s;
    });
}

Status DocumentController::setZoneCorrections(std::size_t zone, const Corrections& corrections) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        Status s = zoneExists(cf, zone);
        if (s) cf.ranges.setZoneCorrections(zone, corrections);
        return s;
    });
}

Status DocumentController::removeZone(std::size_t zone) {
    return changeCurrentFile(zoneNotice(current_.get(), zone), [&](CalcFile& cf) {
        Status s = zoneExists(cf, zone);
        if (s) cf.ranges.removeZone(zone);
        return s;
    });
}

Status DocumentController::convertToExclusion(std::size_t zone) {
    return changeCurrentFile(DocumentNotice::WorkRangeChanged, [&](CalcFile& cf) {
        Status s = zoneExists(cf, zone);
        if (s) cf.ranges.convertToExclusion(zone);
        return s;
    });
}

Status DocumentController::convertToCorrection(std::size_t zone, const Corrections& corrections) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        Status s = zoneExists(cf, zone);
        if (s) cf.ranges.convertToCorrection(zone, corrections);
        return s;
    });
}

Status DocumentController::addParameterEntry(const ParameterEntry& entry) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        cf.entries.push_back(entry);
        return Status{};
    });
}

Status DocumentController::removeParameterEntry(std::size_t row) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        Status s = entryExists(cf, row);
        if (s) cf.entries.erase(cf.entries.begin() + static_cast<std::ptrdiff_t>(row));
        return s;
    });
}

Status DocumentController::toggleParameterFlag(std::size_t row, int column) {
    if (!current_) return Message(msg::NoSourceData);
    // Only a real change is a step.
    std::vector<ParameterEntry> probe = current_->entries;
    if (!phonotab::toggleParameterFlag(probe, row, column, current_->settings.histogramMode)) return {};
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        (void)phonotab::toggleParameterFlag(cf.entries, row, column, cf.settings.histogramMode);
        return Status{};
    });
}

Status DocumentController::setParameterColour(std::size_t row, std::uint32_t colour) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        Status s = entryExists(cf, row);
        if (s) cf.entries[row].colour = colour;
        return s;
    });
}

Status DocumentController::setParameterName(std::size_t row, const std::string& name) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        Status s = entryExists(cf, row);
        if (s) cf.entries[row].displayName = name;
        return s;
    });
}

Status DocumentController::setScanning(bool on) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        cf.settings.scanning = on;
        return Status{};
    });
}

Status DocumentController::setHistogramSettings(const HistogramSettings& settings) {
    return changeCurrentFile(DocumentNotice::PlotContentChanged, [&](CalcFile& cf) {
        cf.settings.histogram = settings;
        return Status{};
    });
}

// ---- reference books -------------------------------------------------------------------------

Result<bool> DocumentController::renameReferenceBook(const std::string& oldName, const std::string& newName) {
    Result<bool> renamed = books_.renameBook(oldName, newName);
    if (!renamed || !*renamed) return renamed;
    const std::string stored = referenceBookName(newName);
    if (stored == oldName) return renamed;
    const ProjectState before = state_;
    if (bookUses(state_, oldName) > 0) {
        renameBookUses(state_, oldName, stored);
        modified_ = true;
    }
    const ProjectState after = state_;
    // Undone, the book takes its old name back and its formulas with it.
    history_.record(ProjectCommand{[this, before, oldName, stored] {
                                       (void)books_.renameBook(stored, oldName);
                                       putParts(before, Tables);
                                   },
                                   [this, after, oldName, stored] {
                                       (void)books_.renameBook(oldName, stored);
                                       putParts(after, Tables);
                                   },
                                   {DocumentNotice::SyncFromProject}});
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
