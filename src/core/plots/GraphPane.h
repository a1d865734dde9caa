// One plot area: up to 100 series sharing one x mapping (x = x0 + index × dx),
// zone boundaries, titles, two markers and the settings of its axes and readouts.
// The pane holds no samples of its own; what it draws is computed from its state
// by the scene builder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/plots/GraphSeries.h"
#include "core/plots/GraphZone.h"
#include "core/plots/PlotRect.h"

namespace phonotab {

// Pane flags.
namespace paneflag {
constexpr std::uint32_t kSampleNumber = 0x2;     // x readout appends the sample number
constexpr std::uint32_t kFirstMaximum = 0x4;     // statistics readout: maximum of the first series
constexpr std::uint32_t kRootSumSquares = 0x8;   // statistics readout: root of the sum of squares
constexpr std::uint32_t kAskFileName = 0x10;     // exports ask for a file name
constexpr std::uint32_t kFixedY = 0x20;          // y range fixed, drawn values clamped to it
constexpr std::uint32_t kCallerText = 0x40;      // statistics readout: the caller's text
constexpr std::uint32_t kTimeAxis = 0x400;       // x is a calendar time axis (x in seconds)
constexpr std::uint32_t kLogX = 0x800;
constexpr std::uint32_t kLogY = 0x1000;
constexpr std::uint32_t kExportColours = 0x2000; // vector export keeps colours and zones
}  // namespace paneflag

struct GraphMarker {
    double x = 0, y = 0;
};

// Index range [first, last], inclusive.
struct IndexRange {
    std::int64_t first = 0, last = -1;
    std::int64_t count() const { return last - first + 1; }
    bool operator==(const IndexRange&) const = default;
};

// Results of the automatic ranges of the last draw.
struct PaneStats {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    double firstSeriesMax = 0;
    double mean = 0, stdDev = 0;
    double sumSquares = 0;  // of the raw samples drawn
    std::int64_t samples = 0;
};

class GraphPane {
public:
    static constexpr int kMaxSeries = 100;
    enum AddResult { kAdded = 0, kPaneFull = 1, kTooShort = 2 };

    // Adds a view of count samples whose first has index first. The samples stay
    // the caller's; tell the pane through samplesChanged when they change.
    int addSeries(const double* samples, std::int64_t first, std::int64_t count, std::uint32_t colour);
    void removeAllSeries() { series_.clear(); }
    void samplesChanged(int i);
    const std::vector<GraphSeries>& series() const { return series_; }
    bool setSeriesScale(int i, double scale, double offset);
    // The union of the series' index ranges; empty (count 0) without series.
    IndexRange seriesRange() const;

    void setXMapping(double x0, double dx) { x0_ = x0, dx_ = dx; }
    double x0() const { return x0_; }
    double dx() const { return dx_; }
    double xOf(std::int64_t index) const { return x0_ + static_cast<double>(index) * dx_; }
    // The sample number under an x value: floor((x − x0) ÷ dx + 0.5); −1 without a step.
    std::int64_t sampleNumberAt(double x) const;

    void setFullRange(IndexRange r) { full_ = r; }
    IndexRange fullRange() const { return full_; }
    void setVisibleRange(IndexRange r) { visible_ = r; }
    IndexRange visibleRange() const { return visible_; }

    void setFlags(std::uint32_t flags) { flags_ = flags; }
    std::uint32_t flags() const { return flags_; }
    bool hasFlag(std::uint32_t f) const { return (flags_ & f) != 0; }

    void setFixedYRange(double min, double max) { yFixMin_ = min, yFixMax_ = max; }
    double fixedYMin() const { return yFixMin_; }
    double fixedYMax() const { return yFixMax_; }

    void setZones(std::vector<GraphZone> zones) { zones_ = std::move(zones); }
    void addZone(double value, std::uint32_t word) { zones_.push_back({value, word}); }
    void clearZones() { zones_.clear(); }
    const std::vector<GraphZone>& zones() const { return zones_; }
    void setShadedSpans(std::vector<ShadedSpan> spans) { shaded_ = std::move(spans); }
    const std::vector<ShadedSpan>& shadedSpans() const { return shaded_; }

    void setTitles(std::string title, std::string xTitle, std::string yTitle);
    const std::string& title() const { return title_; }
    const std::string& xTitle() const { return xTitle_; }
    const std::string& yTitle() const { return yTitle_; }

    // Significant digits allowed in tick labels; decimals of the readouts.
    void setLabelDigits(int digits) { labelDigits_ = digits; }
    int labelDigits() const { return labelDigits_; }
    void setReadoutDecimals(int decimals) { readoutDecimals_ = decimals < 0 ? 0 : decimals > 15 ? 15 : decimals; }
    int readoutDecimals() const { return readoutDecimals_; }
    // Least distance in pixels between labelled ticks, along x and along y.
    void setLabelSpacing(int x, int y) { spacingX_ = x, spacingY_ = y; }
    int labelSpacingX() const { return spacingX_; }
    int labelSpacingY() const { return spacingY_; }

    // Calendar time axis: the civil seconds (see CalendarTime) of x = 0.
    void setTimeOrigin(std::int64_t civilSeconds) { timeOrigin_ = civilSeconds; }
    std::int64_t timeOrigin() const { return timeOrigin_; }

    void setBackground(std::uint32_t colourWord) { background_ = colourWord & 0xFFFFFFu; }
    std::uint32_t background() const { return background_; }

    // The statistics readout's text under flag 0x40.
    void setStatisticsText(std::string text) { statisticsText_ = std::move(text); }
    const std::string& statisticsText() const { return statisticsText_; }

    // Markers 1 and 2: setting one shows the markers.
    void setMarker(int which, GraphMarker m);
    const GraphMarker& marker(int which) const { return markers_[which == 2 ? 1 : 0]; }
    bool markerSet(int which) const { return markersShown_ && markerSet_[which == 2 ? 1 : 0]; }
    void setMarkersShown(bool shown) { markersShown_ = shown; }
    bool markersShown() const { return markersShown_; }
    void clearMarkers() { markersShown_ = false, markers_ = {}, markerSet_ = {}; }

    void setPlotRect(PlotRect r) { plot_ = r; }
    const PlotRect& plotRect() const { return plot_; }
    void setReadoutRects(PlotRect x, PlotRect y) { readoutX_ = x, readoutY_ = y; }
    const PlotRect& readoutXRect() const { return readoutX_; }
    const PlotRect& readoutYRect() const { return readoutY_; }

    // Left by the last draw.
    void setStats(const PaneStats& s) { stats_ = s; }
    const PaneStats& stats() const { return stats_; }

private:
    std::vector<GraphSeries> series_;
    double x0_ = 0, dx_ = 1;
    IndexRange full_, visible_;
    std::uint32_t flags_ = 0;
    double yFixMin_ = 0, yFixMax_ = 1;
    std::vector<GraphZone> zones_;
    std::vector<ShadedSpan> shaded_;
    std::string title_, xTitle_, yTitle_;
    int labelDigits_ = 10, readoutDecimals_ = 2;
    int spacingX_ = 80, spacingY_ = 40;
    std::int64_t timeOrigin_ = 0;
    std::uint32_t background_ = 0xFFFFFF;
    std::string statisticsText_;
    std::array<GraphMarker, 2> markers_{};
    std::array<bool, 2> markerSet_{};
    bool markersShown_ = false;
    PlotRect plot_, readoutX_, readoutY_;
    PaneStats stats_;
};

}  // namespace phonotab
