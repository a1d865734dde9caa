// What a double click on a file of the working folder opens: a histogram file
// (a ".txt" text whose first line begins with "#comment_histo:") its histogram
// plot, a table file its table window, any other file the desktop's program
// for it. The desktop acts on the answer.
#pragma once

#include <string>
#include <string_view>

#include "core/acoustics/HistogramFile.h"
#include "core/base/Result.h"

namespace phonotab {

enum class FolderItemOpening { HistogramPlot, TableWindow, DesktopProgram };

// Decided from the file's name (the end of it, letter case ignored) and its
// first bytes (those readFileHead gives; only read for a histogram's name).
FolderItemOpening folderItemOpening(std::string_view fileName, std::string_view head);
// The same for a file on disk, reading its first bytes when they matter.
FolderItemOpening folderItemOpeningOf(const std::string& path);

// A histogram file read for its plot. Messages: 105 the file cannot be read or
// is too large for a histogram file, 5001 it holds no histogram.
Result<HistogramFile> loadHistogramFile(const std::string& path);

}  // namespace phonotab
