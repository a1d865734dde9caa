// Mapping between axis values and window pixels of a pane's plot rectangle,
// linear or logarithmic per axis, with the inverses used by the readouts.
#pragma once

#include "core/plots/PlotRect.h"

namespace phonotab {

class CoordinateMap {
public:
    CoordinateMap() = default;
    CoordinateMap(const PlotRect& plot, double xMin, double xMax, double yMin, double yMax, bool logX,
                  bool logY);

    // Pixel of a value, rounded half up; values a logarithmic axis cannot show
    // (≤ 0) and results far outside the window are held at a safe distance
    // beyond the plot, so that clipping still does the right thing.
    int px(double x) const;
    int py(double y) const;
    double xAt(int px) const;
    double yAt(int py) const;
    // The x value at a fractional pixel position (px(x) is that position rounded
    // half up): px(x) ≤ p exactly for the x below xAtPosition(p + 0.5).
    double xAtPosition(double position) const;

    double kx() const { return kx_; }
    double ky() const { return ky_; }
    const PlotRect& plot() const { return plot_; }
    double xMin() const { return xMin_; }
    double xMax() const { return xMax_; }
    double yMin() const { return yMin_; }
    double yMax() const { return yMax_; }
    bool logX() const { return logX_; }
    bool logY() const { return logY_; }
    // Relative position of a value along an axis, 0 at its minimum, 1 at its maximum.
    double xFraction(double x) const;
    double yFraction(double y) const;

    bool operator==(const CoordinateMap&) const = default;

private:
    int clampX(double p) const;
    int clampY(double p) const;

    PlotRect plot_;
    double xMin_ = 0, xMax_ = 1, yMin_ = 0, yMax_ = 1;
    bool logX_ = false, logY_ = false;
    double kx_ = 1, ky_ = 1;
    double logSpanX_ = 1, logSpanY_ = 1;  // log10(max ÷ min)
};

}  // namespace phonotab
