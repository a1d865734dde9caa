#include "core/project/MainWindowTitle.h"

#include "core/base/CFormat.h"
#include "core/project/ProjectPaths.h"

namespace phonotab {

std::string mainWindowTitle(const std::string& projectPath, const TitleFile* file) {
    const std::string project = projectPath.empty() ? std::string("Phonotab") : projectPath;
    if (!file) return project;
    return cformat("%s: %s (%s, VIN: %08X)", project.c_str(), storedFileName(file->path).c_str(),
                   file->instrument.c_str(), static_cast<unsigned>(file->serialNumber));
}

}  // namespace phonotab
