// The text result files of a calculation: per-window minima, maxima, Leq, Leq
// times and percentiles per parameter, and the histogram files "_H.txt"
// (read back by HistogramFile).
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/CalcSettings.h"
#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/ParameterName.h"
#include "core/base/Message.h"
#include "core/base/TextCodec.h"
#include "core/measurement/MeasurementFile.h"

namespace phonotab {

struct ResultFileContext {
    std::string dataPath;  // the data file's full path (its last-write time heads the files)
    FileWorkMode mode = FileWorkMode::Records;
    std::string instrumentName;
    std::uint32_t vin = 0;
    NamingContext naming;
    const CalcSettings* settings = nullptr;
    ResultOptions options;
    TextEncoding encoding = TextEncoding::Utf8;
    // In one-file mode the calculation of the parameters window heads the file
    // once; the project's calculations head every entry.
    bool fromParametersWindow = true;
};

// The name an entry's files are named after: its display name, or the default
// name of its code when it has none.
std::string entryName(const ParameterEntry& e, const NamingContext& naming);
// '/' becomes '~' and ':' a blank, so that a name can be part of a file name.
std::string fileNamePart(const std::string& name);

// Writes the result files of every entry. sharedFile: the project's shared
// result file (appended to), or nullptr. Returns the messages to show:
// 105 for each file that could not be created.
std::vector<Message> WriteFileResults(const ResultFileContext& ctx, const std::vector<ParameterEntry>& entries,
                                      const std::string* sharedFile);

}  // namespace phonotab
