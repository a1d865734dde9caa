#include "core/platform/TemporaryFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace phonotab {

Result<TemporaryFolder> TemporaryFolder::create(const std::string& prefix) {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return Message(msg::CannotWrite, base.string());
    return TemporaryFolder(std::move(pattern));
}

TemporaryFolder& TemporaryFolder::operator=(TemporaryFolder&& other) noexcept {
    if (this != &other) {
        remove();
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

TemporaryFolder::~TemporaryFolder() { remove(); }

void TemporaryFolder::remove() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);  // best effort: a leftover in the temporary folder harms nobody
    path_.clear();
}

}  // namespace phonotab
