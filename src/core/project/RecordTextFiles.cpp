#include "core/project/RecordTextFiles.h"

#include "core/measurement/RecordDump.h"
#include "core/platform/AtomicFile.h"

namespace phonotab {

Status WriteRecordDumpFile(const std::vector<std::string>& files, const std::string& target, const TeleDesc& desc,
                           TextEncoding encoding, const Progress& progress) {
    AtomicFileWriter out;
    if (Status s = out.open(target); !s) return s;
    if (Status s = DumpRecordFiles(files, out.stream(), desc, encoding, progress); !s) return s;
    return out.commit();
}

Status WriteSummaryFile(const SummaryRequest& request, const std::string& target, const TeleDesc& desc,
                        TextEncoding encoding, const Progress& progress) {
    std::vector<SummaryColumn> columns;
    columns.reserve(request.columns.size());
    for (const ReportColumn& c : request.columns) columns.push_back({static_cast<std::uint32_t>(c.code), c.name});
    SummaryOptions options;
    options.includeDate = request.flags.includeDate;
    options.includeTime = request.flags.includeTime;
    options.includeVin = request.flags.includeVin;
    options.includeDuration = request.flags.includeDuration;
    options.frequencyAsNumber = request.flags.frequencyAsNumber;
    options.band = request.band;

    // A file that cannot be read is told before the target is touched.
    for (const std::string& file : request.files) {
        std::uint16_t type = 0;
        if (!readSummaryType(file, type)) return Message(msg::CannotOpen, file);
    }
    AtomicFileWriter out;
    if (Status s = out.open(target); !s) return s;
    if (Status s = WriteSummary(request.files, columns, options, out.stream(), desc, encoding, progress); !s) return s;
    return out.commit();
}

}  // namespace phonotab
