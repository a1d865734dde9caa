// Files of the instruments that store *.ldl are read through an outside
// converter that writes a text dump; this is the dump's reader.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

struct LdlRecord {
    int number = 0;
    int type = 0;
    int length = 0;
    std::string name;
    std::string caption;  // "Запись %d"
    std::string note, filter, detector, detectorTime;
    int channel = 0;
    std::string seriesName;  // "канал 1"
    std::vector<std::pair<std::string, double>> series;  // band label, value
};

// Reads the converter's text: records headed by "\"Dump of record # ..." lines,
// their note, filter, detector and detector time lines, and the band lines
// after the "Frequency"/"Channel" line. Lines longer than 4095 bytes are read
// in pieces, as the converter's lines were read.
std::vector<LdlRecord> ParseLdlDump(std::string_view text);

// The converter command: a program and its arguments separated by blanks, in
// which "{in}" stands for the data file and "{out}" for the text file to write;
// without "{out}" the two paths and " -P-TH-T-LH-L-I-A" are appended.
// Runs it, waits for it to end, reads and deletes the text file.
// Messages: 5005 the converter cannot be started, 312 its text cannot be opened.
Result<std::vector<LdlRecord>> ConvertLdlFile(const std::string& dataPath, const std::string& converterCommand,
                                              const std::string& textPath);

}  // namespace phonotab
