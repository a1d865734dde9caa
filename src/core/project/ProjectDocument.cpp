#include "core/project/ProjectDocument.h"

#include "core/project/ProjectFile.h"

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
    if (Status s = SaveProject(state_, path); !s) return s;
    modified_ = false;
    path_ = storedPath;
    open_ = true;
    return {};
}

}  // namespace phonotab
