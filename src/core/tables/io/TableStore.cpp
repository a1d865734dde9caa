#include "core/tables/io/TableStore.h"

#include <algorithm>
#include <filesystem>

#include "core/base/MappedFile.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

namespace fs = std::filesystem;

namespace {


bool hasTableExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".tbl";
}

// Copies the file, through a temporary file so that a failed copy never leaves
// a broken target. Without overwriting, an existing target gives Exists.
enum class CopyResult { Done, Exists, Failed };

CopyResult copyTable(const std::string& from, const std::string& to, bool overwrite) {
    if (overwrite) return copyFileReplacing(from, to).ok() ? CopyResult::Done : CopyResult::Failed;
    Result<bool> written = copyFileIfAbsent(from, to);
    if (!written) return CopyResult::Failed;
    return *written ? CopyResult::Done : CopyResult::Exists;
}

Result<CopyOutcome> copyAsking(const std::string& from, const std::string& to, const ConfirmOverwrite& confirm) {
    switch (copyTable(from, to, false)) {
        case CopyResult::Done: return CopyOutcome::Copied;
        case CopyResult::Failed: return Message(msg::CannotCopy);
        case CopyResult::Exists: break;
    }
    if (!confirm || !confirm()) return CopyOutcome::Declined;
    if (copyTable(from, to, true) != CopyResult::Done) return Message(msg::CannotCopy);
    return CopyOutcome::Copied;
}

}  // namespace

std::vector<std::string> ListStandardTables(const std::string& storeFolder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(storeFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (it->is_directory(fec) || !hasTableExtension(it->path())) continue;
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Result<CopyOutcome> CopyStandardTableToProject(const std::string& storeFolder, const std::string& fileName,
                                               const std::string& workingFolder, const std::string& newName,
                                               const ConfirmOverwrite& confirm) {
    if (newName.empty()) return Message(msg::CannotCopy);
    return copyAsking((fs::path(storeFolder) / fileName).string(), (fs::path(workingFolder) / newName).string(), confirm);
}

Result<CopyOutcome> CopyTableToStore(const std::string& tablePath, const std::string& storeFolder,
                                     const ConfirmOverwrite& confirm) {
    return copyAsking(tablePath, (fs::path(storeFolder) / fs::path(tablePath).filename()).string(), confirm);
}

}  // namespace phonotab
