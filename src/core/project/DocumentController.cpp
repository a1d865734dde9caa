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
#include "core/project/PercentileBindings.h"
#include "core/project/ProjectRenames.h"
#include "core/project/ReportTableList.h"
#include "core/project/ReferenceBookFile.h"
#include "core/project/WorkingFolder.h"
#include "core/tables/formula/ShiftReferences.h"

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

std::string DocumentController::localWorkingFolder() const { return phonotab::localWorkingFolder(document_.state().workingFolder); }

std::string DocumentController::title() const {
    if (!currentFile_.file()) return mainWindowTitle(document_.path(), nullptr);
    TitleFile f;
    f.path = document_.state().currentFile.path;
    f.instrument = instrumentName(currentFile_.teleDescription(), currentFile_.file()->file.instrumentCode);
    f.serialNumber = static_cast<std::uint32_t>(document_.state().serialNumber);
    return mainWindowTitle(document_.path(), &f);
}

// ---- start-up ---------------------------------------------------------------

bool DocumentController::loadTelemetryDescription(const std::string& path) {
    if (Status s = currentFile_.loadTeleDescription(path, tr(text::LanguageName)); !s) {
        prompts_.showMessage(s.error());
        return false;
    }
    return true;
}

void DocumentController::loadReferenceBooks(const std::string& path) {
    if (Status s = books_.load(path); !s) {
        // The user corrects the file in the desktop's editor; until the next
        // start it is never written over with what could be read.
        prompts_.showMessage(s.error());
        prompts_.openExternally(path);
    }
}

void DocumentController::startInFolder(const std::string& localFolder) {
    document_.state().workingFolder = storedWorkingFolder(localFolder);
    openWorkingFolder(false);
}

// ---- the working folder ------------------------------------------------------

bool DocumentController::openWorkingFolder(bool reportMissing) {
    const bool open = folder_.open(localWorkingFolder());
    if (!open && reportMissing) prompts_.showMessage(Message(msg::FolderMissing));
    notify(DocumentNotice::WorkingFolderChanged);
    notify(DocumentNotice::FolderChanged);
    return open;
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
    if (currentFile_.file()) storeSettings(*currentFile_.file(), document_.state().currentFile);
}

void DocumentController::clearProject(ClearForm form) {
    captureCurrentFile();
    if (windows_) windows_->closeWindows(form);
    phonotab::clearProject(document_.state(), form);
    currentFile_.close();
    document_.history().clear();
}

bool DocumentController::offerToSave() {
    notify(DocumentNotice::SyncToProject);
    if (!document_.isOpen() || !document_.modified()) return true;
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
    document_.setPath({});
    document_.state().files.clear();
    document_.state().currentFile = ProjectFileEntry{};
    document_.state().serialNumber = -1;
    document_.state().currentIndex = -1;  // no entry is current in an empty list
    document_.state().illustrations.clear();
    document_.setModified(false);
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);

    const std::string folder = prompts_.chooseFolder(localWorkingFolder());
    if (folder.empty()) return false;
    document_.state().workingFolder = storedWorkingFolder(folder);
    openWorkingFolder(true);
    document_.setOpen(true);
    notify(DocumentNotice::StateChanged);
    return true;
}

std::string DocumentController::askProjectPath(bool forSaving) {
    if (!forSaving) return prompts_.chooseFile(DocumentPrompts::FileQuestion::OpenProject, currentFolder());
    return prompts_.chooseFile(DocumentPrompts::FileQuestion::SaveProjectAs,
                               document_.path().empty() ? currentFolder() : document_.path());
}

bool DocumentController::openProject() {
    if (!offerToSave()) return false;
    const std::string path = askProjectPath(false);
    return !path.empty() && loadProject(path);
}

bool DocumentController::openRecentProject(int position) {
    if (position < 0) return false;
    const std::string path = recent_.projects.at(static_cast<std::size_t>(position));
    if (path.empty()) return false;
    if (!offerToSave()) return false;
    return loadProject(path);
}

Status DocumentController::readProject(const std::string& givenPath) {
    const std::string path = absolute(givenPath);
    // The file is read into a fresh state: a file that fails leaves the open
    // project as it was.
    if (Status s = document_.read(path); !s) return s;
    currentFile_.close();
    return {};
}

bool DocumentController::loadProject(const std::string& givenPath) {
    const std::string path = absolute(givenPath);
    notify(DocumentNotice::SyncToProject);
    captureCurrentFile();
    copyCurrentSettingsBack(document_.state());
    Result<ProjectState> loaded = LoadProject(path, document_.state());
    if (!loaded) {
        prompts_.showMessage(loaded.error());
        return false;
    }
    clearProject(ClearForm::Full);
    document_.state() = std::move(*loaded);
    const std::vector<WindowRecord> stored = document_.state().windows;
    document_.setPath(path);
    // A relative working folder is the project's own (or below it); one that
    // does not exist here gives way to the project's folder (the title shows
    // it), and the user is told that the stored one was not found.
    const ProjectWorkingFolder folder = resolveProjectWorkingFolder(document_.state().workingFolder, path);
    if (folder.fellBack) prompts_.showMessage(Message(msg::FolderMissing));
    document_.state().workingFolder = folder.stored;
    openWorkingFolder(true);
    const ProjectFileEntry& c = document_.state().currentFile;
    if (!c.path.empty() && c.fileType != 0) loadCurrentFile(storedPathToLocal(c.path, localWorkingFolder()));
    if (windows_) {
        windows_->restoreWindows(stored);
        // The report window holds the title-page texts and the tables of every
        // project that has them.
        if (document_.state().version > 17 && !windows_->hasWindow(WindowKind::Report)) windows_->showWindow(WindowKind::Report);
    }
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::SyncFromProject);
    document_.setModified(false);
    document_.setOpen(true);
    recent_.projects.add(path);
    notify(DocumentNotice::StateChanged);
    return true;
}

bool DocumentController::saveProject() {
    if (document_.path().empty()) return saveProjectAs();
    return writeProject(document_.path(), false);
}

bool DocumentController::saveProjectAs() {
    const std::string path = askProjectPath(true);
    return !path.empty() && writeProject(absolute(path), true);
}

Status DocumentController::saveProjectTo(const std::string& path) {
    return document_.saveTo(path, absolute(path));
}

bool DocumentController::writeProject(const std::string& path, bool asked) {
    // What the windows and the current file hold goes into the project first.
    notify(DocumentNotice::SyncToProject);
    captureCurrentFile();
    copyCurrentSettingsBack(document_.state());
    if (windows_) document_.state().windows = windows_->windowRecords();
    if (Status s = saveProjectTo(path); !s) {
        prompts_.showMessage(s.error());
        return false;
    }
    if (asked) recent_.projects.add(path);
    notify(DocumentNotice::StateChanged);
    return true;
}

// ---- the current file ----------------------------------------------------------

bool DocumentController::loadCurrentFile(const std::string& localPath) {
    const ProjectFileEntry entry = document_.state().currentFile;
    const bool uncorrected = document_.state().includeExclusionsUncorrected;
    std::optional<Result<CalcFile>> opened;
    prompts_.runLong(Message(text::OpeningFile, storedFileName(localPath)), [&](const Progress& progress) {
        opened.emplace(currentFile_.read(entry, localPath, uncorrected, progress));
    });
    currentFile_.close();
    document_.history().clear();
    if (!opened || !*opened) {
        // A stop asked for by the user is no failure to report.
        if (opened && opened->error().id != msg::Cancelled) prompts_.showMessage(opened->error());
        document_.state().currentFile.fileType = 0;  // no current file
        return false;
    }
    currentFile_.open(std::move(opened->value()));
    document_.history().clear();
    document_.state().serialNumber = static_cast<std::int32_t>(currentFile_.file()->file.vin);
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
    ProjectFileEntry& c = document_.state().currentFile;
    c.path = toStoredPath(path);
    c.selections.clear();
    c.ranges.clear();
    c.rangeFirst = c.rangeCount = 0;  // the whole record of the new file
    c.workMode = FileWorkMode::Records;
    document_.state().currentIndex = -1;
    const bool ok = loadCurrentFile(path);
    if (ok) {
        c.fileType = currentFile_.file()->file.typeCode;
        c.instrumentCode = currentFile_.file()->file.instrumentCode;
        recent_.files.add(path);
    }
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);
    return ok;
}

bool DocumentController::openRecentFile(int position) {
    if (position < 0) return false;
    const std::string path = recent_.files.at(static_cast<std::size_t>(position));
    return !path.empty() && openDataFile(path);
}

bool DocumentController::openProjectEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= document_.state().files.size()) return false;
    clearProject(ClearForm::Partial);
    document_.state().currentFile = document_.state().files[static_cast<std::size_t>(index)];
    document_.state().currentIndex = index;
    const bool ok = loadCurrentFile(storedPathToLocal(document_.state().currentFile.path, localWorkingFolder()));
    notify(DocumentNotice::FileChanged);
    notify(DocumentNotice::StateChanged);
    return ok;
}

CalcReport DocumentController::calculateCurrentFile() {
    if (!currentFile_.file()) return {};
    CalcRequest req;
    req.options.csv = document_.state().csvResults;
    req.options.singleFile = document_.state().singleResultFile;
    req.options.grouped = document_.state().groupByParameter;
    req.options.noLeqTime = document_.state().noLeqTime;
    req.options.resultFolder = localWorkingFolder();
    req.options.baseName = std::filesystem::path(currentFile_.file()->file.path).stem().string();
    CalcReport report;
    prompts_.runLong(Message(text::Calculating), [&](const Progress& progress) {
        req.progress = progress;
        report = currentFile_.calculate(req);
    });
    for (const Message& m : report.messages) prompts_.showMessage(m);
    notify(DocumentNotice::FolderChanged);
    return report;
}

Status DocumentController::loadPlotSeries() {
    if (!currentFile_.file()) return Message(msg::NoSourceData);
    Status status;
    prompts_.runLong(Message(text::ReadingPlotData), [&](const Progress& progress) {
        status = currentFile_.loadSeries(progress);
    });
    return status;
}

RecalcReport DocumentController::recalculateProject(RecalcRequest request) {
    captureCurrentFile();
    if (request.projectFile.empty()) request.projectFile = document_.path();
    RecalcReport report;
    if (Status s = checkSharedResultFile(document_.state(), request); !s) {
        report.messages.push_back(s.error());
        return report;
    }
    const ProjectState before = document_.state();
    prompts_.runLong(Message(text::Calculating), [&](const Progress& progress) {
        request.progress = progress;
        request.openTables = openTables_.all();
        report = RecalculateProject(document_.state(), currentFile_.teleDescription(), request);
    });
    if (!report.cancelled) {
        document_.setModified(true);
        // The tables' new values are one step: undoing it gives the values they had.
        const ProjectState after = document_.state();
        document_.history().record(ProjectCommand{[this, before] { putParts(before, Tables | FileList); },
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
        document_.state().files = from.files;
        document_.state().currentIndex = from.currentIndex;
    }
    if (parts & CurrentEntry) {
        document_.state().currentFile = from.currentFile;
        document_.state().serialNumber = from.serialNumber;
    }
    if (parts & ReportTexts) document_.state().reportTexts = from.reportTexts;
    if (parts & Tables) document_.state().tables = from.tables;
    if (parts & Illustrations) document_.state().illustrations = from.illustrations;
    if (parts & Colours) document_.state().customColours = from.customColours;
    if (parts & Options) {
        document_.state().groupByParameter = from.groupByParameter;
        document_.state().includeExclusionsUncorrected = from.includeExclusionsUncorrected;
        document_.state().noLeqTime = from.noLeqTime;
        document_.state().csvResults = from.csvResults;
        document_.state().singleResultFile = from.singleResultFile;
    }
    if (parts & Folder) {
        document_.state().workingFolder = from.workingFolder;
        openWorkingFolder(false);
    }
}

Status DocumentController::changeProject(unsigned parts, const std::function<Status(ProjectState&)>& change,
                                         std::vector<DocumentNotice> notices, bool always) {
    // The change works on a copy: a refusal leaves the project as it was.
    ProjectState next = document_.state();
    const Status status = change(next);
    if (!(always && status) && sameStoredProject(next, document_.state())) return status;
    const ProjectState before = document_.state();
    putParts(next, parts);
    document_.setModified(true);
    // Undone or redone, the windows that show the project take it again.
    std::vector<DocumentNotice> stepNotices = notices;
    if (std::find(notices.begin(), notices.end(), DocumentNotice::SyncFromProject) == notices.end())
        stepNotices.push_back(DocumentNotice::SyncFromProject);
    document_.history().record(ProjectCommand{[this, before, parts] { putParts(before, parts); },
                                   [this, next = std::move(next), parts] { putParts(next, parts); }, stepNotices});
    for (DocumentNotice n : notices) notify(n);
    if (std::find(notices.begin(), notices.end(), DocumentNotice::StateChanged) == notices.end())
        notify(DocumentNotice::StateChanged);
    return status;
}

Status DocumentController::changeCurrentFile(DocumentNotice notice, const std::function<Status(CalcFile&)>& change,
                                             const TablesFollow& tablesFollow) {
    const bool projectFollows = static_cast<bool>(tablesFollow);
    if (!currentFile_.file()) return Message(msg::NoSourceData);
    // The file's series can be large: the change works in place, and a
    // refused change is put back from the snapshot.
    const CurrentFileSnapshot before = CurrentFileSnapshot::of(*currentFile_.file());
    const ProjectFileEntry entryBefore = document_.state().currentFile;
    ProjectFileEntry storedBefore = entryBefore;
    storeSettings(*currentFile_.file(), storedBefore);
    if (Status s = change(*currentFile_.file()); !s) {
        before.restoreInto(*currentFile_.file());
        return s;
    }
    storeSettings(*currentFile_.file(), document_.state().currentFile);
    // An edit that leaves what the project stores of the file as it was
    // (the same bounds typed again) is no change.
    if (document_.state().currentFile == storedBefore) {
        document_.state().currentFile = entryBefore;
        return {};
    }
    // The parts the step restores: the current file's entry, the project's
    // entry of the same file (which takes the new settings at once, so that
    // every reader of the project — the tables' data chooser, their hints,
    // the recalculation — sees what the windows show) and, when the edit
    // reaches them, the tables.
    const unsigned parts = CurrentEntry | FileList | (projectFollows ? Tables : 0u);
    // Only the parts the step restores are kept: a zone dragged across a plot
    // must not copy the project's tables at every step.
    auto keptParts = [this, parts] {
        const ProjectState& now = document_.state();
        ProjectState kept;
        kept.files = now.files;
        kept.currentIndex = now.currentIndex;
        kept.currentFile = now.currentFile;
        kept.serialNumber = now.serialNumber;
        if (parts & Tables) kept.tables = now.tables;
        return kept;
    };
    ProjectState projectBefore = keptParts();
    projectBefore.currentFile = entryBefore;
    copyCurrentSettingsBack(document_.state());
    if (projectFollows) tablesFollow(&document_.state(), true);
    const CurrentFileSnapshot after = CurrentFileSnapshot::of(*currentFile_.file());
    const ProjectState projectAfter = keptParts();
    document_.setModified(true);
    auto put = [this, parts, tablesFollow](const CurrentFileSnapshot& file, const ProjectState& project, bool forward) {
        if (currentFile_.file()) file.restoreInto(*currentFile_.file());
        putParts(project, parts);
        if (tablesFollow) tablesFollow(nullptr, forward);
    };
    std::vector<DocumentNotice> stepNotices{notice};
    if (projectFollows) stepNotices.push_back(DocumentNotice::SyncFromProject);
    document_.history().record(
        ProjectCommand{[=] { put(before, projectBefore, false); }, [=] { put(after, projectAfter, true); }, stepNotices});
    notify(notice);
    if (projectFollows) notify(DocumentNotice::SyncFromProject);
    notify(DocumentNotice::StateChanged);
    return {};
}

bool DocumentController::undo() {
    const ProjectCommand* command = document_.history().undo();
    afterHistoryStep(command);
    return command != nullptr;
}

bool DocumentController::redo() {
    const ProjectCommand* command = document_.history().redo();
    afterHistoryStep(command);
    return command != nullptr;
}

void DocumentController::afterHistoryStep(const ProjectCommand* command) {
    if (!command) return;
    document_.setModified(true);
    for (DocumentNotice n : command->notices) notify(n);
    notify(DocumentNotice::StateChanged);
}

// ---- the project's file list ---------------------------------------------------------

Status DocumentController::addFiles(AddFilesRequest request) {
    request.workingFolder = document_.state().workingFolder;
    return changeProject(FileList, [&](ProjectState& p) { return phonotab::addFiles(p, request, currentFile_.teleDescription()); });
}

Status DocumentController::substituteFiles(const std::vector<int>& selected, const std::vector<std::string>& paths) {
    const int current = document_.state().currentIndex;
    const std::string currentPath = current >= 0 && static_cast<std::size_t>(current) < document_.state().files.size()
                                        ? document_.state().files[static_cast<std::size_t>(current)].path
                                        : std::string();
    // The open file's settings go into its entry first: it is reopened from the entry.
    const Status status = changeProject(FileList | CurrentEntry, [&](ProjectState& p) {
        copyCurrentSettingsBack(p);
        return phonotab::substituteFiles(p, selected, paths, p.workingFolder);
    });
    // The current entry now names another data file: the windows, the plots
    // and the calculation must read that file, not the one still loaded.
    if (current >= 0 && currentFile_.file() && static_cast<std::size_t>(current) < document_.state().files.size() &&
        document_.state().files[static_cast<std::size_t>(current)].path != currentPath)
        openProjectEntry(current);
    return status;
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
    if (index < 0 || static_cast<std::size_t>(index) >= document_.state().files.size()) return {};
    const std::string old = document_.state().files[static_cast<std::size_t>(index)].referenceName;
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
    // The entries that take another percentile set keep their tables' cells on
    // the same levels.
    std::vector<PercentileSetChange> changes;
    const ProjectState& state = document_.state();
    for (int i : selected) {
        if (i < 0 || static_cast<std::size_t>(i) >= state.files.size()) continue;
        const ProjectFileEntry& e = state.files[static_cast<std::size_t>(i)];
        if (e.referenceName != state.currentFile.referenceName && e.percentiles != state.currentFile.percentiles)
            changes.push_back({e.referenceName, e.percentiles, state.currentFile.percentiles});
    }
    if (!confirmPercentileChanges(changes)) return Message(msg::Cancelled);
    const Status status = changeProject(FileList | Tables, [&](ProjectState& p) {
        Status s = phonotab::giveCurrentSettings(p, selected);
        if (s) remapPercentiles(&p, changes, true);
        return s;
    });
    // The tables open from their own files follow too (they keep their own undo).
    if (status) remapPercentiles(nullptr, changes, true);
    return status;
}

// ---- the report ----------------------------------------------------------------------------

Status DocumentController::setReportTexts(const std::vector<std::pair<std::size_t, std::string>>& texts) {
    for (const auto& [i, t] : texts)
        if (i >= document_.state().reportTexts.size()) return Message(msg::NotANumber);
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
    if (index >= document_.state().tables.size()) return Message(msg::NotANumber);
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
    const ProjectState projectBefore = document_.state();
    std::optional<CurrentFileSnapshot> fileBefore;
    if (currentFile_.file()) fileBefore = CurrentFileSnapshot::of(*currentFile_.file());
    ProjectState next = document_.state();
    next.groupByParameter = o.grouped;
    next.includeExclusionsUncorrected = o.includeExclusionsUncorrected;
    next.noLeqTime = o.noLeqTime;
    next.csvResults = o.csv;
    next.singleResultFile = o.singleFile;
    putParts(next, Options);
    if (currentFile_.file()) {
        currentFile_.file()->settings.scanInterval = o.scanInterval;
        currentFile_.file()->settings.scanStep = o.scanStep;
        currentFile_.file()->settings.includeExclusionsUncorrected = o.includeExclusionsUncorrected;
        storeSettings(*currentFile_.file(), document_.state().currentFile);
    }
    if (sameStoredProject(projectBefore, document_.state())) return {};
    const ProjectState projectAfter = document_.state();
    std::optional<CurrentFileSnapshot> fileAfter;
    if (currentFile_.file()) fileAfter = CurrentFileSnapshot::of(*currentFile_.file());
    auto put = [this](const ProjectState& p, const std::optional<CurrentFileSnapshot>& f) {
        putParts(p, Options | CurrentEntry);
        if (f && currentFile_.file()) f->restoreInto(*currentFile_.file());
    };
    document_.setModified(true);
    const std::vector<DocumentNotice> notices{DocumentNotice::ViewChanged, DocumentNotice::PlotContentChanged};
    document_.history().record(ProjectCommand{[=] { put(projectBefore, fileBefore); }, [=] { put(projectAfter, fileAfter); },
                                   notices});
    for (DocumentNotice n : notices) notify(n);
    notify(DocumentNotice::StateChanged);
    return {};
}

void DocumentController::windowStateChanged() {
    document_.setModified(true);
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
    return changeCurrentFile(zoneNotice(currentFile_.file(), zone), [&](CalcFile& cf) {
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
    return changeCurrentFile(zoneNotice(currentFile_.file(), zone), [&](CalcFile& cf) {
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
    if (!currentFile_.file()) return Message(msg::NoSourceData);
    // Only a real change is a step.
    std::vector<ParameterEntry> probe = currentFile_.file()->entries;
    if (!phonotab::toggleParameterFlag(probe, row, column, currentFile_.file()->settings.histogramMode)) return {};
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
    if (!currentFile_.file()) return Message(msg::NoSourceData);
    // The percentile set of a file that is a project entry: the tables' cells
    // that read its percentiles stay on their levels.
    std::vector<PercentileSetChange> changes;
    const std::set<double>& before = currentFile_.file()->settings.histogram.percentiles;
    // (The entry is found by path, mode, type and name, which settings never change.)
    if (before != settings.percentiles && currentEntryIndex(document_.state()) >= 0)
        changes.push_back({document_.state().currentFile.referenceName, before, settings.percentiles});
    if (!confirmPercentileChanges(changes)) return Message(msg::Cancelled);
    // The project's tables change in the step; the tables open from their
    // own files are moved along, and back when the step is undone.
    auto follow = [this, changes](ProjectState* p, bool forward) { remapPercentiles(p, changes, forward); };
    return changeCurrentFile(
        DocumentNotice::PlotContentChanged,
        [&](CalcFile& cf) {
            cf.settings.histogram = settings;
            return Status{};
        },
        changes.empty() ? TablesFollow() : TablesFollow(follow));
}

bool DocumentController::confirmPercentileChanges(const std::vector<PercentileSetChange>& changes) {
    std::string cells;
    std::size_t named = 0, lost = 0;
    for (const PercentileSetChange& c : changes)
        for (const LostPercentileBinding& b : percentileBindingsLost(document_.state(), c.source, c.before, c.after)) {
            ++lost;
            // A long list is cut: the question must fit on the screen.
            if (named == 20) continue;
            ++named;
            if (!cells.empty()) cells += ", ";
            cells += "'" + document_.state().tables[b.table].table.name + "' " + columnLetters(b.cell.column) +
                     std::to_string(b.cell.row + 1) + " (L" + formatPercentileText(std::set<double>{b.level}) + ")";
        }
    if (lost == 0) return true;
    if (lost > named) cells += ", … (" + std::to_string(lost) + ")";
    return prompts_.ask(Message(msg::PercentileBindingsLost, cells), false) == DocumentPrompts::Answer::Yes;
}

void DocumentController::remapPercentiles(ProjectState* project, const std::vector<PercentileSetChange>& changes,
                                          bool forward) {
    for (const PercentileSetChange& c : changes) {
        const std::set<double>& from = forward ? c.before : c.after;
        const std::set<double>& to = forward ? c.after : c.before;
        if (project) remapPercentileBindings(*project, c.source, from, to);
        for (ReportTable* t : openTables_.outsideProject()) remapPercentileBindings(*t, c.source, from, to);
    }
}

// ---- reference books -------------------------------------------------------------------------

Result<bool> DocumentController::renameReferenceBook(const std::string& oldName, const std::string& newName) {
    if (Status s = referenceBooksEditable(); !s) return s.error();
    Result<bool> renamed = books_.books().renameBook(oldName, newName);
    if (!renamed || !*renamed) return renamed;
    const std::string stored = referenceBookName(newName);
    if (stored == oldName) return renamed;
    const ProjectState before = document_.state();
    if (bookUses(document_.state(), oldName) > 0) {
        renameBookUses(document_.state(), oldName, stored);
        document_.setModified(true);
    }
    // Tables open from their own files read the book by name too; they are
    // renamed with it (and back when the step is undone).
    auto renameOutside = [this](const std::string& from, const std::string& to) {
        for (ReportTable* t : openTables_.outsideProject()) renameBookUses(*t, from, to);
    };
    renameOutside(oldName, stored);
    const ProjectState after = document_.state();
    // Undone, the book takes its old name back and its formulas with it.
    document_.history().record(ProjectCommand{[this, before, oldName, stored, renameOutside] {
                                                  (void)books_.books().renameBook(stored, oldName);
                                                  putParts(before, Tables);
                                                  renameOutside(stored, oldName);
                                              },
                                              [this, after, oldName, stored, renameOutside] {
                                                  (void)books_.books().renameBook(oldName, stored);
                                                  putParts(after, Tables);
                                                  renameOutside(oldName, stored);
                                              },
                                              {DocumentNotice::SyncFromProject}});
    notify(DocumentNotice::SyncFromProject);
    notify(DocumentNotice::StateChanged);
    return renamed;
}

void DocumentController::referenceBookEdited(const std::string& book) {
    // Formulas and cell macros that read the book show its new records.
    for (ProjectTable& t : document_.state().tables)
        if (bookUses(t.table, book) > 0) t.table.RequestRecalculation();
    for (ReportTable* t : openTables_.all())
        if (bookUses(*t, book) > 0) t->RequestRecalculation();
    notify(DocumentNotice::SyncFromProject);
}

int DocumentController::referenceBookUses(const std::string& book) const {
    int uses = bookUses(document_.state(), book);
    for (const ReportTable* t : openTables_.outsideProject()) uses += bookUses(*t, book);
    return uses;
}

Status DocumentController::referenceBooksEditable() const {
    if (books_.editable()) return {};
    return Message(msg::BooksNotEditable, books_.path());
}

// ---- closing ---------------------------------------------------------------------------

bool DocumentController::confirmClose() { return offerToSave(); }

void DocumentController::shutdown() {
    clearProject(ClearForm::Full);
    books_.saveIfChanged();
}

}  // namespace phonotab
