#include "core/project/ProjectDocument.h"

#include "core/project/ProjectFile.h"
#include "core/project/WorkingFolder.h"

namespace phonotab {

Status ProjectDocument::read(const std::string& path) {
    Result<ProjectState> loaded = LoadProject(path, state_);
    if (!loaded) return loaded.error();
    history_.clear();
    state_ = std::move(*loaded);
    path_ = path;
    modified_ = false;
    open_ = true;
    return {};
}

Status ProjectDocument::saveTo(const std::string& path, const std::string& storedPath) {
    // A working folder at or below the project's own folder is written relative
    // to it, so that the project works wherever it is copied with its files.
    ProjectState written = state_;
    written.workingFolder = workingFolderForProjectFile(state_.workingFolder, storedPath);
    if (Status s = SaveProject(written, path); !s) return s;
    modified_ = false;
    path_ = storedPath;
    open_ = true;
    return {};
}

}  // namespace phonotab
