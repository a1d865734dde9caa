// Panes that scroll and zoom together (the time plot's stacked curves): each pane
// has a caller-chosen identifier; all share x0 and dx and one visible index range
// within the union of their series' index ranges.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/plots/GraphPane.h"

namespace phonotab {

class PaneSet {
public:
    // The pane with this identifier, created (after the others) when missing.
    GraphPane& addPane(int id);
    GraphPane* pane(int id);
    const GraphPane* pane(int id) const;
    std::vector<GraphPane*> panes() const;
    std::size_t paneCount() const { return panes_.size(); }

    // 0 added, 1 no pane with that identifier or the pane is full, 2 fewer than
    // two samples.
    int addSeries(int paneId, const double* samples, std::int64_t first, std::int64_t count,
                  std::uint32_t colour);
    // Removes every series and zone boundary of every pane; the zoom stays.
    void clearContent();

    void setXMapping(double x0, double dx);
    double x0() const { return x0_; }
    double dx() const { return dx_; }

    // Union of the panes' series ranges (count 0 without series) and the number
    // of series held.
    IndexRange fullRange() const;
    int seriesCount() const;

    // The visible range: the one set by scrolling or zooming, else the full range.
    IndexRange visibleRange() const;
    bool zoomed() const { return visible_.has_value(); }
    // Shows n samples from s: [max(s, fullFirst), that + n − 1], shifted left
    // when it passes fullLast and clipped at fullFirst. Nothing happens when
    // n < 2 or no series has been added.
    void scrollTo(std::int64_t s, std::int64_t n);
    void showFullRange() { visible_.reset(); }
    // Moves the visible window by delta samples.
    void scrollBy(std::int64_t delta);
    // Scales the visible window's length by factor (below 1 zooms in), keeping
    // the sample at index where it is on the axis; never below two samples.
    void zoomAround(double index, double factor);

    // Hands every pane its mapping, full range and visible range before a draw.
    void prepareDraw();

private:
    std::vector<std::pair<int, std::unique_ptr<GraphPane>>> panes_;
    double x0_ = 0, dx_ = 1;
    std::optional<IndexRange> visible_;
};

}  // namespace phonotab
