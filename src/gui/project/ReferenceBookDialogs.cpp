#include "gui/project/ReferenceBookDialogs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/base/DialogButtons.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/UiText.h"
#include "core/base/CFormat.h"
#include "core/project/ProjectRenames.h"

namespace phonotab {

namespace {
QTableView* makeView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    return view;
}

// After a read error the books are not written back at exit: an edit is
// refused with a message instead of being lost without a word.
bool editAllowed(ProjectSession& session) {
    const Status editable = session.controller().referenceBooksEditable();
    if (!editable) session.prompts().showMessage(editable.error());
    return static_cast<bool>(editable);
}

void layOut(QDialog* dialog, QTableView* view) {
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(view);
    auto* buttons = standardButtons(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace

// ---- the list of books -------------------------------------------------------------------

ReferenceBookListModel::ReferenceBookListModel(ProjectSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

void ReferenceBookListModel::rebuild() {
    beginResetModel();
    endResetModel();
}

std::string ReferenceBookListModel::bookAt(int row) const {
    const auto& books = session_.controller().referenceBooks().referenceBooks;
    if (row < 0 || row >= static_cast<int>(books.size())) return {};
    return std::next(books.begin(), row)->first;
}

int ReferenceBookListModel::rowOf(const std::string& book) const {
    const auto& books = session_.controller().referenceBooks().referenceBooks;
    auto it = books.find(book);
    return it == books.end() ? -1 : static_cast<int>(std::distance(books.begin(), it));
}

int ReferenceBookListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(session_.controller().referenceBooks().referenceBooks.size());
}

int ReferenceBookListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant ReferenceBookListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return toQt(bookAt(index.row()));
}

QVariant ReferenceBookListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section != 0) return {};
    return uiText(text::ReferenceBookName);
}

Qt::ItemFlags ReferenceBookListModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool ReferenceBookListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const std::string old = bookAt(index.row());
    const std::string typed = fromQt(value.toString());
    if (referenceBookName(typed) == old || referenceBookName(typed).empty()) return false;
    if (session_.controller().referenceBooks().book(referenceBookName(typed))) {
        session_.prompts().showMessage(Message(msg::NameExists));
        return false;
    }
    // The formulas that read the book by name follow it: asked first.
    if (!editAllowed(session_)) return false;
    if (const int uses = session_.controller().referenceBookUses(old); uses > 0) {
        const Message question(msg::BookInUse, static_cast<std::int64_t>(uses));
        if (session_.prompts().ask(messageText(question), false) != Prompts::Answer::Yes) return false;
    }
    const Result<bool> renamed = session_.controller().renameReferenceBook(old, typed);
    if (!renamed) {
        session_.prompts().showMessage(renamed.error());
        return false;
    }
    rebuild();
    return true;
}

ReferenceBookListDialog::ReferenceBookListDialog(ProjectSession& session, QWidget* parent)
    : QDialog(parent), session_(session), model_(new ReferenceBookListModel(session, this)) {
    setWindowTitle(uiText(text::ReferenceBookListTitle));
    view_ = makeView(model_, this);
    layOut(this, view_);
    resize(360, 300);
    connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { openBook(i.row()); });
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = view_->indexAt(at);
        QMenu menu(this);
        connect(menu.addAction(uiText(text::AddReferenceBook)), &QAction::triggered, this, [this] { addBook(); });
        if (index.isValid())
            connect(menu.addAction(uiText(text::RemoveReferenceBook)), &QAction::triggered, this,
                    [this, row = index.row()] { removeBook(row); });
        menu.exec(view_->viewport()->mapToGlobal(at));
    });
}

void ReferenceBookListDialog::addBook() {
    if (!editAllowed(session_)) return;
    const std::optional<QString> typed = session_.prompts().askText(uiText(text::EnterReferenceBookName), QString());
    if (!typed) return;
    const Result<bool> added = session_.controller().referenceBooks().addBook(fromQt(*typed));
    if (!added) {
        session_.prompts().showMessage(added.error());
        return;
    }
    model_->rebuild();
    if (const int row = model_->rowOf(referenceBookName(fromQt(*typed))); row >= 0) view_->selectRow(row);
}

void ReferenceBookListDialog::removeBook(int row) {
    const std::string book = model_->bookAt(row);
    if (book.empty() || !editAllowed(session_)) return;
    session_.controller().referenceBooks().removeBook(book);
    session_.controller().referenceBookEdited(book);
    model_->rebuild();
}

void ReferenceBookListDialog::openBook(int row) {
    const std::string book = model_->bookAt(row);
    if (book.empty()) return;
    ReferenceBookDialog dialog(session_, book, this);
    dialog.exec();
}

// ---- the records of a book ---------------------------------------------------------------

ReferenceBookModel::ReferenceBookModel(ProjectSession& session, std::string book, QObject* parent)
    : QAbstractTableModel(parent), session_(session), book_(std::move(book)) {}

void ReferenceBookModel::rebuild() {
    beginResetModel();
    endResetModel();
}

int ReferenceBookModel::rowCount(const QModelIndex& parent) const {
    const auto* records = session_.controller().referenceBooks().book(book_);
    return parent.isValid() || !records ? 0 : static_cast<int>(records->size());
}

int ReferenceBookModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant ReferenceBookModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    const ReferenceRecord* r = session_.controller().referenceBooks().record(book_, index.row());
    if (!r) return {};
    return index.column() == 0 ? toQt(cformat("%.10lg", r->value)) : toQt(r->description);
}

QVariant ReferenceBookModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? uiText(text::ReferenceValue) : section == 1 ? uiText(text::ReferenceDescription) : QVariant();
}

Qt::ItemFlags ReferenceBookModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool ReferenceBookModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !editAllowed(session_)) return false;
    auto& books = session_.controller().referenceBooks().referenceBooks;
    auto it = books.find(book_);
    if (it == books.end() || index.row() >= static_cast<int>(it->second.size())) return false;
    ReferenceRecord& r = it->second[static_cast<std::size_t>(index.row())];
    if (index.column() == 0) {
        const Result<double> v = parseReferenceValue(fromQt(value.toString()));
        if (!v) {
            session_.prompts().showMessage(v.error());
            return false;
        }
        r.value = *v;
    } else {
        r.description = std::string(trimBlanks(fromQt(value.toString())));
    }
    session_.controller().referenceBookEdited(book_);
    emit dataChanged(index, index);
    return true;
}

ReferenceBookDialog::ReferenceBookDialog(ProjectSession& session, const std::string& book, QWidget* parent)
    : QDialog(parent), session_(session), book_(book), model_(new ReferenceBookModel(session, book, this)) {
    setWindowTitle(uiText(text::ReferenceBookTitle) + QStringLiteral(" — ") + toQt(book));
    view_ = makeView(model_, this);
    view_->setColumnWidth(0, 90);
    layOut(this, view_);
    resize(420, 300);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = view_->indexAt(at);
        QMenu menu(this);
        connect(menu.addAction(uiText(text::AddReferenceRecord)), &QAction::triggered, this, [this] { addRecord(); });
        if (index.isValid())
            connect(menu.addAction(uiText(text::RemoveReferenceRecord)), &QAction::triggered, this,
                    [this, row = index.row()] { removeRecord(row); });
        menu.exec(view_->viewport()->mapToGlobal(at));
    });
}

void ReferenceBookDialog::addRecord() {
    if (!editAllowed(session_)) return;
    if (!session_.controller().referenceBooks().addRecord(book_, {})) return;
    model_->rebuild();
    const QModelIndex added = model_->index(model_->rowCount() - 1, 0);
    view_->setCurrentIndex(added);
    view_->edit(added);
}

void ReferenceBookDialog::removeRecord(int row) {
    if (row < 0 || row >= model_->rowCount() || !editAllowed(session_)) return;
    if (const int uses = session_.controller().referenceBookUses(book_); uses > 0) {
        const Message question(msg::BookRecordInUse, static_cast<std::int64_t>(uses));
        if (session_.prompts().ask(messageText(question), false) != Prompts::Answer::Yes) return;
    }
    session_.controller().referenceBooks().removeRecord(book_, static_cast<std::size_t>(row));
    session_.controller().referenceBookEdited(book_);
    model_->rebuild();
}

}  // namespace phonotab
