// The histogram plot window: level histograms drawn as bars. Three kinds: the
// current file's stored histograms (display mode and bins per bar chosen in
// its settings menu), a histogram file opened from the working folder (a spin
// box steps through its histograms), and the graph of a report table's cells
// (bars and captions given by the table window).
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/acoustics/HistogramFile.h"
#include "gui/base/ChildWindow.h"
#include "core/plots/BarChartScene.h"
#include "gui/plotwindows/BarChartWidget.h"
#include "core/plots/HistogramColumns.h"
#include "core/plots/PlotFigure.h"

class QMenu;

namespace phonotab {

class HistogramPlotWindow : public ChildWindow {
    Q_OBJECT
public:
    enum class Kind { CurrentFile = 0, HistogramFile = 1, TableGraph = 2 };

    // The window of the current file's histograms.
    HistogramPlotWindow(ProjectSession& session, QWidget* parent);
    // A window showing the histograms of a histogram file.
    HistogramPlotWindow(ProjectSession& session, const HistogramFile& file, QWidget* parent);
    // A table's graph: its bars, captions and settings as the table gives them,
    // and the names its figure's legend gives the series.
    HistogramPlotWindow(ProjectSession& session, BarChartInput chart, QWidget* parent,
                        std::vector<std::string> seriesNames = {});

    Kind kind() const { return kind_; }
    const std::optional<HistogramFile>& histogramFile() const { return file_; }
    BarChartWidget* chart() const { return chart_; }
    QPushButton* settingsButton() const { return settings_; }
    QPushButton* bitmapButton() const { return bitmap_; }
    QPushButton* vectorButton() const { return vector_; }
    QSpinBox* chooser() const { return chooser_; }
    QLabel* readoutLine() const { return readout_; }
    HistogramDisplay displayMode() const { return mode_; }
    int step() const { return step_; }
    std::unique_ptr<QMenu> settingsMenu();
    // The chart as a figure for print, what "-> BMP" and "-> SVG" write: the
    // chart shown with its title and axis titles, and a table graph's legend.
    PlotFigure figure() const;

protected:
    void currentFileChanged() override { reload(); }
    void plotContentChanged() override { reload(); }
    void workRangeChanged() override { reload(); }

private:
    void build();
    void reload();
    void rebuild();
    void askStep();
    void exportVector();

    Kind kind_;
    std::optional<HistogramFile> file_;
    BarChartInput table_;
    std::vector<std::string> seriesNames_;
    std::vector<std::pair<std::string, std::vector<double>>> histograms_;
    int current_ = 0;
    HistogramDisplay mode_ = HistogramDisplay::Counts;
    int step_ = 4;
    std::uint32_t colour_ = 0xFF0000;  // 0x00BBGGRR: blue bars

    BarChartWidget* chart_ = nullptr;
    QPushButton *settings_ = nullptr, *bitmap_ = nullptr, *vector_ = nullptr;
    QSpinBox* chooser_ = nullptr;
    QLabel* readout_ = nullptr;
    bool loading_ = false;
};

}  // namespace phonotab
