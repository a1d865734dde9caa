#include "core/project/PercentileBindings.h"

#include <iterator>
#include <optional>

namespace phonotab {

namespace {

// The level a percentile item reads in a set; nothing for other items or an
// item past the set.
std::optional<double> levelOf(std::int32_t item, const std::set<double>& levels) {
    if (item < CellBinding::FirstPercentile) return std::nullopt;
    const auto k = static_cast<std::size_t>(item - CellBinding::FirstPercentile);
    if (k >= levels.size()) return std::nullopt;
    return *std::next(levels.begin(), static_cast<std::ptrdiff_t>(k));
}

std::optional<std::int32_t> itemOf(double level, const std::set<double>& levels) {
    const auto it = levels.find(level);
    if (it == levels.end()) return std::nullopt;
    return CellBinding::FirstPercentile + static_cast<std::int32_t>(std::distance(levels.begin(), it));
}

}  // namespace

std::vector<LostPercentileBinding> percentileBindingsLost(const ProjectState& project, std::string_view source,
                                                          const std::set<double>& before, const std::set<double>& after) {
    std::vector<LostPercentileBinding> lost;
    for (std::size_t t = 0; t < project.tables.size(); ++t)
        for (const auto& [cell, b] : project.tables[t].table.bindings) {
            if (b.sourceName != source) continue;
            const std::optional<double> level = levelOf(b.itemIndex, before);
            if (level && !after.count(*level)) lost.push_back({t, cell, *level});
        }
    return lost;
}

bool remapPercentileBindings(ReportTable& table, std::string_view source, const std::set<double>& before,
                             const std::set<double>& after) {
    bool changed = false;
    for (auto it = table.bindings.begin(); it != table.bindings.end();) {
        CellBinding& b = it->second;
        const std::optional<double> level = b.sourceName == source ? levelOf(b.itemIndex, before) : std::nullopt;
        if (!level) {
            ++it;
            continue;
        }
        if (const std::optional<std::int32_t> item = itemOf(*level, after)) {
            if (*item != b.itemIndex) {
                b.itemIndex = *item;
                changed = true;
            }
            ++it;
        } else {
            it = table.bindings.erase(it);
            changed = true;
        }
    }
    if (changed) {
        table.RequestRecalculation();
        table.SetModified();
    }
    return changed;
}

void remapPercentileBindings(ProjectState& project, std::string_view source, const std::set<double>& before,
                             const std::set<double>& after) {
    for (ProjectTable& t : project.tables) remapPercentileBindings(t.table, source, before, after);
}

}  // namespace phonotab
