// The data file open for calculation and the telemetry description it is
// read with: opening an entry's file, loading its series for the plots and
// calculating it. The document controller records the edits of the file as
// project steps; this part only holds and reads the file.
#pragma once

#include <memory>
#include <string>

#include "core/acoustics/CalculateFile.h"
#include "core/base/Result.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ProjectState.h"

namespace phonotab {

class CurrentFileSession {
public:
    // The description read at start-up (empty until then).
    const TeleDesc& teleDescription() const { return teleDesc_; }
    void setTeleDescription(TeleDesc desc) { teleDesc_ = std::move(desc); }
    // Reads the description file with the texts of the language; 403 when it
    // cannot be read (the description in use stays).
    Status loadTeleDescription(const std::string& path, const std::string& language);

    // The current file; null while none is open.
    const CalcFile* file() const { return file_.get(); }
    CalcFile* file() { return file_.get(); }
    void close() { file_.reset(); }
    // Reads the entry's file at the local path with the description (long
    // work: nothing here changes, so the windows keep what they show); a stop
    // asked for gives msg::Cancelled. The file read becomes current by open.
    Result<CalcFile> read(const ProjectFileEntry& entry, const std::string& localPath,
                          bool includeExclusionsUncorrected, const Progress& progress) const;
    void open(CalcFile file) { file_ = std::make_unique<CalcFile>(std::move(file)); }
    // Loads the series of the entries that have none (the plots).
    Status loadSeries(const Progress& progress);
    // Calculates the file (results as the request says) with the description.
    CalcReport calculate(const CalcRequest& request);

private:
    TeleDesc teleDesc_;
    std::unique_ptr<CalcFile> file_;
};

}  // namespace phonotab
