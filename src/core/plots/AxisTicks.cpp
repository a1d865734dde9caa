#include "core/plots/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace phonotab {

namespace {

// Far more ticks than any screen can show: a bound against degenerate steps.
constexpr int kMaxTicks = 20000;
constexpr int kMaxDecades = 400;

}  // namespace

std::vector<AxisTick> linearAxisTicks(const TickStep& step, const AxisScale& axis) {
    std::vector<AxisTick> out;
    if (!(step.step > 0) || !std::isfinite(axis.min) || !std::isfinite(axis.max) || axis.max < axis.min)
        return out;
    double minor = step.step * 0.2;
    if (minor == 0) minor = step.firstTick * 5e-16;
    if (step.firstTick != 0)
        for (int i = 0; i < 64 && std::fabs(minor / step.firstTick) < 5e-16; ++i) minor *= 5;
    minor = std::fabs(minor);
    if (!(minor > 0) || !std::isfinite(minor)) return out;
    // The first tick below the minimum, as a (non-positive) count of minor steps.
    const double below = std::floor((axis.min - step.firstTick) / minor);
    if (!std::isfinite(below) || (axis.max - axis.min) / minor > kMaxTicks) return out;
    for (long long i = static_cast<long long>(below);; ++i) {
        const double v = step.firstTick + static_cast<double>(i) * minor;
        if (v > axis.max) break;
        if (v < axis.min) continue;
        AxisTick t;
        t.value = v;
        t.pixel = axis.pixel(v);
        t.major = i % 5 == 0;
        if (t.major) {
            // A value that is zero up to rounding is labelled 0, not 1e-17.
            t.label = step.label(std::fabs(v) < minor * 1e-6 ? 0.0 : v);
        }
        out.push_back(std::move(t));
    }
    return out;
}

std::vector<AxisTick> logAxisTicks(const TickStep& step, const AxisScale& axis,
                                   const std::function<int(const std::string&)>& labelExtent) {
    std::vector<AxisTick> out;
    if (!(step.step > 0) || !(axis.min > 0) || !std::isfinite(axis.max) || axis.max < axis.min) return out;
    double upper = axis.max, first = step.firstTick, st = step.step;
    for (int decade = 0; decade < kMaxDecades && upper > axis.min && first > 0; ++decade) {
        std::vector<AxisTick> ticks;
        bool nearMinimum = false;
        for (int j = 0; j < kMaxTicks; ++j) {
            const double v = first + j * st;
            if (v > upper) break;
            if (v < axis.min || v > axis.max) continue;
            AxisTick t;
            t.value = v;
            t.pixel = axis.pixel(v);
            t.major = true;
            // Each decade down needs one decimal more to tell its ticks apart.
            t.label = step.labelWith(v, std::max(step.decimals, decade - step.exponent));
            if (axis.fraction(v) < 0.2) nearMinimum = true;
            ticks.push_back(std::move(t));
        }
        bool overlap = false;
        for (std::size_t i = 1; i < ticks.size() && !overlap; ++i) {
            const int gap = std::abs(ticks[i].pixel - ticks[i - 1].pixel);
            overlap = gap < (labelExtent(ticks[i].label) + labelExtent(ticks[i - 1].label)) / 2;
        }
        if (overlap) {
            // Every ninth tick of the decade, counted from its first tick.
            for (std::size_t i = 0; i < ticks.size(); ++i) {
                const long long j = std::llround((ticks[i].value - first) / st);
                if (j % 9 != 0) ticks[i].label.clear();
            }
        }
        out.insert(out.end(), ticks.begin(), ticks.end());
        if (nearMinimum) break;
        upper = 0.95 * first;
        first *= 0.1;
        st *= 0.1;
    }
    return out;
}

}  // namespace phonotab
