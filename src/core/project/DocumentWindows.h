// The child windows as the document controller sees them: what the project
// stores of them, and the rules of closing and restoring them with the
// project. The desktop's window list implements it.
#pragma once

#include <vector>

#include "core/project/ProjectFiles.h"
#include "core/project/ProjectState.h"

namespace phonotab {

class DocumentWindows {
public:
    virtual ~DocumentWindows() = default;

    // The records the project stores, in the order the windows were opened.
    virtual std::vector<WindowRecord> windowRecords() const = 0;
    // Opens the windows of a loaded project.
    virtual void restoreWindows(const std::vector<WindowRecord>& records) = 0;
    // Closes the windows that the clearing of the project closes.
    virtual void closeWindows(ClearForm form) = 0;
    virtual bool hasWindow(WindowKind kind) const = 0;
    virtual void showWindow(WindowKind kind) = 0;
};

}  // namespace phonotab
