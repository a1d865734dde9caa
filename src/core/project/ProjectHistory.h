// Undo and redo of every edit of the open project: its file list, report
// texts, tables and illustrations, options, and the edits of the current
// file (work range, zones, parameter entries, calculation settings).
#pragma once

#include <cstddef>
#include <deque>

#include "core/project/ProjectCommand.h"

namespace phonotab {

class ProjectHistory {
public:
    // The steps kept; the oldest go first.
    static constexpr std::size_t Depth = 100;

    // An edit that was made: its step goes on top and the steps to redo are forgotten.
    void record(ProjectCommand command);
    // Takes the last step back (or makes the last undone step again) and
    // answers it; null when there is none.
    const ProjectCommand* undo();
    const ProjectCommand* redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clear();

private:
    std::deque<ProjectCommand> undo_, redo_;
};

}  // namespace phonotab
