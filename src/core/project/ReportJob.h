// Writing the project's report, the same in the desktop and the batch tool.
// The job is made in two steps: making it draws the report tables and the
// pictures of their graphs (on the caller's thread: the desktop draws on its
// interface thread), write() fills the template and writes the document (any
// thread, with progress and stop), replacing the output only once it was
// written completely.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/project/ReportDocument.h"

namespace phonotab {

// The template a report is written from unless the user chooses another: the
// shipped one of the interface language ("report/template_ru.docx" in Russian,
// "report/template_en.docx" in any other) in the program's data folder.
std::string defaultReportTemplate(const std::string& dataFolder, const std::string& interfaceLanguage);
// Whether the report's numbers take a decimal comma until the user says
// otherwise: yes in Russian, whose shipped template is then the default one.
bool decimalCommaByDefault(const std::string& interfaceLanguage);

// Where the pictures of a report come from, given the project, what its tables
// show and the working folder as found here (the drawing layer supplies it:
// graphs drawn from the tables, pictures converted to what a document takes).
using ReportPictureSourceMaker =
    std::function<ReportPictureSource(const ProjectState& project, ReportTableTexts tableTexts, std::string workingFolder)>;

class ReportJob {
public:
    // Draws every report table with its formulas and bound values worked out
    // afresh, and the picture of every illustration that shows a table's graph.
    // The project must outlive the job.
    ReportJob(const ProjectState& project, const TableEnvironment& environment, const std::string& localWorkingFolder,
              const ReportPictureSourceMaker& makePictures);
    ReportJob(const ReportJob&) = delete;
    ReportJob& operator=(const ReportJob&) = delete;

    // Fills the template and writes the report; the messages of WriteReport.
    Result<ReportOutcome> write(const std::string& templatePath, const std::string& outputPath,
                                const Progress& progress = {}, const ReportOptions& options = {}) const;

private:
    const ProjectState& project_;
    std::vector<DisplayTexts> tableTexts_;
    ReportPictureSource pictureFiles_;
    std::map<std::size_t, Result<ReportPicture>> graphs_;
};

}  // namespace phonotab
