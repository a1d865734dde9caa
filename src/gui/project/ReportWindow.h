// The report window: the title-page texts, the conclusion, the illustrations
// and one tab per report table (the table window embedded), and the command
// that writes the report document through a template.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "gui/base/ChildWindow.h"
#include "core/project/ProjectState.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QToolBar;

namespace phonotab {

class TableWindow;
class ReportIllustrationList;

class ReportWindow : public ChildWindow {
    Q_OBJECT
public:
    ReportWindow(ProjectSession& session, QWidget* parent);

    QTabWidget* tabs() const { return tabs_; }
    // The field of a title-page or conclusion text.
    QWidget* textField(ReportText t) const { return fields_[static_cast<std::size_t>(t)]; }
    ReportIllustrationList* illustrationList() const { return illustrations_; }
    // The embedded window of the k-th report table.
    TableWindow* tableWindow(std::size_t k) const { return k < tables_.size() ? tables_[k] : nullptr; }
    QAction* addTableAction() const { return addTable_; }
    QAction* writeReportAction() const { return writeReport_; }
    // "Десятичная запятая": the report's numbers written "72,5" (remembered).
    QCheckBox* decimalCommaBox() const { return decimalComma_; }

    std::unique_ptr<QMenu> tableTabMenu(std::size_t k);
    // "Сохранить отчет в документ Word через шаблон"; false when cancelled or failed.
    bool writeReport();
    void addTable();

protected:
    void putIntoProject() override;
    void takeFromProject() override;

private:
    QWidget* buildTitlePage();
    QWidget* buildConclusionPage();
    void setText(ReportText t, const QString& text);
    QString text(ReportText t) const;
    void rebuildTables();
    void moveTable(std::size_t k, int direction);
    void reloadTable(std::size_t k);
    void removeTable(std::size_t k);

    QToolBar* toolbar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<QWidget*, kReportTexts> fields_{};  // in ReportText order
    std::array<std::string, kReportTexts> taken_;  // the texts as the fields last took them from the project
    ReportIllustrationList* illustrations_ = nullptr;
    std::vector<TableWindow*> tables_;
    QAction *saveProject_ = nullptr, *addTable_ = nullptr, *writeReport_ = nullptr;
    QCheckBox* decimalComma_ = nullptr;
    static constexpr int FixedTabs = 3;
};

}  // namespace phonotab
