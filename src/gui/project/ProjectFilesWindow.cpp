#include "gui/project/ProjectFilesWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QResizeEvent>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

#include "gui/base/AppIcons.h"
#include "gui/base/EditHistoryActions.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/SettingsStore.h"
#include "gui/base/UiText.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectFiles.h"
#include "gui/project/ProjectFilesModel.h"
#include "core/project/ProjectRenames.h"

namespace phonotab {

namespace {

const QString kProjectFilesWindowSection = QStringLiteral("ProjectDlg");
const QString kShowPath = QStringLiteral("ShowPath");

constexpr int kOtherColumns = 80;

std::vector<std::string> localPaths(const QStringList& paths) {
    std::vector<std::string> out;
    for (const QString& p : paths) out.push_back(fromQt(p));
    return out;
}

}  // namespace

ProjectFilesWindow::ProjectFilesWindow(ProjectSession& session, QWidget* parent)
    : ChildWindow(session, WindowKind::ProjectFiles, uiText(text::ProjectFilesTitle), QStringLiteral("ProjectDlg"), parent) {
    makeDocumentWindow();
    state_ = ProjectFilesWindowState{};
    addEditHistoryActions(this, session);
    model_ = new ProjectFilesModel(session.state(), session.teleDescription(), this);
    model_->setShowPath(session.settings().integer(kProjectFilesWindowSection, kShowPath, 1) != 0);

    toolbar_ = new QToolBar(this);
    toolbar_->setIconSize(QSize(16, 15));
    toolbar_->addSeparator();
    QAction* save = toolbar_->addAction(toolbarIcon(ToolbarImage::SaveProject), uiText(text::SaveProject));
    save->setToolTip(uiText(text::SaveProject));
    connect(save, &QAction::triggered, this, [this] { this->session().controller().saveProject(); });
    toolbar_->addSeparator();
    QAction* all = toolbar_->addAction(toolbarIcon(ToolbarImage::Parameters), uiText(text::RecalcProject));
    all->setToolTip(uiText(text::RecalcProject));
    connect(all, &QAction::triggered, this, [this] { recalculate(true, false); });

    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setStretchLastSection(false);
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->setWordWrap(false);
    connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section == ProjectFilesModel::Source) toggleShowPath();
    });
    connect(view_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { activate(index.row(), index.column()); });
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = view_->indexAt(at);
        if (index.isValid() && !view_->selectionModel()->isRowSelected(index.row(), {})) selectRows({index.row()});
        makeContextMenu()->exec(view_->viewport()->mapToGlobal(at));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 0, 5, 5);
    layout->setSpacing(2);
    layout->addWidget(toolbar_);
    layout->addWidget(view_);

    connect(&session, &ProjectSession::stateChanged, this, [this] { rebuild(); });
    rebuild();
}

ProjectFilesWindow::~ProjectFilesWindow() {
    session().settings().setInteger(kProjectFilesWindowSection, kShowPath, model_->showPath() ? 1 : 0);
}

WindowState ProjectFilesWindow::ownState() const {
    ProjectFilesWindowState s;
    for (int c = 0; c < ProjectFilesModel::ColumnCount; ++c)
        s.columnWidths[static_cast<std::size_t>(c)] = view_->columnWidth(c);
    return s;
}

void ProjectFilesWindow::restoreOwnState(const WindowState& s) {
    const auto* own = std::get_if<ProjectFilesWindowState>(&s);
    if (!own) return;
    bool any = false;
    for (int w : own->columnWidths) any |= w > 0;
    if (!any) return;
    for (int c = 0; c < ProjectFilesModel::ColumnCount; ++c)
        view_->setColumnWidth(c, own->columnWidths[static_cast<std::size_t>(c)]);
    widthsSet_ = true;
}

void ProjectFilesWindow::resizeEvent(QResizeEvent* e) {
    ChildWindow::resizeEvent(e);
    const int inner = view_->viewport()->width();
    if (!widthsSet_) {
        // The other columns show their headers whole; the first takes the rest, at least its content.
        int others = 0;
        for (int c = 1; c < ProjectFilesModel::ColumnCount; ++c) {
            view_->setColumnWidth(c, std::max(kOtherColumns, view_->horizontalHeader()->sectionSizeHint(c)));
            others += view_->columnWidth(c);
        }
        view_->setColumnWidth(0, std::max({60, inner - others, static_cast<const QAbstractItemView*>(view_)->sizeHintForColumn(0)}));
        return;
    }
    // The first column gives way when the columns no longer fit.
    const int others = view_->columnWidth(1) + view_->columnWidth(2) + view_->columnWidth(3);
    if (view_->columnWidth(0) + others > inner && inner > others + 10) view_->setColumnWidth(0, inner - others);
}

void ProjectFilesWindow::rebuild() {
    const std::vector<int> selected = selectedRows();
    model_->rebuild();
    selectRows(selected);
}

std::vector<int> ProjectFilesWindow::selectedRows() const {
    std::vector<int> rows;
    if (!view_->selectionModel()) return rows;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ProjectFilesWindow::selectRows(const std::vector<int>& rows) {
    view_->clearSelection();
    for (int r : rows) {
        if (r < 0 || r >= model_->rowCount()) continue;
        view_->selectionModel()->select(model_->index(r, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view_->scrollTo(model_->index(r, 0));
    }
}

void ProjectFilesWindow::toggleShowPath() { model_->setShowPath(!model_->showPath()); }

std::unique_ptr<QMenu> ProjectFilesWindow::makeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const std::size_t n = selectedRows().size();
    auto add = [&](text::Id text, auto slot) { QObject::connect(menu->addAction(uiText(text)), &QAction::triggered, this, slot); };
    add(text::AddFileToProject, [this] { addFiles(); });
    menu->addSeparator();
    add(text::SubstituteFile, [this] { substituteFiles(); });
    if (n == 1) add(text::CopyInProject, [this] { copySelected(); });
    if (n >= 1) {
        add(text::GiveOpenFileSettings, [this] { giveOpenFileSettings(); });
        add(text::RecalcSelected, [this] { recalculate(false, false); });
        add(text::RecalcSelectedToOneFile, [this] { recalculate(false, true); });
        menu->addSeparator();
    }
    if (n == 1) {
        add(text::MoveUp, [this] { moveSelected(-1); });
        add(text::MoveDown, [this] { moveSelected(+1); });
        menu->addSeparator();
    }
    add(text::RemoveFromProject, [this] { removeSelected(); });
    return menu;
}

bool ProjectFilesWindow::askName(QString& name, bool prefix) {
    for (;;) {
        const std::optional<QString> typed = session().prompts().askText(uiText(text::EnterSourceName), name);
        if (!typed) return false;
        name = *typed;
        const std::string n = fromQt(name);
        const bool accepted = prefix ? (n.empty() || referenceNameFree(session().state(), n))
                                     : referenceNameFree(session().state(), n);
        if (accepted) return true;
        session().prompts().showMessage(Message(msg::NameTaken));
    }
}

void ProjectFilesWindow::showMessages(const std::vector<Message>& messages) {
    std::set<std::string> shown;
    for (const Message& m : messages)
        if (shown.insert(m.text()).second) session().prompts().showMessage(m);
}

void ProjectFilesWindow::addFiles() {
    SettingsStore& settings = session().settings();
    const QStringList paths =
        session().prompts().openFilePaths(uiText(text::AddFileToProject), uiText(text::MeasurementFileFilter),
                                          settings.text(browsesettings::kSection, browsesettings::kDataFolderKey));
    if (paths.isEmpty()) return;
    settings.setText(browsesettings::kSection, browsesettings::kDataFolderKey,
                     QFileInfo(paths.front()).absolutePath() + "/");
    QString name;
    if (!askName(name, paths.size() > 1)) return;
    AddFilesRequest request;
    request.paths = localPaths(paths);
    request.name = fromQt(name);
    request.askHistogramMode = [this] {
        return session().prompts().ask(uiText(text::AskHistogramMode), false) == Prompts::Answer::Yes;
    };
    const Status result = session().controller().addFiles(std::move(request));
    if (!result) session().prompts().showMessage(result.error());
}

void ProjectFilesWindow::substituteFiles() {
    const std::vector<int> selected = selectedRows();
    const QStringList paths = session().prompts().openFilePaths(
        uiText(text::SubstituteFile), uiText(text::MeasurementFileFilter),
        session().settings().text(browsesettings::kSection, browsesettings::kDataFolderKey));
    if (paths.isEmpty()) return;
    // The open file follows its entry's new data file (the controller reopens it).
    const Status result = session().controller().substituteFiles(selected, localPaths(paths));
    if (!result) session().prompts().showMessage(result.error());
}

void ProjectFilesWindow::copySelected() {
    const std::vector<int> selected = selectedRows();
    if (selected.size() != 1) return;
    QString name;
    if (!askName(name, false)) return;
    (void)session().controller().copyEntry(selected[0], fromQt(name));
    selectRows({model_->rowCount() - 1});
}

void ProjectFilesWindow::removeSelected() {
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) return;
    (void)session().controller().removeEntries(selected);
    view_->clearSelection();
}

void ProjectFilesWindow::moveSelected(int direction) {
    const std::vector<int> selected = selectedRows();
    if (selected.size() != 1) return;
    const int row = selected[0], target = row + direction;
    if (target < 0 || target >= model_->rowCount()) return;
    (void)session().controller().moveEntry(row, direction);
    selectRows({target});
}

void ProjectFilesWindow::giveOpenFileSettings() {
    const std::vector<int> selected = selectedRows();
    if (selected.empty()) return;
    const Status result = session().controller().giveCurrentSettings(selected);
    if (!result && result.error().id != msg::Cancelled) session().prompts().showMessage(result.error());
}

void ProjectFilesWindow::recalculate(bool all, bool sharedFile) {
    RecalcRequest request;
    if (!all) {
        const std::vector<int> selected = selectedRows();
        if (selected.empty()) return;
        for (int r : selected) request.entries.insert(session().state().files[static_cast<std::size_t>(r)].referenceName);
    }
    const std::string folder = session().controller().localWorkingFolder();
    request.workingFolder = folder;
    request.resultFolder = folder;
    if (sharedFile) {
        const bool csv = session().state().csvResults;
        const QString path = session().prompts().saveFilePath(
            uiText(text::RecalcSelectedToOneFile),
            csv ? uiText(text::CsvFileFilter) : uiText(text::TextFileFilter),
            toQt(folder), csv ? QStringLiteral("csv") : QStringLiteral("txt"));
        if (path.isEmpty()) return;
        request.sharedFile = fromQt(path);
    }
    const std::string written = request.sharedFile.value_or(folder);
    const RecalcReport report = session().controller().recalculateProject(std::move(request));
    showMessages(report.messages);
    if (!report.cancelled)
        session().announce(messageText(Message(text::ProjectRecalculated, fromQt(QDir::toNativeSeparators(toQt(written))))));
}

void ProjectFilesWindow::activate(int row, int column) {
    if (row < 0 || row >= model_->rowCount()) return;
    if (column == ProjectFilesModel::ReferenceName) {
        renameEntryAt(row);
    } else if (column == ProjectFilesModel::Source) {
        session().controller().openProjectEntry(row);
        selectRows({row});
    }
}

void ProjectFilesWindow::renameEntryAt(int row) {
    const std::string old = session().state().files[static_cast<std::size_t>(row)].referenceName;
    const std::optional<QString> typed = session().prompts().askText(uiText(text::EnterSourceName), toQt(old));
    if (!typed) return;
    const std::string name = fromQt(*typed);
    if (name == old) return;
    if (!referenceNameFree(session().state(), name, row)) {
        session().prompts().showMessage(Message(msg::NameTaken));
        return;
    }
    // The tables' bindings read the source by its name: they follow it.
    if (const int uses = sourceUses(session().state(), old); uses > 0) {
        const Message question(msg::SourceNameInUse, static_cast<std::int64_t>(uses));
        if (session().prompts().ask(messageText(question), false) != Prompts::Answer::Yes) return;
    }
    (void)session().controller().renameEntry(row, name);
    selectRows({row});
}

}  // namespace phonotab
