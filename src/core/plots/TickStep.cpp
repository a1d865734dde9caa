#include "core/plots/TickStep.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

struct Candidate {
    double mantissa;
    int extraDecimals;
};
constexpr std::array<Candidate, 4> kCandidates = {{{1.0, 0}, {0.5, 1}, {0.25, 2}, {0.2, 1}}};

// Integer exponents and pixel counts come from doubles that may be huge when
// the data is extreme; clamp before converting.
int toInt(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -100000.0, 100000.0));
}

bool admissible(double low, double span, int pixelLength, int spacing) {
    return std::isfinite(low) && std::isfinite(span) && span > 0 && pixelLength > 0 && spacing > 0;
}

int exponentFor(double span, int pixelLength, int spacing, double mantissa) {
    return toInt(std::ceil(std::log10(spacing * span / (pixelLength * mantissa))));
}

// floor(log10(top)), 0 for a top of 0.
int magnitude(double top) { return top > 0 ? toInt(std::floor(std::log10(top))) : 0; }

void placeTicks(TickStep& t, double low, double span) {
    t.firstTick = std::ceil(low / t.step) * t.step + 0.0;  // + 0.0: never a "-0" label
    t.top = std::fabs(std::floor((low + span) / t.step) * t.step);
    if (std::fabs(t.firstTick) > t.top) t.top = std::fabs(t.firstTick);
}

}  // namespace

std::string TickStep::labelFormat() const {
    return decimals < 1 ? std::string("%1.0lf") : cformat("%%1.%dlf", decimals);
}

std::string TickStep::labelWith(double value, int d) const {
    double v = value / std::pow(10.0, group);
    if (v == 0) v = 0;  // -0 would print as "-0"
    return cformat("%1.*f", std::clamp(d, 0, 17), v);
}

std::string TickStep::label(double value) const { return labelWith(value, decimals); }

std::optional<TickStep> linearTickStep(double low, double span, int pixelLength, int spacing, int digits) {
    if (!admissible(low, span, pixelLength, spacing)) return std::nullopt;
    int best = -1, bestWaste = 0, bestE = 0;
    for (int i = 0; i < static_cast<int>(kCandidates.size()); ++i) {
        const double c = kCandidates[i].mantissa;
        const int e = exponentFor(span, pixelLength, spacing, c);
        const int waste = toInt(pixelLength - (span / (std::pow(10.0, e) * c) - 1) * spacing);
        if (best < 0 || waste < bestWaste) {
            best = i;
            bestWaste = waste;
            bestE = e;
        }
    }
    TickStep t;
    t.exponent = bestE;
    t.step = std::pow(10.0, bestE) * kCandidates[best].mantissa;
    if (!(t.step > 0) || !std::isfinite(t.step)) return std::nullopt;
    placeTicks(t, low, span);
    t.group = t.top > 0 ? toInt(std::floor(std::log10(t.top) / 3) * 3) : 0;
    t.decimals = std::min(kCandidates[best].extraDecimals - bestE + t.group,
                          digits - (magnitude(t.top) - t.group + 1) - 1);
    return t;
}

std::optional<TickStep> logTickStep(double low, double span, int pixelLength, int spacing, int digits) {
    if (!admissible(low, span, pixelLength, spacing)) return std::nullopt;
    TickStep t;
    t.exponent = exponentFor(span, pixelLength, spacing, 1.0);
    t.step = std::pow(10.0, t.exponent);
    if (!(t.step > 0) || !std::isfinite(t.step)) return std::nullopt;
    placeTicks(t, low, span);
    t.group = 0;
    t.decimals = std::min(-t.exponent, magnitude(t.top));
    return t;
}

std::string exponentText(int group) { return cformat("E%+1d", group); }

}  // namespace phonotab
