#include "core/plots/GraphPane.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

int GraphPane::addSeries(const double* samples, std::int64_t first, std::int64_t count, std::uint32_t colour) {
    if (static_cast<int>(series_.size()) >= kMaxSeries) return kPaneFull;
    if (count < 2 || samples == nullptr) return kTooShort;
    GraphSeries s;
    s.samples = samples;
    s.first = first;
    s.last = first + count - 1;
    s.colour = colour;
    s.pyramid = std::make_shared<MinMaxPyramid>(samples, static_cast<std::size_t>(count));
    series_.push_back(std::move(s));
    return kAdded;
}

void GraphPane::samplesChanged(int i) {
    if (i < 0 || i >= static_cast<int>(series_.size())) return;
    GraphSeries& s = series_[i];
    s.pyramid = std::make_shared<MinMaxPyramid>(s.samples, static_cast<std::size_t>(s.count()));
}

bool GraphPane::setSeriesScale(int i, double scale, double offset) {
    if (i < 0 || i >= static_cast<int>(series_.size())) return false;
    series_[i].scale = scale;
    series_[i].offset = offset;
    return true;
}

IndexRange GraphPane::seriesRange() const {
    if (series_.empty()) return {};
    IndexRange r{series_.front().first, series_.front().last};
    for (const GraphSeries& s : series_) {
        r.first = std::min(r.first, s.first);
        r.last = std::max(r.last, s.last);
    }
    return r;
}

std::int64_t GraphPane::sampleNumberAt(double x) const {
    if (dx_ == 0) return -1;
    const double n = std::floor((x - x0_) / dx_ + 0.5);
    if (!std::isfinite(n) || std::fabs(n) > 9e15) return -1;
    return static_cast<std::int64_t>(n);
}

void GraphPane::setTitles(std::string title, std::string xTitle, std::string yTitle) {
    title_ = std::move(title);
    xTitle_ = std::move(xTitle);
    yTitle_ = std::move(yTitle);
}

void GraphPane::setMarker(int which, GraphMarker m) {
    markers_[which == 2 ? 1 : 0] = m;
    markerSet_[which == 2 ? 1 : 0] = true;
    markersShown_ = true;
}

}  // namespace phonotab
