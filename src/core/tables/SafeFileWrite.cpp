#include "tables/SafeFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace phonotab {

namespace {

constexpr int kCannotOpen = 105;
constexpr int kCannotWrite = 5003;

// Writes the bytes to a new temporary file beside path; its name in tmp.
Status writeTemporary(const std::string& path, std::string_view bytes, std::string& tmp) {
    std::vector<char> name(path.begin(), path.end());
    for (char c : std::string_view(".XXXXXX")) name.push_back(c);
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return Message(kCannotOpen, path);
    tmp.assign(name.data());
    // mkstemp makes the file private: an existing target keeps its permissions,
    // a new file gets the usual ones.
    struct stat st {};
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return Message(kCannotWrite, path);
    }
    return Status::success();
}

}  // namespace

Status writeFileReplacing(const std::string& path, std::string_view bytes) {
    std::string tmp;
    if (Status s = writeTemporary(path, bytes, tmp); !s) return s;
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return Message(kCannotWrite, path);
    }
    return Status::success();
}

Result<bool> writeFileIfAbsent(const std::string& path, std::string_view bytes) {
    std::string tmp;
    if (Status s = writeTemporary(path, bytes, tmp); !s) return s.error();
    // A hard link never replaces an existing file.
    const int rc = ::link(tmp.c_str(), path.c_str());
    const int err = errno;
    ::unlink(tmp.c_str());
    if (rc == 0) return true;
    if (err == EEXIST) return false;
    return Message(kCannotWrite, path);
}

}  // namespace phonotab
