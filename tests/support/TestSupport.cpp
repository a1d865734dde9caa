#include "TestSupport.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>

#include "InstrumentFiles.h"
#include "core/base/MappedFile.h"

namespace phonotab::testing {

std::string sourceDir() {
    const char* s = std::getenv("PHONOTAB_SOURCE_DIR");
    return s ? s : PHONOTAB_SOURCE_DIR_DEFAULT;
}

std::string buildDir() {
    const char* s = std::getenv("PHONOTAB_BUILD_DIR");
    return s ? s : PHONOTAB_BUILD_DIR_DEFAULT;
}

const fixtures::TeleDescSource& demoSource() {
    static const fixtures::TeleDescSource src = [] {
        std::string text, error;
        fixtures::TeleDescSource s;
        if (!readFileText(sourceDir() + "/data/teledesc/demo.tdsc", text) ||
            !fixtures::parseTeleDescSource(text, s, error))
            throw std::runtime_error("demo description: " + error);
        return s;
    }();
    return src;
}

const TeleDesc& demoDesc(const std::string& language) {
    static std::map<std::string, TeleDesc> cache;
    auto it = cache.find(language);
    if (it == cache.end()) {
        const auto bytes = fixtures::writeTeleDesc(demoSource());
        Result<TeleDesc> d = parseTeleDesc(bytes, language);
        if (!d) throw std::runtime_error("demo description does not load");
        it = cache.emplace(language, std::move(*d)).first;
    }
    return it->second;
}

const fixtures::TypeSource& demoType(std::uint32_t typeCode) {
    for (const auto& t : demoSource().types)
        if (t.typeCode == typeCode) return t;
    throw std::runtime_error("no demo type " + std::to_string(typeCode));
}

ScratchDir::ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("phonotab-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readText(const std::string& path) {
    std::string s;
    readFileText(path, s);
    return s;
}

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return fixtures::writeFile(path, bytes);
}

namespace {
CliRun runCliWith(const std::string& environment, const std::string& args) {
    CliRun r;
    const std::string cmd = environment + " " + buildDir() + "/phonotab-cli " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}
}  // namespace

CliRun runCli(const std::string& args) { return runCliWith("LC_ALL=C", args); }

CliRun runCliInLocale(const std::string& locale, const std::string& args) {
    return runCliWith("env -u LC_ALL -u LC_MESSAGES LANG=" + locale, args);
}

}  // namespace phonotab::testing
