#include "GoldenFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace phonotab::testing {

namespace {

std::filesystem::path goldenPath(const std::string& name) {
    return std::filesystem::path(sourceDir()) / "tests" / "cli" / "golden" / name;
}

// Line n (from 1) of a text, without its end.
std::string lineOf(const std::string& text, std::size_t n) {
    std::size_t begin = 0;
    for (std::size_t i = 1; i < n && begin != std::string::npos; ++i) {
        begin = text.find('\n', begin);
        if (begin != std::string::npos) ++begin;
    }
    if (begin == std::string::npos || begin > text.size()) return "<none>";
    return text.substr(begin, text.find('\n', begin) - begin);
}

}  // namespace

std::string goldenBytes(const std::string& name) {
    std::ifstream in(goldenPath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

::testing::AssertionResult matchesGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path path = goldenPath(name);
    if (std::getenv("PHONOTAB_UPDATE_GOLDEN")) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(actual.data(), static_cast<std::streamsize>(actual.size()));
        if (!out) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path))
        return ::testing::AssertionFailure() << path << " is missing (PHONOTAB_UPDATE_GOLDEN=1 writes it)";
    const std::string expected = goldenBytes(name);
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    std::size_t line = 1;
    for (std::size_t i = 0; i < at; ++i) line += expected[i] == '\n';
    return ::testing::AssertionFailure() << name << " differs at byte " << at << ", line " << line << " ("
                                         << expected.size() << " bytes expected, " << actual.size() << " written)\n"
                                         << "  expected: " << lineOf(expected, line) << "\n"
                                         << "  written:  " << lineOf(actual, line);
}

std::string withScratchFolder(std::string text, const ScratchDir& dir) {
    const std::string folder = dir.path().string();
    for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at + 5))
        text.replace(at, folder.size(), "<dir>");
    return text;
}

}  // namespace phonotab::testing
