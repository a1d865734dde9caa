#include "core/tables/OpenTables.h"

#include <random>

namespace phonotab {

OpenTables::OpenTables() : next_(std::random_device{}()) {}

OpenTables::OpenTables(Id firstId) : next_(firstId) {}

OpenTables::Id OpenTables::add(ReportTable& table) {
    while (next_ == 0 || tables_.count(next_)) ++next_;
    const Id id = next_++;
    tables_[id] = &table;
    return id;
}

void OpenTables::remove(Id id) { tables_.erase(id); }

ReportTable* OpenTables::find(Id id) const {
    auto it = tables_.find(id);
    return it == tables_.end() ? nullptr : it->second;
}

OpenTables::Id OpenTables::idOf(const ReportTable& table) const {
    for (const auto& [id, t] : tables_)
        if (t == &table) return id;
    return 0;
}

std::vector<ReportTable*> OpenTables::all() const {
    std::vector<ReportTable*> out;
    out.reserve(tables_.size());
    for (const auto& [id, table] : tables_) out.push_back(table);
    return out;
}

}  // namespace phonotab
