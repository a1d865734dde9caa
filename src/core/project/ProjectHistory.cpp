#include "core/project/ProjectHistory.h"

#include <utility>

namespace phonotab {

void ProjectHistory::record(ProjectCommand command) {
    undo_.push_back(std::move(command));
    if (undo_.size() > Depth) undo_.pop_front();
    redo_.clear();
}

const ProjectCommand* ProjectHistory::undo() {
    if (undo_.empty()) return nullptr;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    redo_.back().undo();
    return &redo_.back();
}

const ProjectCommand* ProjectHistory::redo() {
    if (redo_.empty()) return nullptr;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    undo_.back().redo();
    return &undo_.back();
}

void ProjectHistory::clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace phonotab
