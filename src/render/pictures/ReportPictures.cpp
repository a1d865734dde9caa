#include "render/pictures/ReportPictures.h"

#include "render/pictures/PictureConverter.h"
#include "render/pictures/TableGraphPicture.h"

namespace phonotab {

ReportPictureSource reportPictureSource(const ProjectState& project, ReportTableTexts tableTexts,
                                        std::string localWorkingFolder) {
    return [&project, tableTexts = std::move(tableTexts), folder = std::move(localWorkingFolder)](
               const Illustration& ill, std::size_t) -> Result<std::string> {
        if (!ill.table) return ReadIllustrationPicture(ill, folder, &convertPictureToPng);
        if (*ill.table >= project.tables.size())
            return Message(msg::NoSuchReportTable, ill.caption, static_cast<std::int64_t>(*ill.table + 1));
        return tableGraphPng(project.tables[*ill.table].table, tableTexts(*ill.table), ill.caption);
    };
}

}  // namespace phonotab
