#include "core/project/FolderItemOpening.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/base/TextCodec.h"
#include "core/project/FolderListing.h"

namespace phonotab {

namespace {

// Histogram files are small texts; a larger file is not taken for one.
constexpr std::uintmax_t kHistogramFileLimit = 64 * 1024 * 1024;

bool hasTextExtension(std::string_view name) {
    if (name.size() < 4) return false;
    std::string end(name.substr(name.size() - 4));
    for (char& c : end)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return end == ".txt";
}

}  // namespace

FolderItemOpening folderItemOpening(std::string_view fileName, std::string_view head) {
    if (folderItemKind(fileName) == FolderItemKind::Table) return FolderItemOpening::TableWindow;
    if (hasTextExtension(fileName) && isHistogramText(head)) return FolderItemOpening::HistogramPlot;
    return FolderItemOpening::DesktopProgram;
}

FolderItemOpening folderItemOpeningOf(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return folderItemOpening(name, hasTextExtension(name) ? readFileHead(path) : std::string());
}

Result<HistogramFile> loadHistogramFile(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || size > kHistogramFileLimit || !in) return Message(msg::CannotOpen, path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    HistogramFile h;
    if (!readHistogramFile(decodeLocal8Bit(bytes.str()), h)) return Message(msg::FormatErrorIn, path);
    return h;
}

}  // namespace phonotab
