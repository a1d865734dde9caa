#include "render/pictures/ReportPictures.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/project/ProjectPaths.h"
#include "render/pictures/PictureConverter.h"
#include "render/pictures/TableGraphPicture.h"

namespace phonotab {

namespace {

// A drawing larger than this is no figure of ours.
constexpr std::uintmax_t kMaxDrawing = 16u << 20;

// The SVG of an illustration's picture: the picture itself when it is one,
// else the SVG beside its bitmap that "-> SVG" wrote under the same name;
// empty when there is none.
std::string drawingOf(const Illustration& ill, const std::string& folder) {
    namespace fs = std::filesystem;
    fs::path path(storedPathToLocal(ill.picturePath, folder));
    if (path.extension() != ".svg" && path.extension() != ".SVG") path.replace_extension(".svg");
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxDrawing || ec) return {};
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string svg = bytes.str();
    if (!in || svg.substr(0, 4096).find("<svg") == std::string::npos) return {};
    return svg;
}

}  // namespace

ReportPictureSource reportPictureSource(const ProjectState& project, ReportTableTexts tableTexts,
                                        std::string localWorkingFolder) {
    return [&project, tableTexts = std::move(tableTexts), folder = std::move(localWorkingFolder)](
               const Illustration& ill, std::size_t) -> Result<ReportPicture> {
        if (ill.table) {
            if (*ill.table >= project.tables.size())
                return Message(msg::NoSuchReportTable, ill.caption, static_cast<std::int64_t>(*ill.table + 1));
            return tableGraphPicture(project.tables[*ill.table].table, tableTexts(*ill.table), ill.caption);
        }
        const Result<std::string> bytes = ReadIllustrationPicture(ill, folder, &convertPictureToPng);
        if (!bytes) return bytes.error();
        // Every picture goes in as PNG at a print resolution (a bitmap file
        // would go in uncompressed), with its drawing where it has one.
        Result<std::string> png = printablePng(*bytes, ill.picturePath);
        if (!png) return png.error();
        return ReportPicture(std::move(*png), drawingOf(ill, folder));
    };
}

}  // namespace phonotab
