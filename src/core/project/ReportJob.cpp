#include "core/project/ReportJob.h"

#include "core/base/StringTable.h"

namespace phonotab {

std::string defaultReportTemplate(const std::string& dataFolder, const std::string& interfaceLanguage) {
    const bool russian = interfaceLanguage == StringTable::russian().languageName();
    return dataFolder + "/report/template_" + (russian ? "ru" : "en") + ".docx";
}

bool decimalCommaByDefault(const std::string& interfaceLanguage) {
    return interfaceLanguage == StringTable::russian().languageName();
}

ReportJob::ReportJob(const ProjectState& project, const TableEnvironment& environment,
                     const std::string& localWorkingFolder, const ReportPictureSourceMaker& makePictures)
    : project_(project), tableTexts_(DrawReportTables(project, environment)) {
    const ReportTableTexts texts = [this](std::size_t k) {
        return k < tableTexts_.size() ? tableTexts_[k] : DisplayTexts();
    };
    pictureFiles_ = makePictures(project, texts, localWorkingFolder);
    for (std::size_t i = 0; i < project.illustrations.size(); ++i)
        if (project.illustrations[i].table) graphs_.emplace(i, pictureFiles_(project.illustrations[i], i));
}

Result<ReportOutcome> ReportJob::write(const std::string& templatePath, const std::string& outputPath,
                                       const Progress& progress, const ReportOptions& options) const {
    const ReportTableTexts texts = [this](std::size_t k) {
        return k < tableTexts_.size() ? tableTexts_[k] : DisplayTexts();
    };
    const ReportPictureSource pictures = [this](const Illustration& ill, std::size_t i) -> Result<ReportPicture> {
        if (auto it = graphs_.find(i); it != graphs_.end()) return it->second;
        return pictureFiles_(ill, i);
    };
    return WriteReport(project_, templatePath, outputPath, texts, pictures, progress, options);
}

}  // namespace phonotab
