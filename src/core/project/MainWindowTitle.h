// The title of the main window: the project path, and the current file with
// its instrument when one is open.
#pragma once

#include <cstdint>
#include <string>

namespace phonotab {

struct TitleFile {
    std::string path;        // the current file's path (its name is the part after the last separator)
    std::string instrument;  // the instrument's name
    std::uint32_t serialNumber = 0;
};

// Without a current file the project path, or "Phonotab" while the project has
// none; with one "%s: %s (%s, VIN: %08X)" of the project path (or "Phonotab"),
// the file name, the instrument name and the serial number.
std::string mainWindowTitle(const std::string& projectPath, const TitleFile* file);

}  // namespace phonotab
