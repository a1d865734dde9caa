// The project recalculation: every chosen file calculated with its stored
// settings, its result files written, and the values of the tables' bindings
// filled from the results.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/base/Message.h"
#include "core/base/Progress.h"
#include "core/base/TextCodec.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectState.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

struct RecalcRequest {
    std::set<std::string> entries;            // reference names; empty: every entry
    std::optional<std::string> sharedFile;    // one result file for all (replaced)
    std::string projectFile;                  // the open project's file (never taken as the shared file)
    std::string workingFolder;                // the project's working folder on this system
    std::string resultFolder;                 // where result files go (ends with '/')
    TextEncoding encoding = TextEncoding::Utf8;
    bool parallel = true;                     // independent files on several cores
    Progress progress;                        // the share of files done; a stop ends after the running files
    // The tables of open table windows: their bindings are answered as the
    // project's tables' are (a table opened from the working folder is no
    // project table, but the user sees its values follow the project).
    std::vector<ReportTable*> openTables;
};

struct RecalcReport {
    std::vector<Message> messages;
    bool cancelled = false;
};

// The value of a statistic of a calculated entry's first window: item −1 gives
// 0, 0 the minimum, 1 the maximum, 2 the Leq, 3 the Leq time, 4 and above a
// percentile; -1.0 when the calculation has no such value.
double boundValue(const struct ParameterEntry& entry, int item);

// Whether a file may serve as the shared result file, which is replaced
// before the run: never one of the project's data files nor the project's
// own file (5800 with the path).
Status checkSharedResultFile(const ProjectState& state, const RecalcRequest& request);

// The bindings of the recalculated sources receive their new values (no value
// when the source's file gave none); the bindings of other sources keep
// theirs. A stopped run, or a refused shared file, changes no binding.
RecalcReport RecalculateProject(ProjectState& state, const TeleDesc& desc, const RecalcRequest& request);

}  // namespace phonotab
