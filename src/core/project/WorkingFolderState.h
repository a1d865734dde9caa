// Whether the project's working folder exists on this system. An existing
// folder becomes the process's current folder, so that relative paths of the
// user's commands resolve in it.
#pragma once

#include <string>

namespace phonotab {

class WorkingFolderState {
public:
    // Opens the local folder ('/'-terminated; empty while none was chosen);
    // false when it does not exist.
    bool open(const std::string& localFolder);
    bool isOpen() const { return open_; }

private:
    bool open_ = false;
};

}  // namespace phonotab
