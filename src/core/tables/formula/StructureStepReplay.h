// Bringing formula and macro texts up to date with a whole series of row and
// column insertions and deletions at once, instead of rewriting every text
// after every single change: a macro that inserts rows one after another would
// otherwise rewrite its own (long) text once per insertion.
#pragma once

#include <string>
#include <vector>

namespace phonotab {

// One change of the table's structure: a row or column inserted (delta +1) or
// deleted (delta -1) at index.
struct StructureStep {
    bool columns = false;
    int index = 0;
    int delta = 0;
};

// Rewrites every text exactly as ShiftReferences in insert/delete mode (the
// filter starting at the step's row or column) would after each step in turn.
// rows and columns are the table's counts before the first step, and every
// step is one the table accepted (an insertion at most at the count, a
// deletion below it). The work is linear in the texts plus the steps, each
// step costing at most the table's row or column count.
void ReplayStructureSteps(const std::vector<std::string*>& texts, int rows, int columns,
                          const std::vector<StructureStep>& steps);

}  // namespace phonotab
