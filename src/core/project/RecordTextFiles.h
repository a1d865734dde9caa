// The main menu's text exports of record files as whole files, the same in the
// desktop and the batch tool: the dump of one file or of several joined into
// one ("Преобразовать .bin в .txt", "Объединить .bin в один .txt") and the
// summary ("Сделать сводку"). Each is written into a temporary file beside the
// target that replaces the target only once everything was written: a failure
// or a stop leaves the old target as it was and no temporary file.
#pragma once

#include <string>
#include <vector>

#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/base/TextCodec.h"
#include "core/measurement/TeleDesc.h"
#include "core/project/ReportConfig.h"

namespace phonotab {

// The dump of every record of the files, in their order, into target.
// Messages: 105 a file or the target that cannot be opened, 436 a record of a
// type the description does not know, 5003 the target cannot be written or
// replaced, 5006 when a stop was asked for through the progress.
Status WriteRecordDumpFile(const std::vector<std::string>& files, const std::string& target, const TeleDesc& desc,
                           TextEncoding encoding, const Progress& progress = {});

// What a summary is made of: record files of one kind, the chosen columns with
// the names they are headed with, the flags of the leading columns and the one
// band of every column.
struct SummaryRequest {
    std::vector<std::string> files;
    std::vector<ReportColumn> columns;
    ReportFlags flags;
    int band = 0;
};

// The summary into target. Messages: 105, 391 files of different types, 436 a
// file of an unknown type, 5003 and 5006 as for the dump.
Status WriteSummaryFile(const SummaryRequest& request, const std::string& target, const TeleDesc& desc,
                        TextEncoding encoding, const Progress& progress = {});

}  // namespace phonotab
