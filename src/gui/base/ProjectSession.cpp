#include "gui/base/ProjectSession.h"

#include <QApplication>
#include <QPalette>

#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"

namespace phonotab {

namespace {
const QString kMainSection = QStringLiteral("PhonotabDlg");
}  // namespace

ProjectSession::ProjectSession(Prompts& prompts, SettingsStore& settings, AppPaths paths, QObject* parent)
    : QObject(parent),
      prompts_(prompts),
      settings_(settings),
      paths_(std::move(paths)),
      bridge_(prompts, settings),
      controller_(bridge_) {
    controller_.setListener([this](DocumentNotice n) { onNotice(n); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { emit folderChanged(); });
    // The colour choosers' custom colours start as the face colour of buttons
    // (0x00BBGGRR); a loaded project replaces them.
    const QColor face = QApplication::palette().button().color();
    controller_.setDefaultCustomColour(static_cast<std::uint32_t>(face.red() | face.green() << 8 | face.blue() << 16));
}

ProjectSession::~ProjectSession() { controller_.setListener({}); }

void ProjectSession::onNotice(DocumentNotice notice) {
    switch (notice) {
        case DocumentNotice::SyncToProject: emit projectSync(0); break;
        case DocumentNotice::SyncFromProject: emit projectSync(1); break;
        case DocumentNotice::FileChanged: emit fileChanged(); break;
        case DocumentNotice::ViewChanged: emit viewChanged(); break;
        case DocumentNotice::FolderChanged: emit folderChanged(); break;
        case DocumentNotice::WorkingFolderChanged: watchWorkingFolder(); break;
        case DocumentNotice::PlotContentChanged: emit plotContentChanged(); break;
        case DocumentNotice::WorkRangeChanged: emit workRangeChanged(); break;
        case DocumentNotice::StateChanged: emit stateChanged(); break;
    }
}

void ProjectSession::watchWorkingFolder() {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    if (controller_.workingFolderOpen()) watcher_.addPath(localWorkingFolder());
}

QString ProjectSession::projectPath() const { return toQt(controller_.projectPath()); }

QString ProjectSession::localWorkingFolder() const { return toQt(controller_.localWorkingFolder()); }

QString ProjectSession::title() const { return toQt(controller_.title()); }

bool ProjectSession::loadTelemetryDescription() { return controller_.loadTelemetryDescription(fromQt(paths_.teleDesc())); }

void ProjectSession::loadReferenceBooks() { controller_.loadReferenceBooks(fromQt(paths_.referenceBooks())); }

void ProjectSession::readRecentLists() {
    std::vector<std::string> files, projects;
    for (int i = 1; i <= static_cast<int>(MruList::kCapacity); ++i) {
        files.push_back(fromQt(settings_.text(kMainSection, QString("Doc%1").arg(i))));
        projects.push_back(fromQt(settings_.text(kMainSection, QString("Prj%1").arg(i))));
    }
    controller_.recentFiles().assign(files);
    controller_.recentProjects().assign(projects);
    emit stateChanged();
}

void ProjectSession::startInFolder(const QString& localFolder) { controller_.startInFolder(fromQt(localFolder)); }

void ProjectSession::shutdown() {
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    controller_.shutdown();
    for (int i = 1; i <= static_cast<int>(MruList::kCapacity); ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        settings_.setText(kMainSection, QString("Doc%1").arg(i), toQt(controller_.recentFiles().at(at)));
        settings_.setText(kMainSection, QString("Prj%1").arg(i), toQt(controller_.recentProjects().at(at)));
    }
    settings_.sync();
}

}  // namespace phonotab
