// What every command of the batch tool shares: the global options, the
// telemetry description and the way failures are reported.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/base/Message.h"
#include "core/base/TextCodec.h"
#include "core/measurement/TeleDesc.h"

namespace CLI {
class App;
}

namespace phonotab::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct CliContext {
    std::string teleDescPath;  // empty: the program's data folder
    std::string language = "Русский";  // --lang, or the locale's language
    std::string encodingName = "utf8";
    TextEncoding encoding = TextEncoding::Utf8;

    // The program's data folder that holds TeleDescFile.bin and lang/: "data"
    // beside the executable in a build, the installed data folder otherwise.
    static std::string dataFolder();

    // Selects the interface language by its name; false when no table has it.
    bool applyLanguage() const;
    // Without --lang: the language of the user's locale (LC_ALL, LC_MESSAGES,
    // LANG), Russian for a Russian locale and for none, English for any other;
    // Russian when the English table cannot be read.
    void applyLocaleLanguage();
    // Loads the description (once: a second call keeps what was read); prints
    // message 403 and returns false when it cannot be read.
    bool loadTeleDesc();
    // The description loadTeleDesc read (empty before).
    const TeleDesc& teleDesc() const { return teleDesc_; }

private:
    TeleDesc teleDesc_;
    bool teleDescLoaded_ = false;
};

// Prints the message's text on stderr (one line) and returns kExitFailure.
int fail(const Message& m);
int usageError(const std::string& what);

// Each command adds itself to the app with the function that runs it once the
// command line has been parsed and the global options applied.
using CommandRunner = std::function<int()>;
using CommandList = std::vector<std::pair<CLI::App*, CommandRunner>>;
using CommandAdder = void (*)(CLI::App& app, CliContext& ctx, CommandList& commands);

// Command files register their adder at start-up; a new command is a new file:
//   const bool myCommandRegistered = registerCommand(&addMyCommand);
bool registerCommand(CommandAdder adder);
const std::vector<CommandAdder>& registeredCommands();

// The "table" command group, shared by the table command files (whichever
// registers first creates it).
CLI::App* tableCommandGroup(CLI::App& app);

}  // namespace phonotab::cli
