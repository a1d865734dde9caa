// The common base of the child windows (project files, parameters, ranges,
// plots, report): a modeless dialog owned by the main window that follows the
// session's notifications, keeps its placement in the settings, and is
// destroyed when closed.
#pragma once

#include <QDialog>
#include <QString>

#include "gui/base/ChildWindowInterface.h"

namespace phonotab {

class ProjectSession;

class ChildWindow : public QDialog, public ChildWindowInterface {
    Q_OBJECT
public:
    // settingsKey: the key of the window's rectangle in the section
    // "Settings"; empty when the window keeps none.
    ChildWindow(ProjectSession& session, WindowKind kind, const QString& title, const QString& settingsKey,
              QWidget* parent);
    ~ChildWindow() override;

    WindowKind windowKind() const override { return kind_; }
    QWidget* asWidget() override { return this; }
    bool hasOwnPlacement() const override { return placed_; }

    // Plain windows keep the stored state as they read it, so that a project
    // keeps it over a save.
    WindowState ownState() const override { return state_; }
    void restoreOwnState(const WindowState& s) override { state_ = s; }

protected:
    ProjectSession& session() { return session_; }

    // The session's notifications.
    virtual void putIntoProject() {}       // before saving and closing: pending edits into the project
    virtual void takeFromProject() {}      // after loading: the window's state from the project
    virtual void currentFileChanged() {}   // the current file was (re)opened or the project loaded
    virtual void viewChanged() {}          // what is to be shown changed
    virtual void plotContentChanged() {}   // a correction zone was added or plot flags changed
    virtual void workRangeChanged() {}     // the work range or the exclusion zones changed
    virtual void mainWindowMoved() {}

    void showEvent(QShowEvent* e) override;
    // For the large windows: one the window manager may put behind the main
    // window and minimize (see DocumentWindow.h). Call in the constructor.
    void makeDocumentWindow();

    WindowState state_;

private:
    bool shown_ = false;  // only a window that was on screen stores its placement
    bool placed_ = false;  // the stored rectangle was taken
    ProjectSession& session_;
    WindowKind kind_;
    QString settingsKey_;
};

}  // namespace phonotab
