// The main window's child windows in the order they were opened: created on
// demand, shown again when they exist, stored in and restored from the
// project, closed with the project. The main window owns the list; the
// document controller reaches it as its DocumentWindows.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "gui/base/ChildWindowInterface.h"
#include "core/project/DocumentWindows.h"
#include "core/project/ProjectFiles.h"

namespace phonotab {

class ProjectSession;

class ChildWindowList : public QObject, public DocumentWindows {
    Q_OBJECT
public:
    explicit ChildWindowList(ProjectSession& session);
    ~ChildWindowList() override;

    // The window the child windows belong to.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    QWidget* parentWidget() const { return parent_; }

    std::vector<ChildWindowInterface*> all() const;
    // The first open window of a kind, or null.
    ChildWindowInterface* find(WindowKind kind) const;
    bool has(WindowKind kind) const { return find(kind) != nullptr; }

    // Shows the open window of the kind normally and activates it, or creates,
    // shows and appends one.
    ChildWindowInterface* show(WindowKind kind);
    // Always a new window of the kind, shown and appended.
    ChildWindowInterface* create(WindowKind kind);
    // Appends a window made elsewhere (a table window, a histogram file's plot) and shows it.
    void add(ChildWindowInterface* window);

    // The records the project stores: the kind, the rectangle on the screen and
    // the own state of each window, table windows by their kind alone; windows
    // of no stored kind are left out.
    std::vector<WindowRecord> records() const;
    // Restores the windows of a loaded project: project files, ranges,
    // parameters and report reuse an open window of their kind, plots are
    // always new; the ranges window keeps its size.
    void restore(const std::vector<WindowRecord>& records);

    // Closes the windows that a clearing of the project closes: the full form
    // every window, the partial form all but the project files window, the
    // report window and the table windows.
    void closeForClear(ClearForm form);

    // The document controller's view of the list.
    std::vector<WindowRecord> windowRecords() const override { return records(); }
    void restoreWindows(const std::vector<WindowRecord>& records) override { restore(records); }
    void closeWindows(ClearForm form) override { closeForClear(form); }
    bool hasWindow(WindowKind kind) const override { return has(kind); }
    void showWindow(WindowKind kind) override { show(kind); }

signals:
    // A window came or went: the check marks of the window menu follow.
    void changed();

private:
    struct Entry {
        QObject* object;  // identity, for the destroyed signal
        ChildWindowInterface* window;
    };
    ChildWindowInterface* make(WindowKind kind);
    void append(ChildWindowInterface* window);
    void close(const std::vector<ChildWindowInterface*>& windows);

    ProjectSession& session_;
    QPointer<QWidget> parent_;
    std::vector<Entry> entries_;
};

}  // namespace phonotab
