// The user's reference books as the program keeps them: the books, the file
// they were read from, and what was read, so that they are written back at
// the end only when they changed — and never over a file that failed to read
// (the user mends it in an editor until the next start).
#pragma once

#include <string>

#include "core/base/Result.h"
#include "core/project/ReferenceBooks.h"

namespace phonotab {

class ReferenceBookStore {
public:
    ReferenceBooks& books() { return books_; }
    const ReferenceBooks& books() const { return books_; }

    // Reads the books from the file, which becomes the one written back.
    Status load(const std::string& path);
    // Writes the books back when they were read and changed since; a file
    // that cannot be written is skipped silently (the program is closing).
    void saveIfChanged();
    // Whether the books may be edited: not after a read error, when nothing
    // is written back (an edit would be lost at exit without a word).
    bool editable() const { return !readFailed_; }
    const std::string& path() const { return path_; }

private:
    ReferenceBooks books_, asRead_;
    std::string path_;
    bool read_ = false;
    bool readFailed_ = false;
};

}  // namespace phonotab
