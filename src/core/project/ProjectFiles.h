// The operations of the project files window on the project's file list, as
// core operations: the user's answers and chosen files are arguments.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/Result.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectState.h"

namespace phonotab {

// Clearing the project: the full form (loading, "Новый проект") and the
// partial form (another file opened from the project) differ in what the
// main window keeps open; for the project data both copy the current file's
// settings back and forget the current file's type; the full form also drops
// the tables.
enum class ClearForm { Full, Partial };
void clearProject(ProjectState& state, ClearForm form);

// The entry of `files` that is the current file (matched by path, work mode,
// type and reference name); −1 when the current file is none of them.
int currentEntryIndex(const ProjectState& state);
// Copies the current file's settings into its entry; nothing when none matches.
void copyCurrentSettingsBack(ProjectState& state);

// Whether a reference name can be given to a new or renamed entry: not empty
// and unlike every other entry's (except the one at `except`).
bool referenceNameFree(const ProjectState& state, const std::string& name, int except = -1);

struct AddFilesRequest {
    std::vector<std::string> paths;       // as chosen (paths of this system)
    std::string name;                     // the name (one file) or the prefix (several)
    std::string workingFolder;            // stored form, for relative paths
    std::function<bool()> askHistogramMode;  // "Выбрать режим работы с гистограммами?", asked once
};

// Appends entries for the files (message 105 for a file that cannot be
// opened, 132 for an unknown instrument; the files added before stay). The
// name must have been accepted: with one file non-empty and free, with
// several a prefix that is empty or not an existing name (5313 otherwise).
Status addFiles(ProjectState& state, const AddFilesRequest& request, const TeleDesc& desc);

// Replaces the paths of the selected entries by files of the same type (or of
// its type family): 5314 when the counts differ, 105 a file that cannot be
// opened, 5315 another type; pairs handled before an error keep their change.
Status substituteFiles(ProjectState& state, const std::vector<int>& selected, const std::vector<std::string>& paths,
                       const std::string& workingFolder);

// A copy of an entry under a new free name (5313 otherwise), appended.
Status copyEntry(ProjectState& state, int index, const std::string& name);
Status renameEntry(ProjectState& state, int index, const std::string& name);
// Removes entries; currentIndex follows its entry, or is -1 when it went.
void removeEntries(ProjectState& state, std::vector<int> indices);
// Swaps an entry with its neighbour (up: −1, down: +1); currentIndex follows.
void moveEntry(ProjectState& state, int index, int direction);
// Gives the selected entries the current file's settings; 5316 at the first
// entry of another type or work mode (those before keep the change).
Status giveCurrentSettings(ProjectState& state, const std::vector<int>& selected);

}  // namespace phonotab
