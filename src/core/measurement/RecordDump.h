// Text exports of record files: the dump of every field of every record, and
// the summary of chosen values, one line per record. Both stream: a file of any
// size is read and written record by record.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/base/TextCodec.h"
#include "core/measurement/MeasurementRecord.h"
#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

// Appends the dump of one decoded record (VIN, date, time, duration, range,
// comment, instrument, then each channel's state, value tables and percentiles).
void appendRecordDump(std::string& out, const MeasurementRecord& rec, const RecordLayout& layout, const TeleDesc& desc);

// Writes the dump of every record of each file to out, each record headed by
// "Запись; N;". Messages: 105 a file that cannot be opened, 436 a record of a
// type the description does not know (the output keeps what was written),
// 5006 when a stop was asked for through the progress.
Status DumpRecordFiles(const std::vector<std::string>& files, std::FILE* out, const TeleDesc& desc,
                       TextEncoding encoding, const Progress& progress = {});

// One column of a summary: channel (bits 31–24), detector (15–8), family
// index 0..2 (7–0), with the name the column is headed with.
struct SummaryColumn {
    std::uint32_t code = 0;
    std::string name;

    int channel() const { return static_cast<int>(code >> 24); }
    int detector() const { return static_cast<int>((code >> 8) & 0xFF); }
    int familyIndex() const { return static_cast<int>(code & 0xFF); }
};

struct SummaryOptions {
    bool includeDate = true;
    bool includeTime = true;
    bool includeVin = true;
    bool includeDuration = true;
    bool frequencyAsNumber = false;  // headers are the chosen band's caption
    int band = 0;                    // one band for all columns
};

// The type code of a file read as the summary reads it (Part of recognition),
// or false when the file cannot be opened.
bool readSummaryType(const std::string& path, std::uint16_t& typeCode);

// Writes the summary of every record of the files: a header line, then one line
// per record. Messages: 105, 391 files of different types (nothing written),
// 436 a file of an unknown type (the output keeps what was written), 5006 when
// a stop was asked for through the progress.
Status WriteSummary(const std::vector<std::string>& files, const std::vector<SummaryColumn>& columns,
                    const SummaryOptions& options, std::FILE* out, const TeleDesc& desc, TextEncoding encoding,
                    const Progress& progress = {});

}  // namespace phonotab
