#include "app/ProjectSession.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QFileInfo>

#include <filesystem>

#include "app/LongTask.h"
#include "app/SettingsStore.h"
#include "app/UiText.h"
#include "measurement/Catalogue.h"
#include "project/EntryCalculation.h"
#include "project/MainWindowTitle.h"
#include "project/ProjectFile.h"
#include "project/ProjectFiles.h"
#include "project/ProjectPaths.h"
#include "project/ReferenceBookFile.h"
#include "project/WorkingFolder.h"

namespace phonotab {

namespace {

constexpr int kMsgProjectChanged = 5500;
constexpr int kMsgChooseFolder = 5504;
constexpr int kMsgFolderMissing = 5312;
constexpr int kMsgOpeningFile = 5531;
constexpr int kMsgCalculating = 5532;
constexpr int kOpenFile = 104;
constexpr int kOpenProject = 32772;
constexpr int kSaveProjectAs = 32774;

const QString kProjectFilter = QStringLiteral("Phonotab project (*.pht);;All Files (*)");
const QString kDataFilter =
    QStringLiteral("Binary files (*.bin *.cbf *.mnt);;Monitoring files (*.mnt);;All Files (*)");
const QString kMainSection = QStringLiteral("PhonotabDlg");

QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

ProjectSession::ProjectSession(Prompts& prompts, SettingsStore& settings, AppPaths paths, QObject* parent)
    : QObject(parent), prompts_(prompts), settings_(settings), paths_(std::move(paths)), windows_(*this) {
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { emit folderChanged(); });
    // The colour choosers' custom colours start as the face colour of buttons
    // (0x00BBGGRR); a loaded project replaces them.
    const QColor face = QApplication::palette().button().color();
    state_.customColours.fill(static_cast<std::uint32_t>(face.red() | face.green() << 8 | face.blue() << 16));
}

ProjectSession::~ProjectSession() = default;

QString ProjectSession::localWorkingFolder() const { return toQt(phonotab::localWorkingFolder(state_.workingFolder)); }

QString ProjectSession::title() const {
    if (!current_) return toQt(mainWindowTitle(fromQt(projectPath_), nullptr));
    TitleFile f;
    f.path = state_.currentFile.path;
    f.instrument = instrumentName(currentTeleDesc(), current_->file.instrumentCode);
    f.serialNumber = static_cast<std::uint32_t>(state_.serialNumber);
    return toQt(mainWindowTitle(fromQt(projectPath_), &f));
}

// ---- start-up ---------------------------------------------------------------

bool ProjectSession::loadTelemetryDescription() {
    Result<TeleDesc> desc = loadTeleDesc(fromQt(paths_.teleDesc()), phonotab::tr(103));
    if (!desc) {
        prompts_.showMessage(desc.error());
        return false;
    }
    setCurrentTeleDesc(std::move(*desc));
    return true;
}

void ProjectSession::loadReferenceBooks() {
    const std::string path = fromQt(paths_.referenceBooks());
    if (Status s = LoadReferenceBooks(path, books_); !s) {
        // The user corrects the file in the desktop's editor; until the next
        // start it is never written over with what could be read.
        prompts_.showMessage(s.error());
        prompts_.openExternally(paths_.referenceBooks());
        return;
    }
    booksRead_ = true;
    booksAsRead_ = books_;
}

void ProjectSession::saveReferenceBooks() {
    if (!booksRead_ || books_ == booksAsRead_) return;
    // A file that cannot be written is skipped silently.
    (void)SaveReferenceBooks(fromQt(paths_.referenceBooks()), books_);
    booksAsRead_ = books_;
}

void ProjectSession::readRecentLists() {
    std::vector<std::string> files, projects;
    for (int i = 1; i <= static_cast<int>(MruList::kCapacity); ++i) {
        files.push_back(fromQt(settings_.text(kMainSection, QString("Doc%1").arg(i))));
        projects.push_back(fromQt(settings_.text(kMainSection, QString("Prj%1").arg(i))));
    }
    recentFiles_.assign(files);
    recentProjects_.assign(projects);
    emit stateChanged();
}

void ProjectSession::startInFolder(const QString& localFolder) {
    state_.workingFolder = storedWorkingFolder(fromQt(localFolder));
    openWorkingFolder(false);
}

// ---- the working folder ------------------------------------------------------

bool ProjectSession::openWorkingFolder(bool reportMissing) {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    const QString local = localWorkingFolder();
    if (local.isEmpty() || !QFileInfo(local).isDir()) {
        if (reportMissing) prompts_.showMessage(Message(kMsgFolderMissing));
        emit folderChanged();
        return false;
    }
    watcher_.addPath(local);
    QDir::setCurrent(local);
    emit folderChanged();
    return true;
}

bool ProjectSession::changeWorkingFolder() {
    const QString folder = prompts_.chooseFolder(uiText(kMsgChooseFolder), localWorkingFolder());
    if (folder.isEmpty()) return false;
    state_.workingFolder = storedWorkingFolder(fromQt(folder));
    openWorkingFolder(true);
    setModified();
    emit stateChanged();
    return true;
}

// ---- clearing ------------------------------------------------------------------

void ProjectSession::captureCurrentFile() {
    if (current_) storeSettings(*current_, state_.currentFile);
}

void ProjectSession::clearProject(ClearForm form) {
    captureCurrentFile();
    windows_.closeForClear(form);
    phonotab::clearProject(state_, form);
    current_.reset();
}

bool ProjectSession::offerToSave() {
    emit projectSync(0);
    if (!projectOpen_ || !doc_.modified) return true;
    switch (prompts_.ask(uiText(kMsgProjectChanged), true)) {
        case Prompts::Answer::Yes: return saveProject();
        case Prompts::Answer::No: return true;
        case Prompts::Answer::Cancel: break;
    }
    return false;
}

// ---- project commands --------------------------------------------------------------

bool ProjectSession::newProject() {
    if (!offerToSave()) return false;
    clearProject(ClearForm::Full);
    projectPath_.clear();
    state_.files.clear();
    state_.currentFile = ProjectFileEntry{};
    state_.serialNumber = -1;
    state_.currentIndex = -1;  // no entry is current in an empty list
    state_.illustrations.clear();
    doc_.modified = false;
    emit fileChanged();
    emit stateChanged();

    const QString folder = prompts_.chooseFolder(uiText(kMsgChooseFolder), localWorkingFolder());
    if (folder.isEmpty()) return false;
    state_.workingFolder = storedWorkingFolder(fromQt(folder));
    openWorkingFolder(true);
    projectOpen_ = true;
    emit stateChanged();
    return true;
}

QString ProjectSession::askProjectPath(bool forSaving) {
    if (!forSaving) return prompts_.openFilePath(uiText(kOpenProject), kProjectFilter, QDir::currentPath());
    const QString suggested = projectPath_.isEmpty() ? QDir::currentPath() : projectPath_;
    return prompts_.saveFilePath(uiText(kSaveProjectAs), kProjectFilter, suggested, QStringLiteral("pht"));
}

bool ProjectSession::openProject() {
    if (!offerToSave()) return false;
    const QString path = askProjectPath(false);
    return !path.isEmpty() && loadProject(path);
}

bool ProjectSession::openRecentProject(int position) {
    const QString path = toQt(recentProjects_.at(static_cast<std::size_t>(position)));
    if (path.isEmpty()) return false;
    if (!offerToSave()) return false;
    return loadProject(path);
}

bool ProjectSession::loadProject(const QString& givenPath) {
    const QString path = absolute(givenPath);
    emit projectSync(0);
    captureCurrentFile();
    copyCurrentSettingsBack(state_);
    // The file is read into a fresh state: a file that fails leaves the open
    // project as it was.
    Result<ProjectState> loaded = LoadProject(fromQt(path), state_);
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
    if (!c.path.empty() && c.fileType != 0)
        loadCurrentFile(toQt(storedPathToLocal(c.path, fromQt(localWorkingFolder()))));
    windows_.restore(stored);
    // The report window holds the title-page texts and the tables of every
    // project that has them.
    if (state_.version > 17 && !windows_.has(WindowKind::Report)) windows_.show(WindowKind::Report);
    emit fileChanged();
    emit projectSync(1);
    doc_.modified = false;
    projectOpen_ = true;
    recentProjects_.add(fromQt(path));
    emit stateChanged();
    return true;
}

bool ProjectSession::saveProject() {
    if (projectPath_.isEmpty()) return saveProjectAs();
    return writeProject(projectPath_, false);
}

bool ProjectSession::saveProjectAs() {
    const QString path = askProjectPath(true);
    return !path.isEmpty() && writeProject(absolute(path), true);
}

bool ProjectSession::writeProject(const QString& path, bool asked) {
    emit projectSync(0);
    captureCurrentFile();
    copyCurrentSettingsBack(state_);
    state_.windows = windows_.records();
    if (Status s = SaveProject(state_, fromQt(path)); !s) {
        prompts_.showMessage(s.error());
        return false;
    }
    doc_.modified = false;
    projectPath_ = path;
    projectOpen_ = true;
    if (asked) recentProjects_.add(fromQt(path));
    emit stateChanged();
    return true;
}

// ---- the current file ----------------------------------------------------------

bool ProjectSession::loadCurrentFile(const QString& localPath) {
    const ProjectFileEntry entry = state_.currentFile;
    const std::string local = fromQt(localPath);
    const TeleDesc* desc = &currentTeleDesc();
    const bool uncorrected = state_.includeExclusionsUncorrected != 0;
    const QString label = messageText(Message(kMsgOpeningFile, storedFileName(local)));
    std::optional<Result<CalcFile>> opened = runLongTask<Result<CalcFile>>(
        dialogParent_, label, [entry, local, desc, uncorrected](TaskControl&) -> Result<CalcFile> {
            return openEntry(entry, local, *desc, uncorrected);
        });
    current_.reset();
    if (opened && !*opened) prompts_.showMessage(opened->error());
    if (!opened || !*opened) {
        state_.currentFile.fileType = 0;  // no current file
        return false;
    }
    current_ = std::make_unique<CalcFile>(std::move(opened->value()));
    state_.serialNumber = static_cast<std::int32_t>(current_->file.vin);
    return true;
}

bool ProjectSession::chooseAndOpenDataFile() {
    QString folder = settings_.text(QStringLiteral("BrowseSect"), QStringLiteral("BinPath"));
    if (folder.isEmpty()) folder = QDir::currentPath();
    const QString path = prompts_.openFilePath(uiText(kOpenFile), kDataFilter, folder);
    if (path.isEmpty()) return false;
    settings_.setText(QStringLiteral("BrowseSect"), QStringLiteral("BinPath"), QFileInfo(path).absolutePath() + "/");
    return openDataFile(path);
}

bool ProjectSession::openDataFile(const QString& givenPath) {
    if (givenPath.isEmpty()) return false;
    const QString path = absolute(givenPath);
    clearProject(ClearForm::Partial);
    ProjectFileEntry& c = state_.currentFile;
    c.path = toStoredPath(fromQt(path));
    c.selections.clear();
    c.ranges.clear();
    c.rangeFirst = c.rangeCount = 0;  // the whole record of the new file
    c.workMode = 2;
    state_.currentIndex = -1;
    const bool ok = loadCurrentFile(path);
    if (ok) {
        c.fileType = current_->file.typeCode;
        c.instrumentCode = current_->file.instrumentCode;
        recentFiles_.add(fromQt(path));
    }
    emit fileChanged();
    emit stateChanged();
    return ok;
}

bool ProjectSession::openRecentFile(int position) {
    const QString path = toQt(recentFiles_.at(static_cast<std::size_t>(position)));
    return !path.isEmpty() && openDataFile(path);
}

bool ProjectSession::openProjectEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= state_.files.size()) return false;
    clearProject(ClearForm::Partial);
    state_.currentFile = state_.files[static_cast<std::size_t>(index)];
    state_.currentIndex = index;
    const bool ok =
        loadCurrentFile(toQt(storedPathToLocal(state_.currentFile.path, fromQt(localWorkingFolder()))));
    emit fileChanged();
    emit stateChanged();
    return ok;
}

CalcReport ProjectSession::calculateCurrentFile() {
    if (!current_) return {};
    CalcRequest req;
    req.options.csv = state_.csvResults != 0;
    req.options.singleFile = state_.singleResultFile != 0;
    req.options.grouped = state_.groupByParameter != 0;
    req.options.noLeqTime = state_.noLeqTime != 0;
    req.options.resultFolder = fromQt(localWorkingFolder());
    req.options.baseName = std::filesystem::path(current_->file.path).stem().string();
    const TeleDesc* desc = &currentTeleDesc();
    // The file's state goes to the worker and comes back: the calculation
    // stops at a cancel by itself, so the task always runs to its end.
    auto cf = std::make_shared<CalcFile>(std::move(*current_));
    std::optional<CalcReport> report = runLongTask<CalcReport>(
        dialogParent_, uiText(kMsgCalculating),
        [cf, desc, req](TaskControl& control) mutable {
            req.progress = [&control](double f) { return control.report(f); };
            return CalculateFile(*cf, *desc, req);
        },
        CancelMode::WaitForEnd);
    *current_ = std::move(*cf);
    CalcReport out = report ? std::move(*report) : CalcReport{};
    for (const Message& m : out.messages) prompts_.showMessage(m);
    emit folderChanged();
    return out;
}

// ---- closing ---------------------------------------------------------------------------

bool ProjectSession::confirmClose() { return offerToSave(); }

void ProjectSession::shutdown() {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    clearProject(ClearForm::Full);
    for (int i = 1; i <= static_cast<int>(MruList::kCapacity); ++i) {
        settings_.setText(kMainSection, QString("Doc%1").arg(i), toQt(recentFiles_.at(static_cast<std::size_t>(i - 1))));
        settings_.setText(kMainSection, QString("Prj%1").arg(i),
                          toQt(recentProjects_.at(static_cast<std::size_t>(i - 1))));
    }
    saveReferenceBooks();
    settings_.sync();
}

}  // namespace phonotab
