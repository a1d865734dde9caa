#include "CliContext.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "base/StringTable.h"

namespace phonotab::cli {

std::string CliContext::dataFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "data";
    return (exe.parent_path() / "data").string();
}

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

bool CliContext::loadTeleDesc() const {
    const std::string path = teleDescPath.empty() ? dataFolder() + "/TeleDescFile.bin" : teleDescPath;
    Result<TeleDesc> d = phonotab::loadTeleDesc(path, language);
    if (!d) {
        fail(d.error());
        return false;
    }
    setCurrentTeleDesc(std::move(*d));
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
