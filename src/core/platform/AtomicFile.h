// Writing a user's file without ever leaving it half-written: the bytes go to a
// temporary file beside the target, which replaces the target by a rename only
// once everything was written. A failure leaves the old file as it was.
//
// The temporary file is hidden (".<name>.tmp-<process>-XXXXXX"), so that the
// folder view never shows it. A writer killed half-way cannot remove its own:
// the next write of the same target removes those left by processes that no
// longer run.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/base/Result.h"

namespace phonotab {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();  // without commit(), the temporary file is removed
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file; message 105 with the target's path on failure.
    Status open(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    void write(std::string_view bytes);
    void write(const void* data, std::size_t size) { write(std::string_view(static_cast<const char*>(data), size)); }
    // The temporary file as a stream, for writers that print into one; an
    // error of theirs on it fails the commit.
    std::FILE* stream() const { return file_; }
    // Flushes, closes and renames onto the target; 5003 when any step failed.
    Status commit();
    // Like commit(), but only when the target does not exist yet: false (and
    // the target untouched) when it does. A link never replaces a file, so a
    // file created meanwhile by someone else is not clobbered either.
    Result<bool> commitIfAbsent();
    // Drops the temporary file; the target stays untouched.
    void abandon();

    // The hidden temporary name's prefix for a target (".<name>.tmp-").
    static std::string temporaryPrefix(const std::string& path);

private:
    bool finishWriting();

    std::string path_, temp_;
    std::FILE* file_ = nullptr;
    std::size_t unsynced_ = 0;  // bytes written since the disk was last asked to start writing
    bool failed_ = false;
};

// Replaces (or creates) the file: 105 when the temporary file cannot be
// created, 5003 when writing or replacing fails; the old file is then intact.
// An existing file keeps its permissions.
Status writeFileAtomically(const std::string& path, std::string_view bytes);
// Creates the file only if it does not exist: false (nothing written) when it does.
Result<bool> writeFileIfAbsent(const std::string& path, std::string_view bytes);

// Copies a file the same two ways, streaming it (a data file may be large):
// 105 when the source cannot be read, otherwise as above.
Status copyFileReplacing(const std::string& from, const std::string& to);
Result<bool> copyFileIfAbsent(const std::string& from, const std::string& to);

}  // namespace phonotab
