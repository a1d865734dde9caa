// The window of one report table: the painted grid, the toolbar, the header
// and cell menus, the keys, the clipboard and the spreadsheet export. Opened
// from the working folder, made new, or embedded in the report window.
#pragma once

#include <QWidget>

#include <memory>
#include <vector>

#include "gui/base/ChildWindowInterface.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/OpenTables.h"
#include "core/tables/ReportTable.h"

class QAction;
class QMenu;
class QToolBar;

namespace phonotab {

class ProjectSession;
class TableGridView;

// A table window stands alone (opened from the working folder or made new), or
// is embedded in the report window's table tabs, where the table belongs to the
// project and "Сохранить таблицу" is disabled.
enum class TableWindowForm { FreeStanding, Embedded };

class TableWindow : public QWidget, public ChildWindowInterface {
    Q_OBJECT
public:
    TableWindow(ProjectSession& session, ReportTable table, QWidget* parent,
              TableWindowForm form = TableWindowForm::FreeStanding);
    ~TableWindow() override;

    TableWindowForm form() const { return form_; }
    WindowKind windowKind() const override { return WindowKind::Table; }
    QWidget* asWidget() override { return this; }
    // The program or the project closes the window: an edited table is saved
    // on Yes ("Таблица '%s' изменена.\nСохранить изменения?"), without Cancel.
    void closeWithProject() override;

    ReportTable& table() { return table_; }
    const ReportTable& table() const { return table_; }
    const DisplayTexts& displayTexts() const { return shown_; }
    TableGridView& grid() { return *grid_; }

    // The toolbar's commands, in their order.
    enum class Command { Save, CopyColour, CopyBlackAndWhite, ExportWorkbook, SizeAndName, ShowGraph, GraphSettings,
                         Undo, Redo };
    QAction* action(Command command) const;

    // The context menus, as the right mouse button opens them (the walks
    // trigger their items).
    std::unique_ptr<QMenu> columnHeaderMenu(int column);
    std::unique_ptr<QMenu> rowHeaderMenu(int row);
    std::unique_ptr<QMenu> cellMenu(CellKey cell);

    // "Сохранить таблицу": a table without a file asks for one (".tbl");
    // false when the user cancelled or the save failed (the message shown).
    bool save();
    // What a double click (or Return) on the cell does.
    void activateCell(CellKey cell, bool controlHeld);

signals:
    // After every change of the table by the user (an edit, an undo, a redo):
    // the report window stores an embedded table back into the project.
    void tableChanged();

protected:
    // The user closes the window: the same question, with Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildToolbar();
    void buildKeys();
    // Draws the display texts and hands them to the grid.
    void redraw();
    // After a command: the table changed (redrawn, announced) or not.
    void afterCommand(bool changed);
    void updateCommandStates();
    void updateTitle();

    enum class CellCommand { Text, ProjectData, FileData, ReferenceData, ReplaceSource };
    void cellCommand(CellCommand command);
    void editFormula();
    void editMacro(CellKey cell);
    void formatCells();
    void editGraphSettings();
    void showGraph();
    void editProperties();
    void runMacro(CellKey cell);
    void undo();
    void redo();
    void copyHtml(bool colour);
    void exportWorkbook();
    void clearSelection();
    void copyBlock(bool cut);
    void pasteBlock(CellKey at);
    void copyText();
    void pasteText();
    // False when the user cancelled or the save failed (the window stays).
    bool querySave(bool mayCancel);
    QString hint(CellKey cell) const;

    ProjectSession& session_;
    ReportTable table_;
    TableWindowForm form_;
    OpenTables::Id openId_ = 0;
    DisplayTexts shown_;
    QToolBar* toolbar_ = nullptr;
    TableGridView* grid_ = nullptr;
    QAction* actions_[9] = {};
};

}  // namespace phonotab
