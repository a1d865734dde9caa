#include "app/CPhonotabDlg.h"

#include <QCloseEvent>
#include <QDir>

#include "app/AboutDialog.h"
#include "app/AppIcons.h"
#include "app/ChildWindowList.h"
#include "app/FolderView.h"
#include "acoustics/DistributionHistogramDialog.h"
#include "app/MainCommands.h"
#include "app/ProjectSession.h"
#include "app/ScreenPlacement.h"
#include "app/SettingsStore.h"
#include "project/DumpCommands.h"
#include "project/ReferenceBookDialogs.h"
#include "project/SummaryCommand.h"

namespace phonotab {

namespace {
const QString kSection = QStringLiteral("Phonotab");
}  // namespace

CPhonotabDlg::CPhonotabDlg(ProjectSession& session, QWidget* parent) : QMainWindow(parent), session_(session) {
    setMinimumSize(kMinWidth, kMinHeight);
    readPlacement();
    setWindowIcon(applicationIcon());
    windows_ = std::make_unique<ChildWindowList>(session_);
    windows_->setParentWidget(this);
    session_.controller().setWindows(windows_.get());
    session_.setDialogParent(this);

    commands_ = new MainCommands(*this);
    connect(commands_, &MainCommands::triggered, this, &CPhonotabDlg::run);

    session_.startInFolder(QDir::currentPath());
    folderView_ = new FolderView(session_, *windows_, this);
    folderView_->setContentsMargins(5, 0, 5, 5);
    setCentralWidget(folderView_);
    commands_->setChecked(command::ViewIcons, true);

    session_.readRecentLists();
    session_.loadTelemetryDescription();
    session_.loadReferenceBooks();

    connect(&session_, &ProjectSession::stateChanged, this, &CPhonotabDlg::refreshState);
    connect(&session_, &ProjectSession::fileChanged, this, &CPhonotabDlg::refreshState);
    connect(windows_.get(), &ChildWindowList::changed, this, &CPhonotabDlg::updateWindowChecks);
    refreshState();
}

CPhonotabDlg::~CPhonotabDlg() {
    // The child windows go with this window; the menu must not follow them.
    disconnect(windows_.get(), nullptr, this, nullptr);
    disconnect(&session_, nullptr, this, nullptr);
    session_.controller().setWindows(nullptr);
}

void CPhonotabDlg::readPlacement() {
    const SettingsStore& s = session_.settings();
    // Never placed before: centred on the screen; placed off every screen: brought back.
    std::optional<QRect> stored;
    if (s.contains(kSection, "Left") || s.contains(kSection, "Top") || s.contains(kSection, "Right") ||
        s.contains(kSection, "Bottom")) {
        const int left = s.integer(kSection, "Left", 0), top = s.integer(kSection, "Top", 0);
        const int right = s.integer(kSection, "Right", kMinWidth), bottom = s.integer(kSection, "Bottom", kMinHeight);
        stored = QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
    }
    setGeometry(mainWindowRect(stored, QSize(kMinWidth, kMinHeight), availableScreenAreas(), primaryScreenArea()));
}

void CPhonotabDlg::writePlacement() {
    SettingsStore& s = session_.settings();
    const QRect g = geometry();
    s.setInteger(kSection, "Left", g.x());
    s.setInteger(kSection, "Top", g.y());
    s.setInteger(kSection, "Right", g.x() + g.width());
    s.setInteger(kSection, "Bottom", g.y() + g.height());
}

void CPhonotabDlg::refreshState() {
    setWindowTitle(session_.title());
    commands_->showRecent(command::RecentFile1, session_.recentFiles());
    commands_->showRecent(command::RecentProject1, session_.recentProjects());
    applyEnablingRule();
    updateWindowChecks();
}

void CPhonotabDlg::applyEnablingRule() {
    using namespace command;
    const bool project = session_.projectOpen();
    for (int c : {SaveProject, SaveProjectAs, ProjectFilesWindow, ReportWindow}) commands_->setEnabled(c, project);
    const bool file = session_.currentFile() != nullptr;
    for (int c : {RangesWindow, PlotWindow, ParametersWindow}) commands_->setEnabled(c, file);
}

void CPhonotabDlg::updateWindowChecks() {
    using namespace command;
    const ChildWindowList& w = *windows_;
    const bool histograms = session_.state().currentFile.workMode == 1;
    commands_->setChecked(ProjectFilesWindow, w.has(WindowKind::ProjectFiles));
    commands_->setChecked(ParametersWindow, w.has(WindowKind::Parameters));
    commands_->setChecked(RangesWindow, w.has(WindowKind::Ranges));
    commands_->setChecked(PlotWindow, (w.has(WindowKind::TimePlot) && !histograms) ||
                                          (w.has(WindowKind::HistogramPlot) && histograms));
    ChildWindow* report = w.find(WindowKind::Report);
    commands_->setChecked(ReportWindow, report && report->asWidget()->isVisible());
}

void CPhonotabDlg::showWindow(int cmd) {
    WindowKind kind = WindowKind::Other;
    switch (cmd) {
        case command::ProjectFilesWindow: kind = WindowKind::ProjectFiles; break;
        case command::ParametersWindow: kind = WindowKind::Parameters; break;
        case command::RangesWindow: kind = WindowKind::Ranges; break;
        case command::ReportWindow: kind = WindowKind::Report; break;
        case command::PlotWindow:
            kind = session_.state().currentFile.workMode == 1 ? WindowKind::HistogramPlot : WindowKind::TimePlot;
            break;
        default: return;
    }
    windows_->show(kind);
    updateWindowChecks();
}

void CPhonotabDlg::run(int cmd) {
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
        case SaveProject: session_.controller().saveProject(); break;
        case SaveProjectAs: session_.controller().saveProjectAs(); break;
        case ChangeWorkingFolder: session_.controller().changeWorkingFolder(); break;
        case ViewIcons: folderView_->setStyle(FolderView::Style::Icons); break;
        case ViewList: folderView_->setStyle(FolderView::Style::List); break;
        case ViewDetails: folderView_->setStyle(FolderView::Style::Details); break;
        case ProjectFilesWindow:
        case ParametersWindow:
        case RangesWindow:
        case PlotWindow:
        case ReportWindow: showWindow(cmd); break;
        case NewTable: folderView_->commands().newTable(); break;
        case InsertStandardTable: folderView_->commands().insertStandardTable(); break;
        case About: AboutDialog(this).exec(); break;
        case ReferenceBookEditor: ReferenceBookListDialog(session_, this).exec(); break;
        case ConvertToText: convertToText(session_, this); break;
        case JoinToText: joinToText(session_, this); break;
        case Summary: makeSummary(session_, this); break;
        case Percentiles: DistributionHistogramDialog(session_.prompts(), session_.settings(), this).exec(); break;
        case Exit: close(); break;
        default: break;
    }
    if (cmd == ViewIcons || cmd == ViewList || cmd == ViewDetails) {
        for (int c : {ViewIcons, ViewList, ViewDetails}) commands_->setChecked(c, c == cmd);
    }
}

void CPhonotabDlg::closeEvent(QCloseEvent* event) {
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

void CPhonotabDlg::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    session_.notifyMainMoved();
}

}  // namespace phonotab
