#include "CliContext.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "core/base/LocaleLanguage.h"
#include "core/base/StringTable.h"
#include "core/platform/ProgramFolders.h"

namespace phonotab::cli {

std::string CliContext::dataFolder() { return shippedDataFolder(executableFolder()); }

bool CliContext::applyLanguage() const {
    if (language == StringTable::russian().languageName()) {
        setCurrentStrings(StringTable::russian());
        return true;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder() + "/lang", ec)) {
        StringTable t;
        if (entry.path().extension() == ".txt" && loadStringTableFile(entry.path().string(), t) &&
            t.languageName() == language) {
            setCurrentStrings(std::move(t));
            return true;
        }
    }
    return false;
}

void CliContext::applyLocaleLanguage() {
    const LocaleLanguage wanted = languageOfEnvironment();
    if (wanted != LocaleLanguage::Russian) {
        StringTable t;
        if (loadStringTableFile(dataFolder() + "/lang/" + languageTableFile(wanted), t) && !t.languageName().empty()) {
            language = t.languageName();
            setCurrentStrings(std::move(t));
            return;
        }
    }
    language = StringTable::russian().languageName();
    setCurrentStrings(StringTable::russian());
}

bool CliContext::loadTeleDesc() {
    if (teleDescLoaded_) return true;
    const std::string path = teleDescPath.empty() ? dataFolder() + "/TeleDescFile.bin" : teleDescPath;
    Result<TeleDesc> d = phonotab::loadTeleDesc(path, language);
    if (!d) {
        fail(d.error());
        return false;
    }
    teleDesc_ = std::move(*d);
    teleDescLoaded_ = true;
    return true;
}

namespace {
std::vector<CommandAdder>& commandRegistry() {
    static std::vector<CommandAdder> adders;
    return adders;
}
}  // namespace

bool registerCommand(CommandAdder adder) {
    commandRegistry().push_back(adder);
    return true;
}

const std::vector<CommandAdder>& registeredCommands() { return commandRegistry(); }

int fail(const Message& m) {
    std::string text = m.text();
    for (char& c : text)
        if (c == '\n') c = ' ';
    std::fprintf(stderr, "%s\n", text.c_str());
    return kExitFailure;
}

int usageError(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    return kExitUsage;
}

}  // namespace phonotab::cli
