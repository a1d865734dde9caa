#include "core/project/WorkingFolderState.h"

#include <filesystem>

namespace phonotab {

bool WorkingFolderState::open(const std::string& localFolder) {
    std::error_code ec;
    open_ = !localFolder.empty() && std::filesystem::is_directory(localFolder, ec);
    if (open_) std::filesystem::current_path(localFolder, ec);
    return open_;
}

}  // namespace phonotab
