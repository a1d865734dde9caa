#include "core/project/FolderFileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "core/platform/AtomicFile.h"

namespace phonotab {

namespace fs = std::filesystem;

namespace {

std::string inFolder(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

}  // namespace

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

bool copyFileInFolder(const std::string& folder, const std::string& fromName, const std::string& toName) {
    if (!isPlainFileName(fromName) || !isPlainFileName(toName)) return false;
    const std::string from = inFolder(folder, fromName), to = inFolder(folder, toName);
    std::error_code ec;
    if (fs::exists(to, ec) || !fs::is_regular_file(from, ec)) return false;
    // Never replaces a file, not even one that appeared meanwhile.
    const Result<bool> copied = copyFileIfAbsent(from, to);
    return copied.ok() && *copied;
}

bool renameInFolder(const std::string& folder, const std::string& fromName, const std::string& toName) {
    if (!isPlainFileName(fromName) || !isPlainFileName(toName)) return false;
    if (fromName == toName) return true;
    const std::string from = inFolder(folder, fromName), to = inFolder(folder, toName);
    // The rename must fail, not replace, when the new name is taken.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    // File systems without that flag: a hard link fails as well on a taken name.
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

bool deleteInFolder(const std::string& folder, const std::string& name) {
    if (!isPlainFileName(name)) return false;
    std::error_code ec;
    return fs::remove(inFolder(folder, name), ec) && !ec;
}

}  // namespace phonotab
