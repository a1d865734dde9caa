#include "gui/app/ChildWindowList.h"

#include <QScreen>

#include <algorithm>

#include "gui/acoustics/ParametersWindow.h"
#include "gui/acoustics/RangesWindow.h"
#include "gui/periods/PeriodsWindow.h"
#include "gui/plotwindows/HistogramPlotWindow.h"
#include "gui/plotwindows/TimePlotWindow.h"
#include "gui/project/ReportWindow.h"
#include "gui/project/ProjectFilesWindow.h"
#include "gui/base/ProjectSession.h"
#include "gui/base/ScreenPlacement.h"
#include "gui/base/SettingsStore.h"

namespace phonotab {

ChildWindowList::ChildWindowList(ProjectSession& session) : session_(session) {}

ChildWindowList::~ChildWindowList() {
    for (const Entry& e : entries_) QObject::disconnect(e.object, nullptr, this, nullptr);
}

std::vector<ChildWindowInterface*> ChildWindowList::all() const {
    std::vector<ChildWindowInterface*> out;
    for (const Entry& e : entries_) out.push_back(e.window);
    return out;
}

ChildWindowInterface* ChildWindowList::find(WindowKind kind) const {
    for (const Entry& e : entries_)
        if (e.window->windowKind() == kind) return e.window;
    return nullptr;
}

ChildWindowInterface* ChildWindowList::make(WindowKind kind) {
    QWidget* p = parent_;
    switch (kind) {
        case WindowKind::ProjectFiles: return new ProjectFilesWindow(session_, p);
        case WindowKind::Ranges: return new RangesWindow(session_, p);
        case WindowKind::Parameters: {
            auto* parameters = new ParametersWindow(session_, p);
            connect(parameters, &ParametersWindow::periodsRequested, this, [this](FieldCode code) {
                auto* periods = new PeriodsWindow(session_, code, parent_);
                // An event chosen there is shown in the time plot.
                connect(periods, &PeriodsWindow::eventChosen, this, [this](double from, double to) {
                    if (auto* plot = dynamic_cast<TimePlotWindow*>(show(WindowKind::TimePlot))) plot->showSpan(from, to);
                });
                // Its nights and events are shaded in the time plot, which is opened for them.
                connect(periods, &PeriodsWindow::spansToShade, this, [this](const std::vector<ShadedSpan>& spans) {
                    if (spans.empty()) {
                        if (auto* plot = dynamic_cast<TimePlotWindow*>(find(WindowKind::TimePlot))) plot->shadeSpans({});
                    } else if (auto* plot = dynamic_cast<TimePlotWindow*>(show(WindowKind::TimePlot))) {
                        plot->shadeSpans(spans);
                    }
                });
                add(periods);
            });
            return parameters;
        }
        case WindowKind::TimePlot: return new TimePlotWindow(session_, p);
        case WindowKind::HistogramPlot: return new HistogramPlotWindow(session_, p);
        case WindowKind::Report: return new ReportWindow(session_, p);
        case WindowKind::Table:
        case WindowKind::Other: break;
    }
    return nullptr;
}

void ChildWindowList::append(ChildWindowInterface* window) {
    QWidget* w = window->asWidget();
    if (!window->hasOwnPlacement()) {
        // Cascaded from the main window's corner, inside the screen it is on.
        const QRect area = parent_ && parent_->screen() ? parent_->screen()->availableGeometry() : primaryScreenArea();
        const QPoint anchor = parent_ ? parent_->geometry().topLeft() : area.topLeft();
        w->move(cascadePosition(anchor, static_cast<int>(entries_.size()), w->size(), area));
    }
    entries_.push_back({w, window});
    connect(w, &QObject::destroyed, this, [this](QObject* gone) {
        const auto before = entries_.size();
        std::erase_if(entries_, [gone](const Entry& e) { return e.object == gone; });
        if (entries_.size() != before) emit changed();
    });
    w->show();
    emit changed();
}

void ChildWindowList::add(ChildWindowInterface* window) {
    if (window) append(window);
}

ChildWindowInterface* ChildWindowList::create(WindowKind kind) {
    ChildWindowInterface* window = make(kind);
    if (window) append(window);
    return window;
}

ChildWindowInterface* ChildWindowList::show(WindowKind kind) {
    if (ChildWindowInterface* open = find(kind)) {
        QWidget* w = open->asWidget();
        w->showNormal();
        w->raise();
        w->activateWindow();
        emit changed();
        return open;
    }
    return create(kind);
}

std::vector<WindowRecord> ChildWindowList::records() const {
    std::vector<WindowRecord> out;
    for (const Entry& e : entries_) {
        // Windows of no stored kind (periods and events) keep their settings elsewhere.
        if (e.window->windowKind() == WindowKind::Other) continue;
        WindowRecord rec;
        rec.kind = e.window->windowKind();
        if (rec.kind != WindowKind::Table) {
            const QRect g = e.window->asWidget()->geometry();
            rec.rect = {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
            rec.state = e.window->ownState();
        }
        out.push_back(std::move(rec));
    }
    return out;
}

void ChildWindowList::restore(const std::vector<WindowRecord>& records) {
    for (const WindowRecord& rec : records) {
        const bool single = rec.kind == WindowKind::ProjectFiles || rec.kind == WindowKind::Ranges ||
                            rec.kind == WindowKind::Parameters || rec.kind == WindowKind::Report;
        const bool plot = rec.kind == WindowKind::TimePlot || rec.kind == WindowKind::HistogramPlot;
        if (!single && !plot) continue;
        ChildWindowInterface* window = single ? find(rec.kind) : nullptr;
        if (!window) window = create(rec.kind);
        if (!window) continue;
        QWidget* w = window->asWidget();
        w->show();
        const QRect r = rectFromEdges(rec.rect.left, rec.rect.top, rec.rect.right, rec.rect.bottom);
        // A rectangle off every screen keeps the cascaded place (and takes its size).
        const bool reachable = titleBarReachable(r.isValid() ? r : QRect(r.topLeft(), w->size()), availableScreenAreas());
        if (rec.kind == WindowKind::Ranges) {
            if (reachable) w->move(r.topLeft());
        } else if (r.width() > 0 && r.height() > 0) {
            if (reachable)
                w->setGeometry(r);
            else
                w->resize(r.size());
        }
        window->restoreOwnState(rec.state);
    }
}

void ChildWindowList::close(const std::vector<ChildWindowInterface*>& windows) {
    for (ChildWindowInterface* window : windows) {
        QWidget* w = window->asWidget();
        std::erase_if(entries_, [w](const Entry& e) { return e.object == w; });
        QObject::disconnect(w, nullptr, this, nullptr);
        window->closeWithProject();
        // The window hears the session no more; it goes once control returns
        // to the event loop, which keeps a window safe whose own command led here.
        QObject::disconnect(&session_, nullptr, w, nullptr);
        w->hide();
        w->deleteLater();
    }
    if (!windows.empty()) emit changed();
}

void ChildWindowList::closeForClear(ClearForm form) {
    // Every window but the tables first, then (full form) the table windows.
    std::vector<ChildWindowInterface*> first, tables;
    for (const Entry& e : entries_) {
        const WindowKind k = e.window->windowKind();
        if (k == WindowKind::Table) {
            tables.push_back(e.window);
        } else if (form == ClearForm::Full || (k != WindowKind::ProjectFiles && k != WindowKind::Report)) {
            first.push_back(e.window);
        }
    }
    close(first);
    if (form == ClearForm::Full) close(tables);
}

}  // namespace phonotab
