// The ranges window: the current file's work range, exclusion zones and
// correction zones on a time bar, set with two sliders and three buttons, and
// changed through the bar's context menus. Every change goes through the
// document controller, which tells every window to redraw.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <functional>
#include <memory>

#include "gui/acoustics/TimeBarWidget.h"
#include "gui/acoustics/ZoneCommands.h"
#include "gui/base/ChildWindow.h"
#include "core/base/Result.h"
#include "core/project/DocumentNotice.h"

class QMenu;

namespace phonotab {

class RangesWindow : public ChildWindow {
    Q_OBJECT
public:
    RangesWindow(ProjectSession& session, QWidget* parent);

    // The parts a user works with (and a test walks).
    TimeBarWidget* bar() const { return bar_; }
    QSlider* slider(int i) const { return sliders_[i]; }
    QLineEdit* timeEdit(int i) const { return times_[i]; }
    QPushButton* workButton() const { return work_; }
    QPushButton* correctionsButton() const { return corrections_; }
    QPushButton* exclusionsButton() const { return exclusions_; }
    QPushButton* invertButton() const { return invert_; }
    QCheckBox* relativeTimes() const { return relative_; }

    // The context menu of a point of the bar (null where the bar offers none);
    // with several zones under the point the user first picks one.
    std::unique_ptr<QMenu> menuAt(QPoint position);

protected:
    void currentFileChanged() override { refresh(true); }
    void takeFromProject() override { refresh(true); }
    void workRangeChanged() override { refresh(false); }
    void plotContentChanged() override { refresh(false); }

private:
    const CalcFile* file();
    void refresh(bool resetSliders);
    void updateTimes();
    void setWorkRange();
    void addCorrections();
    void addExclusions();
    void invertExclusions();
    // The slider positions ordered; false when they are equal.
    bool sliderRange(std::int64_t& lo, std::int64_t& hi) const;
    void editWorkRangeBounds();

    ZoneCommands zones_;
    TimeBarWidget* bar_;
    QSlider* sliders_[2];
    QLineEdit* times_[2];
    QPushButton *work_, *corrections_, *exclusions_, *invert_;
    QCheckBox* relative_;
};

}  // namespace phonotab
