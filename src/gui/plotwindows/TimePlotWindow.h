// The time plot window: the curves of the current file's parameters with the
// plot flag against clock or relative time, the exclusion and correction zones
// as bands, two markers and a readout line. The range between the markers
// becomes an exclusion zone, a correction zone or the work range from the
// plot's context menu; every change goes through the document controller, and
// the plot rebuilds (keeping its zoom) on the controller's notices.
#pragma once

#include <QLabel>
#include <QPushButton>

#include <functional>
#include <memory>

#include "gui/acoustics/ZoneCommands.h"
#include "gui/base/ChildWindow.h"
#include "core/base/Result.h"
#include "gui/plots/GraphWindow.h"
#include "core/plots/PlotFigure.h"
#include "core/plots/TimePlotContent.h"
#include "core/project/DocumentNotice.h"

class QMenu;

namespace phonotab {

class TimePlotWindow : public ChildWindow {
    Q_OBJECT
public:
    TimePlotWindow(ProjectSession& session, QWidget* parent);
    ~TimePlotWindow() override;

    // The parts a user works with (and a test walks).
    GraphWindow* graph() const { return graph_; }
    QPushButton* legendButton() const { return legend_; }
    QPushButton* bitmapButton() const { return bitmap_; }
    QPushButton* vectorButton() const { return vector_; }
    QPushButton* propertiesButton() const { return properties_; }
    QLabel* readoutLine() const { return readout_; }
    const TimePlotContent& content() const { return content_; }
    TimeUnit unit() const { return unit_; }
    bool relativeTime() const { return relative_; }
    std::uint32_t legendMask() const { return mask_; }

    // The menus as the buttons and the right mouse button open them; menuAt
    // takes a point of the graph window (null outside the plot).
    std::unique_ptr<QMenu> legendMenu();
    std::unique_ptr<QMenu> propertiesMenu();
    std::unique_ptr<QMenu> menuAt(QPoint graphPoint);

    // The plot as a figure for print, what "-> BMP" and "-> SVG" write: the
    // curves over the range shown, the zones, the axes' titles with their
    // units, the file as the title and a legend of the parameters.
    PlotFigure figure();

    // Shows the stretch [from, to] (seconds from the record start) with a
    // margin on either side and both markers on its ends (an event chosen in
    // the periods and events window); nothing without curves.
    void showSpan(double fromSeconds, double toSeconds);
    // Shades stretches of the current file behind the curves (the nights and
    // the events of the periods and events window); from and to in seconds
    // from the record start. Shown only, never stored; none clears them.
    void shadeSpans(std::vector<ShadedSpan> secondsSpans);

    WindowState ownState() const override;
    void restoreOwnState(const WindowState& s) override;

protected:
    void currentFileChanged() override {
        freshFile_ = true;
        reload();
    }
    void takeFromProject() override {
        freshFile_ = true;
        reload();
    }
    void plotContentChanged() override { reload(); }
    void workRangeChanged() override { rebuild(); }
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    const CalcFile* file() const;
    // The shaded stretches in the axis' units, when they belong to the file shown.
    void applyShadedSpans();
    // Loads the series the plot lacks (long work), then rebuilds.
    void reload();
    // The content from the current file, put into the graph; the zoom stays.
    void rebuild();
    void updateReadout();
    void setUnit(TimeUnit unit);
    void changeCaption(bool xAxis);
    void markModified();

    // The marker range commands and the zone commands.
    // The range between the markers; nothing (the refusal shown) when they do not make one.
    std::optional<SecondsRange> markedRange();
    void excludeRange();
    void correctRange();
    void workRangeFromMarkers();

    ZoneCommands zones_;
    GraphWindow* graph_;
    QPushButton *legend_, *bitmap_, *vector_, *properties_;
    QLabel* readout_;
    TimePlotContent content_;
    std::vector<ShadedSpan> shadedSeconds_;
    std::string shadedFile_;  // the data file they were computed on
    TimeUnit unit_ = TimeUnit::Seconds;
    bool relative_ = false;
    std::uint32_t mask_ = 3;
    std::string xCaption_, yCaption_ = "dB";
    std::optional<QPoint> pointer_;
    bool loading_ = false;
    bool freshFile_ = true;  // the curves shown are of no file, or of another one
};

}  // namespace phonotab
