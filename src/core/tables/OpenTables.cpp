#include "core/tables/OpenTables.h"

#include <random>

namespace phonotab {

OpenTables::OpenTables() : next_(std::random_device{}()) {}

OpenTables::OpenTables(Id firstId) : next_(firstId) {}

OpenTables::Id OpenTables::add(ReportTable& table, Home home) {
    while (next_ == 0 || tables_.count(next_)) ++next_;
    const Id id = next_++;
    tables_[id] = Entry{&table, home};
    return id;
}

void OpenTables::remove(Id id) { tables_.erase(id); }

ReportTable* OpenTables::find(Id id) const {
    auto it = tables_.find(id);
    return it == tables_.end() ? nullptr : it->second.table;
}

OpenTables::Id OpenTables::idOf(const ReportTable& table) const {
    for (const auto& [id, entry] : tables_)
        if (entry.table == &table) return id;
    return 0;
}

std::vector<ReportTable*> OpenTables::all() const {
    std::vector<ReportTable*> out;
    out.reserve(tables_.size());
    for (const auto& [id, entry] : tables_) out.push_back(entry.table);
    return out;
}

std::vector<ReportTable*> OpenTables::outsideProject() const {
    std::vector<ReportTable*> out;
    for (const auto& [id, entry] : tables_)
        if (entry.home == Home::OwnFile) out.push_back(entry.table);
    return out;
}

}  // namespace phonotab
