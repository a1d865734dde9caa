// One step of the project's undo history: it knows how to take its edit
// back and how to make it again, and which notices tell the windows. The
// document controller builds these inside its edit verbs; the windows never
// hand it code to run.
#pragma once

#include <functional>
#include <vector>

#include "core/project/DocumentNotice.h"

namespace phonotab {

struct ProjectCommand {
    std::function<void()> undo;
    std::function<void()> redo;
    std::vector<DocumentNotice> notices;
};

}  // namespace phonotab
