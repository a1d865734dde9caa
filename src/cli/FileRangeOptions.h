// The options of the commands that open one data file with a work range and
// zones (calc, plot): the work mode, "--range FIRST:COUNT", "--exclude B:E"
// and "--correct B:E:F.B=DB[,F.B=DB...]", and the reading of their texts.
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/RangeSet.h"
#include "core/measurement/MeasurementFile.h"

namespace CLI {
class App;
}

namespace phonotab::cli {

struct FileRangeArgs {
    std::string mode, range;
    std::vector<std::string> excludes, corrections;
};

void addFileRangeOptions(CLI::App* cmd, FileRangeArgs& a);

// The work mode asked for; without one, the mode a file newly added to a
// project gets.
FileWorkMode chosenWorkMode(const std::string& mode, const std::string& path);

// Pieces of an option's text: "a:b:" gives "a", "b" and "".
std::vector<std::string> splitText(const std::string& s, char sep);
// A whole text as a finite number / an integer (decimal, or 0x hexadecimal).
bool textToDouble(const std::string& s, double& v);
bool textToInt(const std::string& s, long long& v);

// "FIRST:COUNT": false unless FIRST >= 0 and COUNT >= 1.
bool parseWorkRange(const std::string& text, long long& first, long long& count);
// "BEGIN:END" in seconds.
bool parseExclusion(const std::string& text, double& begin, double& end);

// "BEGIN:END:F.B=DB[,F.B=DB...]": the bounds and the corrections by band.
struct CorrectionZoneText {
    double begin = 0, end = 0;
    Corrections values{};
};
enum class CorrectionTextError { None, Shape, Item, NoBand };
// On an error of one F.B=DB item, `item` is that item.
CorrectionTextError parseCorrectionZone(const std::string& text, CorrectionZoneText& out, std::string& item);

}  // namespace phonotab::cli
