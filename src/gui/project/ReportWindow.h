// The report window: the title-page texts, the conclusion, the illustrations
// and one tab per report table (the table window embedded), and the commands
// that write the report through a template, as a document and as PDF.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "gui/base/ChildWindow.h"
#include "core/project/ProjectState.h"
#include "core/project/ReportDocument.h"

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
class ReportJob;

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
    QAction* writePdfReportAction() const { return writePdfReport_; }

    std::unique_ptr<QMenu> tableTabMenu(std::size_t k);
    // "Сохранить отчет в документ Word через шаблон"; false when cancelled or failed.
    bool writeReport();
    // "Сохранить отчет в PDF": the same report converted by LibreOffice; false
    // when cancelled or failed (LibreOffice missing is said before any question).
    bool writePdfReport();
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
    // The template the report is written from, asked under the command's title; empty when cancelled.
    QString chooseTemplate(const QString& title);
    // The output beside the project, named after it, with the suffix.
    QString suggestedOutput(const QString& suffix);
    // Writes the report to output as long work and says what it wrote; false when cancelled or failed.
    // Writes the report of the job with the options the window shows.
    using ReportWriting =
        std::function<Result<ReportOutcome>(const ReportJob& job, const Progress& progress, const ReportOptions& options)>;
    bool writeReportWith(const QString& title, const QString& output, const ReportWriting& writing);

    QToolBar* toolbar_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<QWidget*, kReportTexts> fields_{};  // in ReportText order
    std::array<std::string, kReportTexts> taken_;  // the texts as the fields last took them from the project
    ReportIllustrationList* illustrations_ = nullptr;
    std::vector<TableWindow*> tables_;
    QAction *saveProject_ = nullptr, *addTable_ = nullptr, *writeReport_ = nullptr, *writePdfReport_ = nullptr;
    QCheckBox* decimalComma_ = nullptr;
    static constexpr int FixedTabs = 3;
};

}  // namespace phonotab
