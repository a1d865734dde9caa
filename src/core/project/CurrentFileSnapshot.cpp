#include "core/project/CurrentFileSnapshot.h"

#include <utility>

namespace phonotab {

namespace {

std::vector<ParameterEntry> withoutSeries(const std::vector<ParameterEntry>& entries) {
    std::vector<ParameterEntry> out;
    out.reserve(entries.size());
    for (const ParameterEntry& e : entries) {
        ParameterEntry copy;
        copy.code = e.code;
        copy.flags = e.flags;
        copy.colour = e.colour;
        copy.displayName = e.displayName;
        copy.subEntries = withoutSeries(e.subEntries);
        copy.first = e.first;
        copy.second = e.second;
        out.push_back(std::move(copy));
    }
    return out;
}

// Gives each entry of `into` the series of the first unused entry of the
// same parameter in `from`.
void moveSeries(std::vector<ParameterEntry>& from, std::vector<ParameterEntry>& into) {
    std::vector<bool> used(from.size(), false);
    for (ParameterEntry& e : into) {
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (used[i] || from[i].code != e.code) continue;
            used[i] = true;
            e.data = std::move(from[i].data);
            e.data2 = std::move(from[i].data2);
            e.loaded = from[i].loaded;
            moveSeries(from[i].subEntries, e.subEntries);
            break;
        }
    }
}

}  // namespace

CurrentFileSnapshot CurrentFileSnapshot::of(const CalcFile& file) {
    return CurrentFileSnapshot{file.settings, file.ranges, withoutSeries(file.entries)};
}

void CurrentFileSnapshot::restoreInto(CalcFile& file) const {
    std::vector<ParameterEntry> entries = withoutSeries(this->entries);
    moveSeries(file.entries, entries);
    file.settings = settings;
    file.ranges = ranges;
    file.entries = std::move(entries);
}

}  // namespace phonotab
