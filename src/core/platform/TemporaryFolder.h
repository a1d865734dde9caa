// A scratch folder of the program's own under the system's temporary folder,
// for the steps of a job that leave nothing behind: it and everything in it
// are removed when the object goes.
#pragma once

#include <string>

#include "core/base/Result.h"

namespace phonotab {

class TemporaryFolder {
public:
    // Creates "<temporary folder>/<prefix>XXXXXX"; message 5003 naming the
    // temporary folder when it cannot be made.
    static Result<TemporaryFolder> create(const std::string& prefix);

    TemporaryFolder(TemporaryFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
    TemporaryFolder& operator=(TemporaryFolder&& other) noexcept;
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder();

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    explicit TemporaryFolder(std::string path) : path_(std::move(path)) {}
    void remove();

    std::string path_;
};

}  // namespace phonotab
