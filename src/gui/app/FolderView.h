// The folder view of the main window: the report files of the working folder
// as large icons, a list or a table with the columns "Имя", "Тип файла",
// "Прибор" and "VIN". It follows the folder's changes, renames files in place,
// deletes them on the Delete key and offers the file commands in context menus.
#pragma once

#include <QStandardItemModel>
#include <QTimer>
#include <QWidget>

#include "gui/app/FolderCommands.h"

class QAbstractItemView;
class QListView;
class QMenu;
class QStackedLayout;
class QTreeView;

namespace phonotab {

class ChildWindowList;
class ProjectSession;

// The folder's files; editing a name renames the file, and the name keeps the
// new text only when the rename succeeded.
class FolderModel : public QStandardItemModel {
    Q_OBJECT
public:
    FolderModel(FolderCommands& commands, QObject* parent);
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    FolderCommands& commands_;
};

class FolderView : public QWidget {
    Q_OBJECT
public:
    enum class Style { Icons, List, Details };
    static constexpr int kColumnWidths[4] = {270, 70, 70, 70};

    FolderView(ProjectSession& session, ChildWindowList& windows, QWidget* parent = nullptr);

    void setStyle(Style style);
    Style style() const { return style_; }
    // Lists the working folder anew.
    void refresh();

    QStandardItemModel* model() const { return model_; }
    QAbstractItemView* activeView() const;
    QStringList selectedNames() const;
    FolderCommands& commands() { return commands_; }

    // The context menu for a right click on the file `name` (empty: outside
    // any file) with `selected` files selected.
    QMenu* contextMenu(const QString& name, int selected, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void folderChanged();
    // Deletes (asking first when told to) and lists the folder again.
    void removeFiles(const QStringList& names, bool ask);
    void showContextMenu(QAbstractItemView* view, const QPoint& pos);
    void configure(QAbstractItemView* view);

    ProjectSession& session_;
    FolderCommands commands_;
    FolderModel* model_;
    QListView* list_;
    QTreeView* details_;
    QStackedLayout* stack_;
    Style style_ = Style::Icons;
    QString listedFolder_;
    QTimer refreshTimer_;  // folder events come in bursts: one refresh for each burst
};

}  // namespace phonotab
