// A project entry's stored settings as the calculation state of its file, and
// back: the link between the project and the statistics engine.
#pragma once

#include <string>

#include "core/acoustics/CalculateFile.h"
#include "core/base/Result.h"
#include "core/project/ProjectState.h"

namespace phonotab {

// The parameter entries of stored selections (display name = caption) and back.
std::vector<ParameterEntry> entriesFromSelections(const std::vector<ParameterSelection>& selections);
std::vector<ParameterSelection> selectionsFromEntries(const std::vector<ParameterEntry>& entries);

// Loads an entry's data file (its work mode decides how) and gives it the
// entry's stored settings: selections, work range, ranges, histogram and scan
// settings. A work range of no samples stands for the whole record. Loading
// reports through the progress and stops with 5006 when asked.
Result<CalcFile> openEntry(const ProjectFileEntry& entry, const std::string& localPath, const TeleDesc& desc,
                           bool includeExclusionsUncorrected, const Progress& progress = {});

// Stores a calculation state's settings into an entry.
void storeSettings(const CalcFile& cf, ProjectFileEntry& entry);

}  // namespace phonotab
