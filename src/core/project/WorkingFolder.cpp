#include "core/project/WorkingFolder.h"

#include <filesystem>

#include "core/project/ProjectPaths.h"

namespace phonotab {

std::string storedWorkingFolder(const std::string& localFolder) {
    std::error_code ec;
    std::string abs = std::filesystem::absolute(localFolder, ec).lexically_normal().string();
    if (ec) abs = localFolder;
    std::string stored = toStoredPath(abs);
    if (stored.empty() || stored.back() != '\\') stored += '\\';
    return stored;
}

std::string localWorkingFolder(const std::string& storedFolder) {
    if (storedFolder.empty()) return {};
    std::string local = storedPathToLocal(storedFolder, "");
    if (local.empty() || local.back() != '/') local += '/';
    return local;
}

}  // namespace phonotab
