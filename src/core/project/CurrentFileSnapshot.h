// The edit state of the current file as an undo step keeps it: the settings,
// the zones and the parameter entries, without the entries' level series (a
// file of millions of samples would be copied at every click). Putting a
// snapshot back moves each series over from the entry of the same parameter,
// and an entry that comes back without one loads it again at the next
// calculation.
#pragma once

#include <vector>

#include "core/acoustics/CalculateFile.h"

namespace phonotab {

struct CurrentFileSnapshot {
    CalcSettings settings;
    RangeSet ranges;
    std::vector<ParameterEntry> entries;  // without their series

    static CurrentFileSnapshot of(const CalcFile& file);
    // Puts the snapshot into the file; the file keeps the series it has.
    void restoreInto(CalcFile& file) const;
};

}  // namespace phonotab
