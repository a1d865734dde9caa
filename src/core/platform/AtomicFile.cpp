#include "core/platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace phonotab {

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

Status AtomicFileWriter::open(const std::string& path) {
    abandon();
    path_ = path;
    std::vector<char> tmpl(path.begin(), path.end());
    const std::string suffix = ".tmpXXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
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
