#include "core/tables/DataTree.h"

#include <algorithm>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

template <typename T>
const T* atPosition(const std::vector<T>& list, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return nullptr;
    return &list[static_cast<std::size_t>(position)];
}

template <typename T>
const T* byNumber(const std::vector<T>& list, int number) {
    auto it = std::find_if(list.begin(), list.end(), [&](const T& x) { return x.number == number; });
    return it == list.end() ? nullptr : &*it;
}

}  // namespace

DataPath ResolveDataPath(DataTree& tree, const DataSelection& s) {
    DataPath p;
    if (s.record < 0) return p;
    p.record = tree.record(static_cast<std::size_t>(s.record));
    if (!p.record) return p;
    p.channel = byNumber(p.record->channels, s.channel);
    if (!p.channel) return p;
    p.type = byNumber(p.channel->types, s.type);
    if (!p.type) return p;
    if (!s.modeName.empty()) {
        auto it = std::find_if(p.type->modes.begin(), p.type->modes.end(),
                               [&](const DataMode& m) { return m.name == s.modeName; });
        p.mode = it == p.type->modes.end() ? nullptr : &*it;
    } else {
        p.mode = byNumber(p.type->modes, s.mode);
    }
    if (!p.mode) return p;
    p.band = atPosition(p.mode->bands, s.band);
    return p;
}

std::string SelectedDataText(DataTree& tree, const DataSelection& s) {
    const DataPath p = ResolveDataPath(tree, s);
    const std::string notFound = "0";
    switch (s.output) {
        case 0: return p.band ? p.band->value : notFound;
        case 1: return p.band ? p.band->name : notFound;
        case 2: return p.mode ? p.mode->name : notFound;
        case 3: return p.type ? p.type->name : notFound;
        case 4: return p.channel ? p.channel->name : notFound;
        case 5: return p.record ? p.record->names[0] : notFound;
        case 6: return p.record ? p.record->names[1] : notFound;
        default: return notFound;
    }
}

DataSelection InitialDataSelection(DataTree& tree) {
    DataSelection s;
    const DataRecord* r = tree.record(0);
    if (!r || r->channels.empty()) return s;
    const DataChannel& c = r->channels.front();
    s.channel = c.number;
    if (c.types.empty()) return s;
    const DataType& t = c.types.front();
    s.type = t.number;
    if (!t.modes.empty()) s.mode = t.modes.front().number;
    return s;
}

std::string dataValueText(std::optional<double> number) { return number ? cformat("%.6lf", *number) : "?"; }

}  // namespace phonotab
