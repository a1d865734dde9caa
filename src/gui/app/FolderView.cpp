#include "gui/app/FolderView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QStackedLayout>
#include <QTreeView>

#include "gui/base/AppIcons.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"
#include "core/project/FolderListing.h"

namespace phonotab {

namespace {
constexpr text::Id kHeaders[4] = {text::FileNameColumn, text::FileTypeColumn, text::InstrumentColumn, text::VinColumn};
constexpr int kRefreshDelayMs = 150;
}  // namespace

FolderModel::FolderModel(FolderCommands& commands, QObject* parent) : QStandardItemModel(parent), commands_(commands) {}

bool FolderModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != 0) return QStandardItemModel::setData(index, value, role);
    const QString from = index.data(Qt::DisplayRole).toString();
    const QString to = value.toString();
    if (to == from) return false;
    if (!commands_.rename(from, to)) return false;
    return QStandardItemModel::setData(index, value, role);
}

FolderView::FolderView(ProjectSession& session, ChildWindowList& windows, QWidget* parent)
    : QWidget(parent), session_(session), commands_(session, windows) {
    model_ = new FolderModel(commands_, this);
    model_->setColumnCount(4);
    QStringList headers;
    for (text::Id id : kHeaders) headers << uiText(id);
    model_->setHorizontalHeaderLabels(headers);

    list_ = new QListView(this);
    list_->setModel(model_);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideMiddle);  // long names keep their beginning and extension
    list_->setUniformItemSizes(false);
    configure(list_);

    details_ = new QTreeView(this);
    details_->setModel(model_);
    details_->setSelectionModel(list_->selectionModel());
    details_->setRootIsDecorated(false);
    details_->setItemsExpandable(false);
    details_->setUniformRowHeights(true);
    details_->setAllColumnsShowFocus(true);
    for (int c = 0; c < 4; ++c) details_->header()->resizeSection(c, kColumnWidths[c]);
    details_->header()->setStretchLastSection(false);
    configure(details_);

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(list_);
    stack_->addWidget(details_);
    setStyle(Style::Icons);

    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(kRefreshDelayMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &FolderView::refresh);
    connect(&session_, &ProjectSession::folderChanged, this, &FolderView::folderChanged);
    refresh();
}

void FolderView::configure(QAbstractItemView* view) {
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->installEventFilter(this);
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        commands_.open(model_->item(index.row(), 0)->text());
    });
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& pos) { showContextMenu(view, pos); });
}

void FolderView::setStyle(Style style) {
    style_ = style;
    if (style == Style::Details) {
        stack_->setCurrentWidget(details_);
        return;
    }
    const bool icons = style == Style::Icons;
    list_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
    list_->setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
    list_->setGridSize(icons ? QSize(120, 72) : QSize());
    list_->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setSpacing(icons ? 4 : 1);
    stack_->setCurrentWidget(list_);
}

QAbstractItemView* FolderView::activeView() const {
    return style_ == Style::Details ? static_cast<QAbstractItemView*>(details_) : list_;
}

void FolderView::folderChanged() {
    // Another folder is listed at once; changes inside the folder after a moment.
    if (session_.localWorkingFolder() != listedFolder_)
        refresh();
    else
        refreshTimer_.start();
}

void FolderView::refresh() {
    refreshTimer_.stop();
    // The files selected before stay selected while they exist.
    const QStringList selected = listedFolder_ == session_.localWorkingFolder() ? selectedNames() : QStringList();
    listedFolder_ = session_.localWorkingFolder();
    model_->removeRows(0, model_->rowCount());
    if (listedFolder_.isEmpty()) return;
    for (const FolderItem& item : listWorkingFolder(fromQt(listedFolder_))) {
        QList<QStandardItem*> row;
        auto* name = new QStandardItem(folderItemIcon(item.kind), toQt(item.name));
        name->setEditable(true);
        row << name;
        for (const std::string& c : item.columns) {
            auto* cell = new QStandardItem(toQt(c));
            cell->setEditable(false);
            row << cell;
        }
        model_->appendRow(row);
        if (selected.contains(name->text()))
            list_->selectionModel()->select(name->index(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void FolderView::removeFiles(const QStringList& names, bool ask) {
    commands_.remove(names, ask);
    refresh();
}

QStringList FolderView::selectedNames() const {
    QStringList names;
    for (const QModelIndex& i : list_->selectionModel()->selectedRows(0)) names << model_->item(i.row(), 0)->text();
    return names;
}

QMenu* FolderView::contextMenu(const QString& name, int selected, QWidget* parent) {
    auto* menu = new QMenu(parent);
    if (selected >= 2) {
        const QStringList names = selectedNames();
        menu->addAction(uiText(text::DeleteFiles), this, [this, names] { removeFiles(names, true); });
        return menu;
    }
    if (name.isEmpty()) {
        menu->addAction(uiText(text::NewTable), this, [this] { commands_.newTable(); });
        menu->addAction(uiText(text::InsertStandardTable), this, [this] { commands_.insertStandardTable(); });
        return menu;
    }
    menu->addAction(name)->setEnabled(false);
    menu->addAction(uiText(text::OpenWithDesktop), this, [this, name] { commands_.openExternally(name); });
    menu->addAction(uiText(text::CopyFile), this, [this, name] { commands_.copy(name); });
    if (folderItemKind(fromQt(name)) == FolderItemKind::Table)
        menu->addAction(uiText(text::PutIntoStore), this, [this, name] { commands_.putIntoStore(name); });
    menu->addSeparator();
    menu->addAction(uiText(text::DeleteFile), this, [this, name] { removeFiles({name}, false); });
    menu->addSeparator();
    menu->addAction(uiText(text::FileProperties), this, [this, name] { commands_.properties(name); });
    return menu;
}

void FolderView::showContextMenu(QAbstractItemView* view, const QPoint& pos) {
    const QModelIndex index = view->indexAt(pos);
    const QString name = index.isValid() ? model_->item(index.row(), 0)->text() : QString();
    QMenu* menu = contextMenu(name, static_cast<int>(selectedNames().size()), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(view->viewport()->mapToGlobal(pos));
}

bool FolderView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        (watched == list_ || watched == details_)) {
        // (While a name is edited the key goes to the editor, not here.)
        const QStringList names = selectedNames();
        if (!names.isEmpty()) removeFiles(names, true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace phonotab
