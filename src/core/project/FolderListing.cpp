#include "core/project/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "core/base/TextCodec.h"

namespace phonotab {

namespace {

constexpr std::size_t kLineLimit = 4096;
constexpr std::size_t kFieldLimit = 128;

// Whether a name ends with a lower-case extension, ASCII letter case ignored.
bool endsWithIgnoringCase(std::string_view name, std::string_view ext) {
    if (name.size() < ext.size()) return false;
    const std::string_view end = name.substr(name.size() - ext.size());
    for (std::size_t i = 0; i < ext.size(); ++i) {
        const char c = end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] + 32) : end[i];
        if (c != ext[i]) return false;
    }
    return true;
}

// At most n code points of a UTF-8 text.
std::string firstCodePoints(const std::string& s, std::size_t n) {
    std::size_t i = 0, count = 0;
    while (i < s.size() && count < n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        ++count;
    }
    return s.substr(0, i);
}

std::string_view firstLine(std::string_view head) {
    head = head.substr(0, std::min(head.size(), kLineLimit));
    const std::size_t end = head.find_first_of("\r\n");
    return end == std::string_view::npos ? head : head.substr(0, end);
}

}  // namespace

std::optional<FolderItemKind> folderItemKind(std::string_view name) {
    static constexpr std::pair<std::string_view, FolderItemKind> kListed[] = {
        {".txt", FolderItemKind::Text},      {".csv", FolderItemKind::Text},
        {".bmp", FolderItemKind::Bitmap},    {".png", FolderItemKind::Bitmap},
        {".wmf", FolderItemKind::Metafile},  {".svg", FolderItemKind::Metafile},
        {".tbl", FolderItemKind::Table},     {".xlsx", FolderItemKind::Workbook},
        {".docx", FolderItemKind::Document},
    };
    for (const auto& [ext, kind] : kListed)
        if (endsWithIgnoringCase(name, ext)) return kind;
    return std::nullopt;
}

std::array<std::string, 3> textFileColumns(std::string_view head) {
    const std::string line = decodeLocal8Bit(firstLine(head));
    std::array<std::string, 3> out;
    std::size_t start = 0;
    for (std::size_t field = 0; field < 6; ++field) {
        const std::size_t tab = line.find('\t', start);
        if (field >= 3) out[field - 3] = firstCodePoints(line.substr(start, tab - start), kFieldLimit);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return out;
}

bool isHistogramText(std::string_view head) { return firstLine(head).starts_with("#comment_histo:"); }

std::string readFileHead(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes(limit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::vector<FolderItem> listWorkingFolder(const std::string& localFolder) {
    namespace fs = std::filesystem;
    std::vector<FolderItem> items;
    std::error_code ec;
    for (fs::directory_iterator it(localFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec)) continue;
        const std::string name = it->path().filename().string();
        const auto kind = folderItemKind(name);
        if (!kind) continue;
        FolderItem item;
        item.name = name;
        item.kind = *kind;
        if (endsWithIgnoringCase(name, ".txt")) item.columns = textFileColumns(readFileHead(it->path().string(), kLineLimit));
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    return items;
}

}  // namespace phonotab
