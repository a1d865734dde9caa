#include "gui/app/MainWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/app/AboutDialog.h"
#include "gui/base/AppIcons.h"
#include "gui/app/ChildWindowList.h"
#include "gui/app/FolderView.h"
#include "gui/acoustics/DistributionHistogramDialog.h"
#include "gui/app/MainCommands.h"
#include "gui/app/StartPanel.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/ScreenPlacement.h"
#include "gui/base/SettingsStore.h"
#include "gui/project/DumpCommands.h"
#include "gui/project/ReferenceBookDialogs.h"
#include "gui/project/SummaryCommand.h"

namespace phonotab {

namespace {
const QString kMainWindowSection = QStringLiteral("Phonotab");
}  // namespace

MainWindow::MainWindow(ProjectSession& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setMinimumSize(kMinWidth, kMinHeight);
    readPlacement();
    setWindowIcon(applicationIcon());
    windows_ = std::make_unique<ChildWindowList>(session_);
    windows_->setParentWidget(this);
    session_.controller().setWindows(windows_.get());
    session_.setDialogParent(this);

    commands_ = new MainCommands(*this);
    connect(commands_, &MainCommands::triggered, this, &MainWindow::run);

    session_.startInFolder(QDir::currentPath());
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    startPanel_ = new StartPanel(session_, central);
    connect(startPanel_, &StartPanel::commandRequested, this, &MainWindow::run);
    column->addWidget(startPanel_);
    folderView_ = new FolderView(session_, *windows_, central);
    folderView_->setContentsMargins(5, 0, 5, 5);
    column->addWidget(folderView_, 1);
    setCentralWidget(central);
    commands_->setChecked(command::ViewIcons, true);

    session_.readRecentLists();
    session_.loadTelemetryDescription();
    session_.loadReferenceBooks();

    connect(&session_, &ProjectSession::stateChanged, this, &MainWindow::refreshState);
    connect(&session_, &ProjectSession::fileChanged, this, &MainWindow::refreshState);
    connect(windows_.get(), &ChildWindowList::changed, this, &MainWindow::updateWindowChecks);
    connect(&session_, &ProjectSession::announced, this, [this](const QString& text) { statusBar()->showMessage(text); });
    refreshState();
}

MainWindow::~MainWindow() {
    // The child windows go with this window; the menu must not follow them.
    disconnect(windows_.get(), nullptr, this, nullptr);
    disconnect(&session_, nullptr, this, nullptr);
    session_.controller().setWindows(nullptr);
}

void MainWindow::readPlacement() {
    const SettingsStore& s = session_.settings();
    // Never placed before: centred on the screen; placed off every screen: brought back.
    std::optional<QRect> stored;
    if (s.contains(kMainWindowSection, "Left") || s.contains(kMainWindowSection, "Top") ||
        s.contains(kMainWindowSection, "Right") || s.contains(kMainWindowSection, "Bottom")) {
        const int left = s.integer(kMainWindowSection, "Left", 0), top = s.integer(kMainWindowSection, "Top", 0);
        const int right = s.integer(kMainWindowSection, "Right", kMinWidth),
                  bottom = s.integer(kMainWindowSection, "Bottom", kMinHeight);
        stored = QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
    }
    setGeometry(mainWindowRect(stored, QSize(kMinWidth, kMinHeight), availableScreenAreas(), primaryScreenArea()));
}

void MainWindow::writePlacement() {
    SettingsStore& s = session_.settings();
    const QRect g = geometry();
    s.setInteger(kMainWindowSection, "Left", g.x());
    s.setInteger(kMainWindowSection, "Top", g.y());
    s.setInteger(kMainWindowSection, "Right", g.x() + g.width());
    s.setInteger(kMainWindowSection, "Bottom", g.y() + g.height());
}

void MainWindow::refreshState() {
    setWindowTitle(session_.title());
    commands_->showRecent(command::RecentFile1, session_.recentFiles());
    commands_->showRecent(command::RecentProject1, session_.recentProjects());
    startPanel_->refresh();
    applyEnablingRule();
    updateWindowChecks();
}

void MainWindow::applyEnablingRule() {
    using namespace command;
    const bool project = session_.projectOpen();
    for (int c : {command::SaveProject, SaveProjectAs, ShowProjectFiles, ShowReport}) commands_->setEnabled(c, project);
    const bool file = session_.currentFile() != nullptr;
    for (int c : {ShowRanges, ShowTimePlot, ShowParameters}) commands_->setEnabled(c, file);
}

void MainWindow::updateWindowChecks() {
    using namespace command;
    const ChildWindowList& w = *windows_;
    const bool histograms = session_.state().currentFile.workMode == FileWorkMode::Histograms;
    commands_->setChecked(ShowProjectFiles, w.has(WindowKind::ProjectFiles));
    commands_->setChecked(ShowParameters, w.has(WindowKind::Parameters));
    commands_->setChecked(ShowRanges, w.has(WindowKind::Ranges));
    commands_->setChecked(ShowTimePlot, (w.has(WindowKind::TimePlot) && !histograms) ||
                                          (w.has(WindowKind::HistogramPlot) && histograms));
    ChildWindowInterface* report = w.find(WindowKind::Report);
    commands_->setChecked(ShowReport, report && report->asWidget()->isVisible());
}

void MainWindow::showWindow(int cmd) {
    WindowKind kind = WindowKind::Other;
    switch (cmd) {
        case command::ShowProjectFiles: kind = WindowKind::ProjectFiles; break;
        case command::ShowParameters: kind = WindowKind::Parameters; break;
        case command::ShowRanges: kind = WindowKind::Ranges; break;
        case command::ShowReport: kind = WindowKind::Report; break;
        case command::ShowTimePlot:
            kind = session_.state().currentFile.workMode == FileWorkMode::Histograms ? WindowKind::HistogramPlot
                                                                                      : WindowKind::TimePlot;
            break;
        default: return;
    }
    windows_->show(kind);
    updateWindowChecks();
}

void MainWindow::run(int cmd) {
    using namespace command;
    if (cmd >= RecentFile1 && cmd < RecentFile1 + 4) {
        session_.controller().openRecentFile(cmd - RecentFile1);
        return;
    }
    if (cmd >= RecentProject1 && cmd < RecentProject1 + 4) {
        session_.controller().openRecentProject(cmd - RecentProject1);
        return;
    }
    switch (cmd) {
        case OpenFile: session_.controller().chooseAndOpenDataFile(); break;
        case NewProject: session_.controller().newProject(); break;
        case OpenProject: session_.controller().openProject(); break;
        case command::SaveProject: session_.controller().saveProject(); break;
        case SaveProjectAs: session_.controller().saveProjectAs(); break;
        case ChangeWorkingFolder: session_.controller().changeWorkingFolder(); break;
        case ViewIcons: folderView_->setStyle(FolderView::Style::Icons); break;
        case ViewList: folderView_->setStyle(FolderView::Style::List); break;
        case ViewDetails: folderView_->setStyle(FolderView::Style::Details); break;
        case ShowProjectFiles:
        case ShowParameters:
        case ShowRanges:
        case ShowTimePlot:
        case ShowReport: showWindow(cmd); break;
        case NewTable: folderView_->commands().newTable(); break;
        case InsertStandardTable: folderView_->commands().insertStandardTable(); break;
        case About: AboutDialog(this).exec(); break;
        case ReferenceBookEditor: ReferenceBookListDialog(session_, this).exec(); break;
        case ConvertToText: convertToText(session_, this); break;
        case JoinToText: joinToText(session_, this); break;
        case Summary: makeSummary(session_, this); break;
        case Percentiles: DistributionHistogramDialog(session_.prompts(), session_.settings(), session_.teleDescription(), this).exec(); break;
        case Exit: close(); break;
        default: break;
    }
    if (cmd == ViewIcons || cmd == ViewList || cmd == ViewDetails) {
        for (int c : {ViewIcons, ViewList, ViewDetails}) commands_->setChecked(c, c == cmd);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (shutDown_) {
        event->accept();
        return;
    }
    if (!session_.controller().confirmClose()) {
        event->ignore();
        return;
    }
    writePlacement();
    session_.shutdown();
    shutDown_ = true;
    event->accept();
    emit closed();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    session_.notifyMainMoved();
}

}  // namespace phonotab
