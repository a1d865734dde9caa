#include "acoustics/CalcSettings.h"

#include <cmath>
#include <sstream>

#include "base/CFormat.h"

namespace phonotab {

std::set<double> parsePercentileText(const std::string& text) {
    std::set<double> out;
    std::istringstream words(text);
    for (std::string w; words >> w;) {
        double v;
        // A non-number ("nan" reads as one) could not be ordered: left out.
        if (scanLg(w.c_str(), v) && std::isfinite(v)) out.insert(v);
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
