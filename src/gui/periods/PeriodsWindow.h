// "Периоды и события": the monitoring results of one parameter of the current
// file per period of the day. The period scheme (built-in or a user's file),
// the event settings and Te; the tables per date and period (with the events'
// count and energy share), per day (with the day–evening–night level), of the
// events and of the clock hours, the hour-of-day profile as a bar chart, the
// whole record's penalised level and the exposure. "Копировать" puts the
// table shown on the clipboard as tab-separated text for a report table;
// "Экспорт в CSV..." writes every table. The settings are kept in the section
// "PeriodsDlg" of the settings; the project does not store the window.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <optional>

#include "core/acoustics/PeriodIndicators.h"
#include "core/plots/GraphZone.h"
#include "core/measurement/FieldCode.h"
#include "gui/base/ChildWindow.h"

namespace phonotab {

class BarChartWidget;
class TextTableModel;

class PeriodsWindow : public ChildWindow {
    Q_OBJECT
public:
    PeriodsWindow(ProjectSession& session, FieldCode code, QWidget* parent);

    FieldCode code() const { return code_; }
    QComboBox* scheme() const { return scheme_; }
    QCheckBox* findEvents() const { return findEvents_; }
    QCheckBox* shadeInPlot() const { return shade_; }
    QDoubleSpinBox* threshold() const { return threshold_; }
    QDoubleSpinBox* minDuration() const { return minDuration_; }
    QDoubleSpinBox* mergeGap() const { return mergeGap_; }
    QDoubleSpinBox* exposureHours() const { return exposureHours_; }
    QPushButton* calculateButton() const { return calculate_; }
    QTabWidget* tabs() const { return tabs_; }
    TextTableModel* model(int tab) const { return models_.at(static_cast<std::size_t>(tab)); }
    BarChartWidget* chart() const { return chart_; }
    QLabel* summary() const { return summary_; }
    const std::optional<PeriodIndicators>& results() const { return results_; }

    // Computes with the settings shown (long work with progress); false when
    // refused or stopped, after saying why.
    bool calculate();
    // The table shown as tab-separated text on the clipboard.
    void copyTable();
    // Every table into a CSV file the user names.
    void exportCsv();

    // A double click on an event's row: the event in the time plot.
    void showEventInPlot(int row);
    // The nights and events of the results, as the time plot shades them.
    std::vector<ShadedSpan> spansInPlot() const;

    // The tabs, in order.
    enum Tab { PeriodsTab, DaysTab, EventsTab, HoursTab };

signals:
    // The event's stretch in seconds from the record start, for the time plot.
    void eventChosen(double fromSeconds, double toSeconds);
    // The nights and the events to shade in the time plot, in seconds from
    // the record start; none when the box is cleared or the results are gone.
    void spansToShade(const std::vector<phonotab::ShadedSpan>& spans);

protected:
    void currentFileChanged() override { clearResults(); }
    void workRangeChanged() override { clearResults(); }
    void plotContentChanged() override { clearResults(); }
    void closeEvent(QCloseEvent* event) override;

private:
    void schemeChosen(int index);
    bool currentScheme(PeriodScheme& out);
    void showResults();
    void clearResults();
    void storeSettings();
    QString parameterCaption();

    FieldCode code_;
    QLabel* parameter_;
    QComboBox* scheme_;
    QCheckBox* findEvents_;
    QCheckBox* shade_ = nullptr;
    QDoubleSpinBox *threshold_, *minDuration_, *mergeGap_, *exposureHours_;
    QPushButton *calculate_, *copy_, *export_;
    QTabWidget* tabs_;
    std::vector<TextTableModel*> models_;
    BarChartWidget* chart_;
    QLabel* summary_;
    std::optional<PeriodIndicators> results_;
    int lastScheme_ = 1;
};

}  // namespace phonotab
