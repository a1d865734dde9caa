// The reference-book editors: "Список справочников" lists the books (names
// edited in place, books added and deleted) and opens "Состав справочника"
// for a book (values and descriptions edited in place, records added and
// deleted). Renames and edits go through the document controller, so that
// the tables' "#book#index" formulas follow them.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include <string>

class QTableView;

namespace phonotab {

class ProjectSession;

// The books as a one-column model; a name edited in place renames the book.
class ReferenceBookListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReferenceBookListModel(ProjectSession& session, QObject* parent = nullptr);
    void rebuild();
    std::string bookAt(int row) const;
    int rowOf(const std::string& book) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    ProjectSession& session_;
};

// The records of one book: value and description, both edited in place.
class ReferenceBookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ReferenceBookModel(ProjectSession& session, std::string book, QObject* parent = nullptr);
    void rebuild();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    ProjectSession& session_;
    std::string book_;
};

class ReferenceBookListDialog : public QDialog {
    Q_OBJECT
public:
    ReferenceBookListDialog(ProjectSession& session, QWidget* parent);

    QTableView* list() const { return view_; }
    ReferenceBookListModel* model() const { return model_; }
    // The context menu's commands.
    void addBook();
    void removeBook(int row);
    // A double click on a book: its records' dialog (modal).
    void openBook(int row);

private:
    ProjectSession& session_;
    ReferenceBookListModel* model_;
    QTableView* view_;
};

class ReferenceBookDialog : public QDialog {
    Q_OBJECT
public:
    ReferenceBookDialog(ProjectSession& session, const std::string& book, QWidget* parent);

    QTableView* list() const { return view_; }
    ReferenceBookModel* model() const { return model_; }
    void addRecord();
    // Deleting moves the later records up: asked first when formulas read the book.
    void removeRecord(int row);

private:
    ProjectSession& session_;
    std::string book_;
    ReferenceBookModel* model_;
    QTableView* view_;
};

}  // namespace phonotab
