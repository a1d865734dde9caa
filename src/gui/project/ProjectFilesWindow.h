// The project files window ("Состав проекта"): the measurement files of the
// project with their reference names, work modes and instruments, and the
// commands that edit the list (add, substitute, copy, remove, reorder, give
// the open file's settings, rename) and recalculate chosen files. Every change
// goes through the document controller; the list redraws on its notices.
#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "gui/base/ChildWindow.h"
#include "core/base/Message.h"

class QMenu;
class QTableView;
class QToolBar;

namespace phonotab {

class ProjectFilesModel;

class ProjectFilesWindow : public ChildWindow {
    Q_OBJECT
public:
    ProjectFilesWindow(ProjectSession& session, QWidget* parent);
    ~ProjectFilesWindow() override;

    WindowState ownState() const override;
    void restoreOwnState(const WindowState& s) override;

    QTableView* list() const { return view_; }
    QToolBar* toolbar() const { return toolbar_; }
    ProjectFilesModel* model() const { return model_; }

    // The context menu for the present selection (its items by the selection's size).
    std::unique_ptr<QMenu> makeContextMenu();

    // The commands of the window, as the menu and the toolbar run them.
    void addFiles();
    void substituteFiles();
    void copySelected();
    void removeSelected();
    void moveSelected(int direction);
    void giveOpenFileSettings();
    // The selected entries (or, with `all`, every entry), optionally into one
    // shared result file that the user chooses.
    void recalculate(bool all, bool sharedFile);
    // Double click: a new reference name in column 1, the file made current in column 0.
    void activate(int row, int column);
    void renameEntryAt(int row);

    std::vector<int> selectedRows() const;
    void selectRows(const std::vector<int>& rows);

protected:
    void takeFromProject() override { rebuild(); }
    void currentFileChanged() override { rebuild(); }
    void resizeEvent(QResizeEvent* e) override;

private:
    void rebuild();
    void toggleShowPath();
    // A reference name for a new or copied entry, asked until acceptable.
    bool askName(QString& name, bool prefix);
    void showMessages(const std::vector<Message>& messages);

    ProjectFilesModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    bool widthsSet_ = false;
};

}  // namespace phonotab
