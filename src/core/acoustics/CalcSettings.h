// The calculation state of a file: its work range, time base, scanning and
// histogram class settings, and the options of the result files.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

// Histogram classes and the percentile levels computed from them.
struct HistogramSettings {
    double lower = 20.0;       // dB
    double width = 1.0;        // dB
    int classes = 100;         // upper bound = lower + classes × width
    bool excludeEdges = false;  // "исключить края из расчета"
    std::set<double> percentiles = {5.0, 95.0};  // ascending, no duplicates

    double upper() const { return lower + classes * width; }
    // Number of class counters of an accumulator: two edge classes unless excluded.
    int counterCount() const { return excludeEdges ? classes : classes + 2; }
};

struct CalcSettings {
    double samplePeriod = 1.0;   // seconds between samples
    std::int64_t fileSamples = 0;  // samples of the whole file
    std::int64_t firstSample = 0;
    std::int64_t sampleCount = 0;
    bool histogramMode = false;  // samples are stored histograms
    bool scanning = false;       // "сканирование"
    double scanInterval = 10.0;  // seconds
    double scanStep = 10.0;      // seconds
    HistogramSettings histogram;
    bool includeExclusionsUncorrected = true;
    std::vector<double> windowStarts;  // filled by the calculation, seconds
};

// Scan settings of the main window before any file is chosen, and of a file
// newly added to a project.
constexpr double kInitialScanSeconds = 20.48;
constexpr double kNewFileScanSeconds = 10.0;

// Output options of the result files.
struct ResultOptions {
    bool csv = false;          // "результаты в формате CSV"
    bool singleFile = false;   // "сохранять результаты в один файл"
    bool grouped = true;       // "группировка результата по параметрам"
    bool noLeqTime = false;    // "не вставлять в файл результата время Leq"
    std::string resultFolder;  // put before every result file name
    std::string baseName;      // the data file's base name
};

// The largest class count a histogram may have.
constexpr int kMaxHistogramClasses = 100000;

// The one check of the values a calculation can work with, for the dialogs
// (before anything is stored) and the batch tool alike: a class width above 0,
// 1 to kMaxHistogramClasses classes, percentiles strictly between 0 and 100,
// and, when scanning, a scan interval and step above 0.
Status checkHistogramSettings(const HistogramSettings& h);
Status checkPercentiles(const std::set<double>& percentiles);
Status checkScanSettings(double interval, double step);
Status checkCalcSettings(const CalcSettings& s);

// Reads a percentile text: tokens split at blanks, each token that reads as a
// number is taken (a decimal comma or point; duplicates vanish, order is
// numeric), others are ignored.
std::set<double> parsePercentileText(const std::string& text);
// "%lg" of the first value, " %lg" of each further one.
std::string formatPercentileText(const std::set<double>& percentiles);

}  // namespace phonotab
