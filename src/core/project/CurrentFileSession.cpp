#include "core/project/CurrentFileSession.h"

#include "core/base/MessageIds.h"
#include "core/project/EntryCalculation.h"

namespace phonotab {

Status CurrentFileSession::loadTeleDescription(const std::string& path, const std::string& language) {
    Result<TeleDesc> desc = loadTeleDesc(path, language);
    if (!desc) return desc.error();
    teleDesc_ = std::move(*desc);
    return {};
}

Result<CalcFile> CurrentFileSession::read(const ProjectFileEntry& entry, const std::string& localPath,
                                          bool includeExclusionsUncorrected, const Progress& progress) const {
    return openEntry(entry, localPath, teleDesc_, includeExclusionsUncorrected, progress);
}

Status CurrentFileSession::loadSeries(const Progress& progress) {
    if (!file_) return Message(msg::NoSourceData);
    return loadEntrySeries(*file_, progress);
}

CalcReport CurrentFileSession::calculate(const CalcRequest& request) {
    if (!file_) return {};
    return CalculateFile(*file_, teleDesc_, request);
}

}  // namespace phonotab
