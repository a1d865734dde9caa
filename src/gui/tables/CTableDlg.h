// The window of one report table opened from the working folder or made new.
// For now a plain window that holds its table and asks before an edited table
// is lost.
#pragma once

#include <QWidget>

#include "app/ChildWindow.h"
#include "tables/ReportTable.h"

namespace phonotab {

class ProjectSession;

// A table window stands alone (opened from the working folder or made new), or
// is embedded in the report window's table tabs, where the table belongs to the
// project and "Сохранить таблицу" is disabled.
enum class TableWindowForm { FreeStanding, Embedded };

class CTableDlg : public QWidget, public ChildWindow {
    Q_OBJECT
public:
    CTableDlg(ProjectSession& session, ReportTable table, QWidget* parent,
              TableWindowForm form = TableWindowForm::FreeStanding);

    TableWindowForm form() const { return form_; }

    WindowKind windowKind() const override { return WindowKind::Table; }
    QWidget* asWidget() override { return this; }
    // The program or the project closes the window: an edited table is saved
    // on Yes ("Таблица '%s' изменена.\nСохранить изменения?"), without Cancel.
    void closeWithProject() override;

    ReportTable& table() { return table_; }
    const ReportTable& table() const { return table_; }

signals:
    // After every change of the table by the user (an edit, an undo, a redo):
    // the report window stores an embedded table back into the project.
    void tableChanged();

protected:
    // The user closes the window: the same question, with Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    // False when the user cancelled or the save failed (the window stays).
    bool querySave(bool mayCancel);

    ProjectSession& session_;
    ReportTable table_;
    TableWindowForm form_;
};

}  // namespace phonotab
