#include "core/plots/PaneSet.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

GraphPane& PaneSet::addPane(int id) {
    if (GraphPane* p = pane(id)) return *p;
    panes_.emplace_back(id, std::make_unique<GraphPane>());
    GraphPane& p = *panes_.back().second;
    p.setXMapping(x0_, dx_);
    return p;
}

GraphPane* PaneSet::pane(int id) {
    for (auto& [key, p] : panes_)
        if (key == id) return p.get();
    return nullptr;
}

const GraphPane* PaneSet::pane(int id) const {
    for (const auto& [key, p] : panes_)
        if (key == id) return p.get();
    return nullptr;
}

std::vector<GraphPane*> PaneSet::panes() const {
    std::vector<GraphPane*> out;
    for (const auto& entry : panes_) out.push_back(entry.second.get());
    return out;
}

int PaneSet::addSeries(int paneId, const double* samples, std::int64_t first, std::int64_t count,
                       std::uint32_t colour) {
    GraphPane* p = pane(paneId);
    if (!p) return 1;
    return p->addSeries(samples, first, count, colour);
}

void PaneSet::clearContent() {
    for (auto& entry : panes_) {
        entry.second->removeAllSeries();
        entry.second->clearZones();
    }
}

void PaneSet::setXMapping(double x0, double dx) {
    x0_ = x0;
    dx_ = dx;
    for (auto& entry : panes_) entry.second->setXMapping(x0, dx);
}

IndexRange PaneSet::fullRange() const {
    IndexRange r;
    bool any = false;
    for (const auto& entry : panes_) {
        const IndexRange s = entry.second->seriesRange();
        if (s.count() <= 0) continue;
        if (!any) {
            r = s;
            any = true;
        } else {
            r.first = std::min(r.first, s.first);
            r.last = std::max(r.last, s.last);
        }
    }
    return r;
}

int PaneSet::seriesCount() const {
    int n = 0;
    for (const auto& entry : panes_) n += static_cast<int>(entry.second->series().size());
    return n;
}

IndexRange PaneSet::visibleRange() const { return visible_ ? *visible_ : fullRange(); }

void PaneSet::scrollTo(std::int64_t s, std::int64_t n) {
    if (n < 2 || seriesCount() == 0) return;
    const IndexRange full = fullRange();
    n = std::min(n, full.count());  // a longer window ends up as the full range anyway
    IndexRange v;
    v.first = std::min(std::max(s, full.first), full.last);
    v.last = v.first + n - 1;
    if (v.last > full.last) {
        v.first -= v.last - full.last;
        v.last = full.last;
        v.first = std::max(v.first, full.first);
    }
    visible_ = v;
}

void PaneSet::scrollBy(std::int64_t delta) {
    const IndexRange v = visibleRange();
    if (v.count() < 2) return;
    scrollTo(v.first + delta, v.count());
}

void PaneSet::zoomAround(double index, double factor) {
    const IndexRange v = visibleRange();
    if (v.count() < 2 || !(factor > 0) || !std::isfinite(index)) return;
    const double n = static_cast<double>(v.count());
    const double fullCount = static_cast<double>(fullRange().count());
    const double m = std::clamp(std::round(n * factor), 2.0, std::max(2.0, fullCount));
    index = std::clamp(index, static_cast<double>(v.first), static_cast<double>(v.last));
    const double start = std::round(index - (index - static_cast<double>(v.first)) * m / n);
    scrollTo(static_cast<std::int64_t>(start), static_cast<std::int64_t>(m));
}

void PaneSet::prepareDraw() {
    const IndexRange full = fullRange();
    const IndexRange vis = visibleRange();
    for (auto& entry : panes_) {
        entry.second->setXMapping(x0_, dx_);
        entry.second->setFullRange(full);
        entry.second->setVisibleRange(vis);
    }
}

}  // namespace phonotab
