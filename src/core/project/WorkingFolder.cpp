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

namespace {

namespace fs = std::filesystem;

fs::path projectFolder(const std::string& projectPath) {
    std::error_code ec;
    fs::path p = fs::absolute(projectPath, ec);
    if (ec) p = projectPath;
    return p.lexically_normal().parent_path();
}

bool isAbsoluteStored(const std::string& stored) {
    const bool drive = stored.size() >= 2 && stored[1] == ':';
    return drive || (!stored.empty() && (stored.front() == '\\' || stored.front() == '/'));
}

}  // namespace

std::string workingFolderForProjectFile(const std::string& storedFolder, const std::string& projectPath) {
    if (storedFolder.empty() || !isAbsoluteStored(storedFolder)) return storedFolder;
    const fs::path folder = fs::path(localWorkingFolder(storedFolder)).lexically_normal();
    const fs::path base = projectFolder(projectPath);
    const fs::path relative = folder.lexically_relative(base);
    if (relative.empty()) return storedFolder;
    const std::string text = relative.generic_string();
    if (text == "." || text == "./") return ".\\";
    if (text == ".." || text.rfind("../", 0) == 0) return storedFolder;  // above the project: stays absolute
    std::string stored = toStoredPath(text);
    if (stored.back() != '\\') stored += '\\';
    return stored;
}

ProjectWorkingFolder resolveProjectWorkingFolder(const std::string& storedFolder, const std::string& projectPath) {
    const fs::path base = projectFolder(projectPath);
    if (storedFolder.empty() || !isAbsoluteStored(storedFolder))
        return {storedWorkingFolder(storedFolder.empty() ? base.string() : storedPathToLocal(storedFolder, base.string())),
                false};
    std::error_code ec;
    if (fs::is_directory(localWorkingFolder(storedFolder), ec)) return {storedFolder, false};
    return {storedWorkingFolder(base.string()), true};
}

}  // namespace phonotab
