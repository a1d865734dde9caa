// The calculation of a file: every chosen parameter's statistics per window (or
// per stored histogram), then its result files.
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/RangeSet.h"
#include "core/base/Message.h"
#include "core/base/TextCodec.h"
#include "core/measurement/MeasurementFile.h"
#include "core/measurement/SeriesReader.h"
#include "core/measurement/TeleDesc.h"

namespace phonotab {

// A file open for calculation: what the main window holds for its current file.
struct CalcFile {
    MeasurementFile file;
    CalcSettings settings;
    RangeSet ranges;
    std::vector<ParameterEntry> entries;
};

// A file's calculation state when it is opened: the work range is the whole
// record, the sample period its time step, the span its duration.
CalcFile openForCalculation(MeasurementFile file);

struct CalcRequest {
    std::vector<ParameterEntry>* extraEntries = nullptr;  // computed as well
    bool quiet = false;                   // only the extra entries, no files
    const std::string* sharedOutput = nullptr;  // the project's shared result file
    ResultOptions options;
    TextEncoding encoding = TextEncoding::Utf8;
    bool fromParametersWindow = true;
    // False: the series of measured levels not loaded yet are read block by
    // block while the windows are computed, and not kept (the batch tool,
    // which needs only the result files): memory for a window, not a series.
    bool keepSeries = true;
    Progress progress;  // loading the series, then the windows; a stop writes no file
};

struct CalcReport {
    std::vector<Message> messages;  // to show after the calculation, in order
    bool cancelled = false;
};

// Loads the series of entries that have none, computes, and writes the result
// files unless quiet. Settings that checkCalcSettings refuses compute nothing:
// the refusal is the only message. A stop asked for through the progress ends the work
// with `cancelled` and no file written. Message 310 is reported once when an entry asking for
// percentiles or the histogram counted fewer than 100 samples in a window.
CalcReport CalculateFile(CalcFile& cf, const TeleDesc& desc, const CalcRequest& request);

// Loads the series of the entries that have none (the plots draw them without a
// calculation): the measured levels of the whole file in one pass, stored
// histograms over the work range. A stop asked for gives msg::Cancelled.
Status loadEntrySeries(CalcFile& cf, const Progress& progress = {});

}  // namespace phonotab
