#include "project/FolderFileOps.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

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
    // The bytes go to a temporary file first; a hard link then gives it the new
    // name, which never replaces a file that appeared meanwhile.
    std::string tmp = to + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    ::close(fd);
    bool ok = fs::copy_file(from, tmp, fs::copy_options::overwrite_existing, ec) && !ec;
    if (ok) ok = ::link(tmp.c_str(), to.c_str()) == 0;
    ::unlink(tmp.c_str());
    return ok;
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
