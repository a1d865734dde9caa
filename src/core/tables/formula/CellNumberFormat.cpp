#include "core/tables/formula/CellNumberFormat.h"

#include <cmath>
#include <string>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

std::string engineering(double value) {
    if (value == 0.0) return "0E0";
    if (!std::isfinite(value)) return cformat("%.3lg", value);
    const double lg = std::log10(std::fabs(value));
    const int e = static_cast<int>(std::floor(lg));
    int k = e >= 0 ? e / 3 * 3 : (e - 2) / 3 * 3;
    double mantissa = std::pow(10.0, lg - k);
    std::string m = cformat("%.3lg", mantissa);
    // A mantissa that rounds up to 1000 would print "1e+03": take the next
    // exponent instead (999.7 shows 1E3).
    if (m.find('e') != std::string::npos) {
        k += 3;
        mantissa /= 1000.0;
        m = cformat("%.3lg", mantissa);
    }
    return cformat("%s%sE%d", value < 0 ? "-" : "", m.c_str(), k);
}

}  // namespace

std::string FormatCellNumber(std::int32_t numberFormat, double value) {
    const auto word = static_cast<std::uint32_t>(numberFormat);
    if (word & numfmt::Engineering) return engineering(value);
    // "%.<d>lf" with d the decimals.
    return cformat("%.*lf", static_cast<int>(word & numfmt::DecimalsMask), value);
}

std::optional<double> ParseCellNumber(std::string_view displayText) {
    if (displayText.empty()) return std::nullopt;
    const std::string text(displayText);  // zero-terminated for the scan
    double v = 0;
    if (!scanLg(text.c_str(), v)) return std::nullopt;
    return v;
}

}  // namespace phonotab
