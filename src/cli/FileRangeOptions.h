// The options of the commands that open one data file with a work range and
// zones (calc, plot, indicators): the work mode, "--range FIRST:COUNT",
// "--exclude B:E" and "--correct B:E:F.B=DB[,F.B=DB...]", the histogram
// classes and percentiles (calc, indicators), and the reading of their texts.
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/CalculateFile.h"
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

// "--classes LOW:WIDTH:COUNT[:noedges]" and "--percentiles 5,50,95".
struct ClassArgs {
    std::string classes, percentiles;
};
void addClassOptions(CLI::App* cmd, ClassArgs& a);

// The options applied to an opened file as calc applies them; each returns
// kExitOk, or the exit status after printing why (2 for a malformed option, 1
// for a zone the file refuses).
int applyWorkRangeOption(const FileRangeArgs& a, CalcFile& cf);
int applyClassOptions(const ClassArgs& a, HistogramSettings& h);
int applyZoneOptions(const FileRangeArgs& a, CalcFile& cf);

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
