#include "core/project/ProjectPaths.h"

#include <cctype>
#include <filesystem>

#include "core/base/TextCodec.h"

namespace phonotab {

namespace {

// Letter case folded for the comparison of paths: ASCII and Cyrillic letters.
char16_t fold(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 32);
    if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 80);
    return c;
}

bool sameChar(char16_t a, char16_t b) { return fold(a) == fold(b); }

}  // namespace

std::string MakeRelativeToWorkingFolder(const std::string& path8, const std::string& folder8) {
    const std::u16string path = utf8ToUtf16(path8);
    std::u16string folder = utf8ToUtf16(folder8);
    const std::size_t lastSlash = folder.rfind(u'\\');
    if (lastSlash == std::u16string::npos || lastSlash == 0) return path8;
    folder.resize(lastSlash + 1);  // up to and including its last backslash
    if (path.size() < 3 || folder.size() < 3) return path8;
    for (std::size_t i = 0; i < 3; ++i)
        if (!sameChar(path[i], folder[i])) return path8;  // another drive: stays absolute
    std::size_t common = 0;
    while (common < path.size() && common < folder.size() && sameChar(path[common], folder[common])) ++common;
    if (common == folder.size()) return utf16ToUtf8(path.substr(common));
    // Back to the last backslash of the common part; one "..\" for every
    // backslash of the working folder after it.
    const std::size_t cut = folder.rfind(u'\\', common == 0 ? 0 : common - 1);
    const std::size_t keep = cut == std::u16string::npos ? 0 : cut + 1;
    std::u16string out;
    for (std::size_t i = keep; i < folder.size(); ++i)
        if (folder[i] == u'\\') out += u"..\\";
    out += path.substr(keep);
    return utf16ToUtf8(out);
}

std::string toStoredPath(const std::string& localPath) {
    std::string s = localPath;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::string storedPathToLocal(const std::string& stored, const std::string& localWorkingFolder) {
    std::string s = stored;
    for (char& c : s)
        if (c == '\\') c = '/';
    const bool drive = s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
    if (s.empty() || s.front() == '/' || drive) return s;
    std::filesystem::path p = std::filesystem::path(localWorkingFolder) / s;
    return p.lexically_normal().string();
}

std::string storedFileName(const std::string& stored) {
    const std::size_t at = stored.find_last_of("\\/");
    return at == std::string::npos ? stored : stored.substr(at + 1);
}

std::string localWorkingFolderOf(const std::string& storedWorkingFolder, const std::string& projectPath) {
    const std::filesystem::path projectDir = std::filesystem::absolute(projectPath).parent_path();
    std::error_code ec;
    if (!storedWorkingFolder.empty()) {
        const std::string stored = storedPathToLocal(storedWorkingFolder, projectDir.string());
        if (std::filesystem::is_directory(stored, ec)) return stored;
    }
    return projectDir.string();
}

}  // namespace phonotab
