#include "FileRangeOptions.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "CliContext.h"
#include "core/base/CFormat.h"

namespace phonotab::cli {

void addFileRangeOptions(CLI::App* cmd, FileRangeArgs& a) {
    cmd->add_option("--mode", a.mode, "work mode: samples, histograms or records")
        ->check(CLI::IsMember({"samples", "histograms", "records"}));
    cmd->add_option("--range", a.range, "work range FIRST:COUNT in samples");
    cmd->add_option("--exclude", a.excludes, "exclusion zone BEGIN:END in seconds (repeatable)");
    cmd->add_option("--correct", a.corrections, "correction zone BEGIN:END:F.B=DB[,F.B=DB...] (repeatable)");
}

void addClassOptions(CLI::App* cmd, ClassArgs& a) {
    cmd->add_option("--classes", a.classes, "histogram classes LOW:WIDTH:COUNT[:noedges]");
    cmd->add_option("--percentiles", a.percentiles, "percentile levels, e.g. 5,50,95");
}

int applyWorkRangeOption(const FileRangeArgs& a, CalcFile& cf) {
    if (a.range.empty()) return kExitOk;
    long long first = 0, count = 0;
    if (!parseWorkRange(a.range, first, count)) return usageError("--range: expected FIRST:COUNT");
    cf.settings.firstSample = first;
    cf.settings.sampleCount = count;
    normalizeWorkRange(cf.settings, cf.ranges, true);
    return kExitOk;
}

int applyClassOptions(const ClassArgs& a, HistogramSettings& h) {
    if (!a.classes.empty()) {
        const auto r = splitText(a.classes, ':');
        long long n = 0;
        if (r.size() < 3 || r.size() > 4 || !textToDouble(r[0], h.lower) || !textToDouble(r[1], h.width) ||
            !textToInt(r[2], n) || n < INT32_MIN || n > INT32_MAX || (r.size() == 4 && r[3] != "noedges"))
            return usageError("--classes: expected LOW:WIDTH:COUNT[:noedges]");
        h.classes = static_cast<int>(n);
        h.excludeEdges = r.size() == 4;
    }
    if (!a.percentiles.empty()) {
        h.percentiles.clear();
        for (const std::string& p : splitText(a.percentiles, ',')) {
            double v;
            if (!textToDouble(p, v)) return usageError("--percentiles: expected numbers separated by commas");
            h.percentiles.insert(v);
        }
    }
    return kExitOk;
}

int applyZoneOptions(const FileRangeArgs& a, CalcFile& cf) {
    for (const std::string& z : a.excludes) {
        double b = 0, e = 0;
        if (!parseExclusion(z, b, e)) return usageError("--exclude: expected BEGIN:END");
        if (Status st = cf.ranges.AddExclusionZone(b, e); !st) return fail(st.error());
    }
    for (const std::string& z : a.corrections) {
        CorrectionZoneText zone;
        std::string item;
        switch (parseCorrectionZone(z, zone, item)) {
            case CorrectionTextError::Shape: return usageError("--correct: expected BEGIN:END:F.B=DB[,F.B=DB...]");
            case CorrectionTextError::Item: return usageError("--correct: bad correction '" + item + "'");
            case CorrectionTextError::NoBand: return usageError("--correct: no band " + item.substr(0, item.find('=')));
            case CorrectionTextError::None: break;
        }
        if (Status st = cf.ranges.AddCorrectionZone(zone.begin, zone.end, zone.values); !st) return fail(st.error());
    }
    return kExitOk;
}

FileWorkMode chosenWorkMode(const std::string& mode, const std::string& path) {
    if (mode == "samples") return FileWorkMode::Samples;
    if (mode == "histograms") return FileWorkMode::Histograms;
    if (mode == "records") return FileWorkMode::Records;
    return defaultWorkMode(path);
}

std::vector<std::string> splitText(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) out.push_back(part);
    if (!s.empty() && s.back() == sep) out.push_back({});
    return out;
}

bool textToDouble(const std::string& s, double& v) {
    const char* end = nullptr;
    return !s.empty() && scanLg(s.c_str(), v, &end) && *end == '\0' && std::isfinite(v);
}

bool textToInt(const std::string& s, long long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    v = std::strtoll(s.c_str(), &end, 0);
    return *end == '\0' && errno == 0;
}

bool parseWorkRange(const std::string& text, long long& first, long long& count) {
    const auto r = splitText(text, ':');
    return r.size() == 2 && textToInt(r[0], first) && textToInt(r[1], count) && first >= 0 && count >= 1;
}

bool parseExclusion(const std::string& text, double& begin, double& end) {
    const auto r = splitText(text, ':');
    return r.size() == 2 && textToDouble(r[0], begin) && textToDouble(r[1], end);
}

CorrectionTextError parseCorrectionZone(const std::string& text, CorrectionZoneText& out, std::string& item) {
    const auto r = splitText(text, ':');
    if (r.size() != 3 || !textToDouble(r[0], out.begin) || !textToDouble(r[1], out.end)) return CorrectionTextError::Shape;
    for (const std::string& part : splitText(r[2], ',')) {
        item = part;
        const auto eq = part.find('='), dot = part.find('.');
        long long family = 0, band = 0;
        double db = 0;
        if (eq == std::string::npos || dot == std::string::npos || dot > eq || !textToInt(part.substr(0, dot), family) ||
            !textToInt(part.substr(dot + 1, eq - dot - 1), band) || !textToDouble(part.substr(eq + 1), db))
            return CorrectionTextError::Item;
        // Families are 1 to 3; out-of-range numbers never reach the int conversion.
        const int at = family < 1 || family > 3 || band < 0 || band > 1000
                           ? -1
                           : correctionIndex(static_cast<int>(family), static_cast<int>(band));
        if (at < 0) return CorrectionTextError::NoBand;
        out.values[static_cast<std::size_t>(at)] = db;
    }
    return CorrectionTextError::None;
}

}  // namespace phonotab::cli
