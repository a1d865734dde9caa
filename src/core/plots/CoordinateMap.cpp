#include "core/plots/CoordinateMap.h"

#include <cmath>

namespace phonotab {

namespace {

// How far beyond the plot a held pixel lies.
constexpr double kReach = 100000;

}  // namespace

CoordinateMap::CoordinateMap(const PlotRect& plot, double xMin, double xMax, double yMin, double yMax,
                             bool logX, bool logY)
    : plot_(plot), xMin_(xMin), xMax_(xMax), yMin_(yMin), yMax_(yMax), logX_(logX), logY_(logY) {
    kx_ = (plot.right - plot.left - 1) / (xMax - xMin);
    ky_ = (plot.bottom - plot.top - 1) / (yMax - yMin);
    if (logX) logSpanX_ = std::log10(xMax / xMin);
    if (logY) logSpanY_ = std::log10(yMax / yMin);
}

int CoordinateMap::clampX(double p) const {
    if (std::isnan(p)) return plot_.left - static_cast<int>(kReach);
    if (p < plot_.left - kReach) return plot_.left - static_cast<int>(kReach);
    if (p > plot_.right + kReach) return plot_.right + static_cast<int>(kReach);
    return static_cast<int>(std::floor(p));
}

int CoordinateMap::clampY(double p) const {
    if (std::isnan(p)) return plot_.bottom + static_cast<int>(kReach);
    if (p < plot_.top - kReach) return plot_.top - static_cast<int>(kReach);
    if (p > plot_.bottom + kReach) return plot_.bottom + static_cast<int>(kReach);
    return static_cast<int>(std::floor(p));
}

int CoordinateMap::px(double x) const {
    if (logX_) {
        if (!(x > 0)) return plot_.left - static_cast<int>(kReach);
        return clampX((plot_.right - plot_.left - 1) * std::log10(x / xMin_) / logSpanX_ + plot_.left + 0.5);
    }
    return clampX(plot_.left + (x - xMin_) * kx_ + 0.5);
}

int CoordinateMap::py(double y) const {
    if (logY_) {
        if (!(y > 0)) return plot_.bottom + static_cast<int>(kReach);
        return clampY((plot_.bottom - plot_.top - 1) * std::log10(yMax_ / y) / logSpanY_ + plot_.top + 0.5);
    }
    return clampY(plot_.top + (yMax_ - y) * ky_ + 0.5);
}

double CoordinateMap::xAt(int px) const {
    if (logX_)
        return xMin_ * std::pow(10.0, logSpanX_ * (px - plot_.left) / (plot_.right - plot_.left - 1));
    // The exact inverse of px(): the pixel a sample is drawn at reads back as
    // that sample's x (counting from the right edge would be one pixel short).
    return xMin_ + (px - plot_.left) / kx_;
}

double CoordinateMap::xAtPosition(double position) const {
    if (logX_) return xMin_ * std::pow(10.0, logSpanX_ * (position - plot_.left) / (plot_.right - plot_.left - 1));
    return xMin_ + (position - plot_.left) / kx_;
}

double CoordinateMap::yAt(int py) const {
    if (logY_)
        return yMax_ / std::pow(10.0, logSpanY_ * (py - plot_.top) / (plot_.bottom - plot_.top - 1));
    return yMax_ - (py - plot_.top) / ky_;
}

double CoordinateMap::xFraction(double x) const {
    if (logX_) return x > 0 ? std::log10(x / xMin_) / logSpanX_ : -1;
    return (x - xMin_) / (xMax_ - xMin_);
}

double CoordinateMap::yFraction(double y) const {
    if (logY_) return y > 0 ? std::log10(y / yMin_) / logSpanY_ : -1;
    return (y - yMin_) / (yMax_ - yMin_);
}

}  // namespace phonotab
