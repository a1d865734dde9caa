// Cells bound to a percentile of a project file read "the k-th level of the
// file's percentile set" (item 4 + k). When the file's set changes, the
// position of a level changes with it: adding L1 to {5, 50, 95} would turn a
// column of LA5 into L1 without a word. These rules keep every such binding
// on its level, and name the cells whose level is gone, for the user to
// confirm before the new set is taken.
#pragma once

#include <set>
#include <string_view>
#include <vector>

#include "core/project/ProjectState.h"
#include "core/tables/CellKey.h"

namespace phonotab {

// A percentile binding whose level the new set lacks.
struct LostPercentileBinding {
    std::size_t table = 0;  // index into the project's tables
    CellKey cell;
    double level = 0.0;     // the percentile it read
};

std::vector<LostPercentileBinding> percentileBindingsLost(const ProjectState& project, std::string_view source,
                                                          const std::set<double>& before, const std::set<double>& after);

// Moves every percentile binding of the source to the position of its level
// in the new set; a binding whose level is gone loses its binding (the cell
// keeps nothing it could show wrongly). Tables touched are marked modified and
// recalculated. The table form serves tables open outside the project and
// tells whether the table changed.
void remapPercentileBindings(ProjectState& project, std::string_view source, const std::set<double>& before,
                             const std::set<double>& after);
bool remapPercentileBindings(ReportTable& table, std::string_view source, const std::set<double>& before,
                             const std::set<double>& after);

}  // namespace phonotab
