// Shared helpers of the tests: the demo description, scratch folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "TeleDescSource.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab::testing {

// The demonstration description (data/teledesc/demo.tdsc) as source and as
// loaded in the given language.
const fixtures::TeleDescSource& demoSource();
const TeleDesc& demoDesc(const std::string& language = "Русский");
// One type of the demonstration description.
const fixtures::TypeSource& demoType(std::uint32_t typeCode);

// A fresh empty folder under the system's temporary folder, removed when the
// object goes out of scope.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string sourceDir();
std::string buildDir();
std::string readText(const std::string& path);
bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Runs the built batch tool with a shell argument string; stderr is captured
// into out as well. The tool runs in the C locale, so that it speaks the
// program's own language whatever the locale of the tests.
struct CliRun {
    int status = -1;
    std::string out;
};
CliRun runCli(const std::string& args);
// The same with LANG set to the locale and LC_ALL, LC_MESSAGES unset.
CliRun runCliInLocale(const std::string& locale, const std::string& args);

}  // namespace phonotab::testing
