#include "core/platform/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace phonotab {

namespace {

// Whether the process that made a temporary file still runs (a process of
// another user counts as running: its file is not ours to judge).
bool processRuns(long pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Removes the temporary files of the target that writers killed half-way left
// behind: ".<name>.tmp-<pid>-XXXXXX" whose process is gone.
void removeStaleTemporaries(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const std::string prefix = AtomicFileWriter::temporaryPrefix(path);
    std::error_code ec;
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string_view rest(name.data() + prefix.size(), name.size() - prefix.size());
        long pid = 0;
        const auto [next, err] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (err != std::errc() || next == rest.data() || *next != '-') continue;
        if (rest.size() - static_cast<std::size_t>(next - rest.data()) != 7) continue;  // "-" and six characters
        std::error_code removeError;
        if (!processRuns(pid) && it->is_regular_file(removeError)) fs::remove(it->path(), removeError);
    }
}

}  // namespace

std::string AtomicFileWriter::temporaryPrefix(const std::string& path) {
    return "." + std::filesystem::path(path).filename().string() + ".tmp-";
}

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

Status AtomicFileWriter::open(const std::string& path) {
    abandon();
    path_ = path;
    removeStaleTemporaries(path);
    const std::filesystem::path target(path);
    const std::string temporary =
        (target.parent_path() / (temporaryPrefix(path) + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::vector<char> tmpl(temporary.begin(), temporary.end());
    tmpl.push_back('\0');
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return Message(msg::CannotOpen, path);
    temp_ = tmpl.data();
    // mkstemp makes the file private: an existing target keeps its permissions,
    // a new file gets the usual ones.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        ::unlink(temp_.c_str());
        temp_.clear();
        return Message(msg::CannotOpen, path);
    }
    failed_ = false;
    return {};
}

void AtomicFileWriter::write(std::string_view bytes) {
    if (!file_ || failed_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
#ifdef SYNC_FILE_RANGE_WRITE
    // A file of tens of megabytes: the disk starts on what is written while
    // the rest is being made, so that the closing fsync waits for the tail only.
    constexpr std::size_t kWriteBehind = 8u << 20;
    unsynced_ += bytes.size();
    if (unsynced_ >= kWriteBehind && std::fflush(file_) == 0) {
        ::sync_file_range(::fileno(file_), 0, 0, SYNC_FILE_RANGE_WRITE);
        unsynced_ = 0;
    }
#endif
}

bool AtomicFileWriter::finishWriting() {
    if (!file_) return false;
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_) && ::fsync(::fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return !failed_ && flushed && closed;
}

Status AtomicFileWriter::commit() {
    if (!finishWriting() || std::rename(temp_.c_str(), path_.c_str()) != 0) {
        abandon();
        return Message(msg::CannotWrite, path_);
    }
    temp_.clear();
    return {};
}

Result<bool> AtomicFileWriter::commitIfAbsent() {
    if (!finishWriting()) {
        abandon();
        return Message(msg::CannotWrite, path_);
    }
    const int rc = ::link(temp_.c_str(), path_.c_str());
    const int err = errno;
    abandon();  // the temporary name goes either way
    if (rc == 0) return true;
    if (err == EEXIST) return false;
    return Message(msg::CannotWrite, path_);
}

void AtomicFileWriter::abandon() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter w;
    if (Status s = w.open(path); !s) return s;
    w.write(bytes);
    return w.commit();
}

Result<bool> writeFileIfAbsent(const std::string& path, std::string_view bytes) {
    AtomicFileWriter w;
    if (Status s = w.open(path); !s) return s.error();
    w.write(bytes);
    return w.commitIfAbsent();
}

namespace {

// Streams the source into a temporary file beside the target.
Status copyInto(AtomicFileWriter& w, const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in) return Message(msg::CannotOpen, from);
    if (Status s = w.open(to); !s) {
        std::fclose(in);
        return s;
    }
    std::vector<char> buf(1 << 20);
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), in)) > 0) w.write(buf.data(), n);
    const bool readOk = !std::ferror(in);
    std::fclose(in);
    if (!readOk) {
        w.abandon();
        return Message(msg::CannotOpen, from);
    }
    return {};
}

}  // namespace

Status copyFileReplacing(const std::string& from, const std::string& to) {
    AtomicFileWriter w;
    if (Status s = copyInto(w, from, to); !s) return s;
    return w.commit();
}

Result<bool> copyFileIfAbsent(const std::string& from, const std::string& to) {
    AtomicFileWriter w;
    if (Status s = copyInto(w, from, to); !s) return s.error();
    return w.commitIfAbsent();
}

}  // namespace phonotab
