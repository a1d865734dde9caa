// What the document controller tells the windows after a change: each window
// redraws on the notices it cares about and never on another window's call.
#pragma once

namespace phonotab {

enum class DocumentNotice {
    SyncToProject,         // put pending edits into the project (before saving or closing)
    SyncFromProject,       // take the window's state from the project (after loading)
    FileChanged,           // the current file was (re)opened, or a project loaded
    ViewChanged,           // what is to be shown changed
    FolderChanged,         // the working folder's contents changed
    WorkingFolderChanged,  // another working folder was chosen (or found missing)
    PlotContentChanged,    // parameter entries, flags or correction zones changed (32780)
    WorkRangeChanged,      // the work range or the exclusion zones changed (32781)
    StateChanged,          // the title, the command states or the recent lists may differ
};

}  // namespace phonotab
