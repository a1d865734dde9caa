// The open project as a document: what its file stores (ProjectState), the
// file it was read from or saved to, whether it changed since, whether a
// project is open at all, and the undo history of its edits.
#pragma once

#include <string>

#include "core/base/Result.h"
#include "core/project/ProjectHistory.h"
#include "core/project/ProjectState.h"

namespace phonotab {

class ProjectDocument {
public:
    const ProjectState& state() const { return state_; }
    ProjectState& state() { return state_; }
    // The project's file; empty for a project never saved.
    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    // Changed since it was last read or saved.
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // Set once a project was made, opened or saved: the project commands need it.
    bool isOpen() const { return open_; }
    void setOpen(bool open) { open_ = open; }
    ProjectHistory& history() { return history_; }
    const ProjectHistory& history() const { return history_; }

    // Reads the project file (an absolute path) into a fresh state: a file
    // that fails leaves the document as it was. Read, the document is open,
    // unmodified, without undo steps and carries the path.
    Status read(const std::string& path);
    // Writes the state to the path (atomically, keeping the file's
    // permissions); written, it is the document's unmodified, open file.
    Status saveTo(const std::string& path, const std::string& storedPath);

private:
    ProjectState state_;
    std::string path_;
    bool modified_ = false;
    bool open_ = false;
    ProjectHistory history_;
};

}  // namespace phonotab
