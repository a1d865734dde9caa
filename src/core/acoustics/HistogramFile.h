// A histogram file read back: the "_H.txt" file the result writer makes for an
// entry's class histogram, opened from the working folder as a histogram plot.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace phonotab {

// The tag that opens a histogram file's first line, followed by the lower and
// upper limits, the class width and 1 when the edge classes are left out.
inline constexpr char kHistogramFileTag[] = "#comment_histo:";

struct HistogramFile {
    double lower = 0, upper = 0, width = 1;
    bool excludeEdges = false;
    std::string seriesName;  // "Histogram: ..." and the line after it
    std::vector<std::pair<std::string, std::vector<double>>> series;
};

// False when the text is not a histogram file.
bool readHistogramFile(const std::string& text, HistogramFile& out);
// Labels of the classes of a histogram file: "<%lg" below, ">=%lg" above, and
// "<%lg\n[%lg - %lg]" for the classes between.
std::vector<std::string> histogramClassLabels(const HistogramFile& h, std::size_t classCount);

}  // namespace phonotab
