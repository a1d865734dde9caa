#include "core/acoustics/CalcSettings.h"

#include <cmath>
#include <sstream>

#include "core/base/CFormat.h"
#include "core/base/TypedNumber.h"

namespace phonotab {

Status checkHistogramSettings(const HistogramSettings& h) {
    if (!(h.width > 0) || !std::isfinite(h.width)) return Message(msg::ClassWidthNotPositive);
    if (!std::isfinite(h.lower)) return Message(msg::InvalidArgument);
    if (h.classes < 1 || h.classes > kMaxHistogramClasses) return Message(msg::ClassCountOutOfRange, kMaxHistogramClasses);
    return checkPercentiles(h.percentiles);
}

Status checkPercentiles(const std::set<double>& percentiles) {
    for (double p : percentiles)
        if (!(p > 0 && p < 100)) return Message(msg::PercentileOutOfRange, formatPercentileText({p}));
    return {};
}

Status checkScanSettings(double interval, double step) {
    if (!(interval > 0) || !(step > 0) || !std::isfinite(interval) || !std::isfinite(step))
        return Message(msg::ScanNotPositive);
    return {};
}

Status checkCalcSettings(const CalcSettings& s) {
    if (Status st = checkHistogramSettings(s.histogram); !st) return st;
    if (s.scanning) return checkScanSettings(s.scanInterval, s.scanStep);
    return {};
}

std::set<double> parsePercentileText(const std::string& text) {
    std::set<double> out;
    std::istringstream words(text);
    for (std::string w; words >> w;) {
        // A decimal comma reads as the point ("2,5"); a non-number ("nan"
        // could not be ordered) is left out.
        if (const Result<double> v = readTypedNumber(w)) out.insert(*v);
    }
    return out;
}

std::string formatPercentileText(const std::set<double>& percentiles) {
    std::string out;
    bool first = true;
    for (double p : percentiles) {
        if (!first) out += ' ';
        appendLg(out, p);
        first = false;
    }
    return out;
}

}  // namespace phonotab
