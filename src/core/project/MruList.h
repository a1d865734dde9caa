// The recent-files and recent-projects lists of the main window: at most four
// paths, most recent first, never the same path twice.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace phonotab {

class MruList {
public:
    static constexpr std::size_t kCapacity = 4;

    // Puts the path in front; an equal path further back is removed and the
    // list is cut to its capacity. An empty path is ignored.
    void add(const std::string& path);
    // Replaces the list by stored values, most recent first; empty values are
    // skipped, repeats and values beyond the capacity dropped.
    void assign(const std::vector<std::string>& values);

    const std::vector<std::string>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    // The path at a position, or an empty text when there is none.
    std::string at(std::size_t i) const { return i < items_.size() ? items_[i] : std::string(); }

private:
    std::vector<std::string> items_;
};

}  // namespace phonotab
