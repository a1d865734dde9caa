#include "core/base/LanguageList.h"

#include <algorithm>
#include <filesystem>

#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

std::vector<LanguageChoice> listLanguageTables(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<LanguageChoice> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec) || it->path().extension() != ".txt") continue;
        StringTable t;
        if (!loadStringTableFile(it->path().string(), t)) continue;
        // A table without the buttons' texts would fall back to Russian ones.
        const auto own = [&t](int id, const char* otherwise) { return t.contains(id) ? t.text(id) : otherwise; };
        out.push_back({it->path().filename().string(), t.languageName(), own(text::Ok, "OK"), own(text::Cancel, "Cancel")});
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.fileName < b.fileName; });
    return out;
}

bool applyLanguageTable(const std::string& folder, const std::string& fileName) {
    if (fileName.empty() || fileName.find('/') != std::string::npos || fileName == "." || fileName == "..")
        return false;
    StringTable t;
    if (!loadStringTableFile((std::filesystem::path(folder) / fileName).string(), t)) return false;
    setCurrentStrings(std::move(t));
    return true;
}

}  // namespace phonotab
