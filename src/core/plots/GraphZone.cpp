#include "core/plots/GraphZone.h"

namespace phonotab {

bool zoneDrawnAsLine(const std::vector<GraphZone>& zones, std::size_t i) {
    if (i >= zones.size() || zones[i].fillsBand()) return false;
    return i + 1 == zones.size() || !zones[i + 1].fillsBand();
}

}  // namespace phonotab
