#include "core/project/MruList.h"

#include <algorithm>

namespace phonotab {

void MruList::add(const std::string& path) {
    if (path.empty()) return;
    items_.erase(std::remove(items_.begin(), items_.end(), path), items_.end());
    items_.insert(items_.begin(), path);
    if (items_.size() > kCapacity) items_.resize(kCapacity);
}

void MruList::assign(const std::vector<std::string>& values) {
    items_.clear();
    for (const std::string& v : values) {
        if (v.empty() || std::find(items_.begin(), items_.end(), v) != items_.end()) continue;
        if (items_.size() == kCapacity) break;
        items_.push_back(v);
    }
}

}  // namespace phonotab
