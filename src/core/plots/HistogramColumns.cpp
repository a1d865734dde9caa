#include "core/plots/HistogramColumns.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

int clampStep(int step) { return std::clamp(step, 1, kMaxHistogramStep); }

double bin(std::span<const double> counts, int i) {
    return i < static_cast<int>(counts.size()) && std::isfinite(counts[i]) ? counts[i] : 0.0;
}

}  // namespace

int percentilePointStep(int step) { return std::max(1, clampStep(step) / 2); }

int histogramStepFromValue(double value) {
    if (!std::isfinite(value)) return 1;
    const double bins = std::floor(4 * value + 0.5);
    return static_cast<int>(std::clamp(bins, 1.0, static_cast<double>(kMaxHistogramStep)));
}

std::vector<std::string> histogramCaptions(HistogramDisplay mode, int step) {
    std::vector<std::string> out;
    if (mode == HistogramDisplay::Percentiles) {
        const int h = percentilePointStep(step);
        for (int p = h; p <= 100; p += h) out.push_back(cformat("%d", p));
        return out;
    }
    const int s = clampStep(step);
    for (int k = 0; k < kHistogramBins; k += s) {
        const double lower = k * kHistogramBinWidth;
        const double upper = std::min(k + s, kHistogramBins) * kHistogramBinWidth;
        if (k == 0)
            out.push_back(cformat("<%lg", upper));
        else if (k + s >= kHistogramBins)
            out.push_back(cformat(">=%lg", lower));
        else
            out.push_back(cformat("%lg\n[%lg - %lg]", upper, lower, upper));
    }
    return out;
}

std::vector<double> histogramValues(std::span<const double> counts, HistogramDisplay mode, int step) {
    std::vector<double> out;
    double total = 0;
    for (int i = 0; i < kHistogramBins; ++i) total += bin(counts, i);

    if (mode == HistogramDisplay::Percentiles) {
        if (!(total > 0)) return out;
        const int h = percentilePointStep(step);
        for (int p = h; p <= 100; p += h) {
            const double threshold = 1.0 - p / 100.0;
            double cumulative = 0, level = kHistogramBins * kHistogramBinWidth;
            for (int i = 0; i < kHistogramBins; ++i) {
                cumulative += bin(counts, i);
                if (cumulative / total > threshold) {
                    level = (i + 1) * kHistogramBinWidth;
                    break;
                }
            }
            out.push_back(level);
        }
        return out;
    }

    const int s = clampStep(step);
    for (int k = 0; k < kHistogramBins; k += s) {
        double sum = 0;
        for (int i = k; i < std::min(k + s, kHistogramBins); ++i) sum += bin(counts, i);
        out.push_back(sum);
    }
    if (mode == HistogramDisplay::Percent && total != 0)
        for (double& v : out) v = v / total * 100;
    if (mode == HistogramDisplay::Normalised) {
        const double top = *std::max_element(out.begin(), out.end());
        if (top != 0)
            for (double& v : out) v /= top;
    }
    return out;
}

}  // namespace phonotab

namespace phonotab {

std::vector<double> classColumnValues(std::span<const double> counts, HistogramDisplay mode) {
    std::vector<double> out;
    double total = 0, top = 0;
    for (double c : counts) {
        out.push_back(std::isfinite(c) ? c : 0.0);
        total += out.back();
        top = std::max(top, out.back());
    }
    if (mode == HistogramDisplay::Percent && total != 0)
        for (double& v : out) v = v / total * 100;
    if (mode == HistogramDisplay::Normalised && top != 0)
        for (double& v : out) v /= top;
    return out;
}

}  // namespace phonotab
