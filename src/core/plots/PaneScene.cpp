#include "core/plots/PaneScene.h"

#include <algorithm>
#include <cmath>

#include "core/plots/PaneRanges.h"
#include "core/plots/TimeAxis.h"

namespace phonotab {

bool PaneScene::hasText(const std::string& text) const {
    return std::any_of(texts.begin(), texts.end(), [&](const SceneText& t) { return t.text == text; });
}

bool CurveSource::sameAs(const CurveSource& o) const {
    // Owner equivalence: the pyramid is the very same object, alive or not
    // (a weak pointer keeps its address from being reused by another).
    const bool samePyramid = !pyramid.owner_before(o.pyramid) && !o.pyramid.owner_before(pyramid) &&
                             !pyramid.expired();
    return samePyramid && samples == o.samples && first == o.first && last == o.last && scale == o.scale &&
           offset == o.offset && part == o.part && x0 == o.x0 && dx == o.dx && clamp == o.clamp &&
           clampLo == o.clampLo && clampHi == o.clampHi;
}

namespace {

using namespace scenegeom;

class SceneBuilder {
public:
    SceneBuilder(const GraphPane& pane, const TextMetrics& metrics, const SceneOptions& options)
        : pane_(pane), metrics_(metrics), table_(options.table ? *options.table : ColourTable::standard()),
          colours_(options.colours), previous_(options.previous) {}

    PaneScene build() {
        scene_.plot = pane_.plotRect();
        scene_.background = pane_.background();
        scene_.foreground = table_.at(colour::kForeground);
        grid_ = table_.at(colour::kDarkGrey);
        const auto stats = computePaneRanges(pane_);
        if (!stats) return std::move(scene_);
        const PlotRect& r = scene_.plot;
        if (r.width() < 2 || r.height() < 2) return std::move(scene_);
        scene_.empty = false;
        scene_.stats = *stats;
        scene_.map = CoordinateMap(r, stats->xMin, stats->xMax, stats->yMin, stats->yMax,
                                   pane_.hasFlag(paneflag::kLogX) && !pane_.hasFlag(paneflag::kTimeAxis),
                                   pane_.hasFlag(paneflag::kLogY));
        if (colours_) addBands();
        addFrame();
        addXAxis();
        addYAxis();
        addTitles();
        if (colours_) addZoneLines();
        addCurves();
        return std::move(scene_);
    }

private:
    const CoordinateMap& map() const { return scene_.map; }

    void addBands() {
        const auto& zones = pane_.zones();
        const PlotRect& r = scene_.plot;
        // Shaded spans lie under the zones' bands: a zone stays visible over a night.
        for (const ShadedSpan& s : pane_.shadedSpans()) {
            int a = map().px(s.from), b = map().px(s.to);
            if (a > b) std::swap(a, b);
            SceneBand band{{std::max(a, r.left), r.top, std::min(b + 1, r.right), r.bottom}, s.colour};
            if (band.rect.width() > 0 && band.rect.height() > 0) scene_.bands.push_back(band);
        }
        for (std::size_t i = 1; i < zones.size(); ++i) {
            if (!zones[i].fillsBand()) continue;
            SceneBand band;
            band.colour = table_.at(zones[i].colourIndex());
            if (zones[i].horizontal()) {
                int a = map().py(zones[i - 1].value), b = map().py(zones[i].value);
                if (a > b) std::swap(a, b);
                band.rect = {r.left, std::max(a, r.top), r.right, std::min(b + 1, r.bottom)};
            } else {
                int a = map().px(zones[i - 1].value), b = map().px(zones[i].value);
                if (a > b) std::swap(a, b);
                band.rect = {std::max(a, r.left), r.top, std::min(b + 1, r.right), r.bottom};
            }
            if (band.rect.width() > 0 && band.rect.height() > 0) scene_.bands.push_back(band);
        }
    }

    void addFrame() {
        const PlotRect& r = scene_.plot;
        const ColourWord c = scene_.foreground;
        scene_.marks.push_back({r.left, r.top, r.right - 1, r.top, c});
        scene_.marks.push_back({r.right - 1, r.top, r.right - 1, r.bottom - 1, c});
        scene_.marks.push_back({r.right - 1, r.bottom - 1, r.left, r.bottom - 1, c});
        scene_.marks.push_back({r.left, r.bottom - 1, r.left, r.top, c});
    }

    AxisScale xScale() const {
        AxisScale a;
        a.min = map().xMin();
        a.max = map().xMax();
        a.pixel = [this](double x) { return map().px(x); };
        a.fraction = [this](double x) { return map().xFraction(x); };
        return a;
    }

    AxisScale yScale() const {
        AxisScale a;
        a.min = map().yMin();
        a.max = map().yMax();
        a.pixel = [this](double y) { return map().py(y); };
        // Relative to the bottom, where the axis minimum lies.
        a.fraction = [this](double y) { return map().yFraction(y); };
        return a;
    }

    int lineHeight() const { return metrics_.height(TextRole::Label); }

    void addXAxis() {
        const PlotRect& r = scene_.plot;
        const AxisScale axis = xScale();
        if (pane_.hasFlag(paneflag::kTimeAxis)) {
            const double first = std::floor(static_cast<double>(pane_.timeOrigin()) + axis.min);
            std::string sample = "00:00:00";
            if (std::fabs(first) < 1e15) sample = formatClockTime(fromCivilSeconds(static_cast<std::int64_t>(first)));
            // A label slot is a label and a gap of two blanks, so that neighbouring
            // clock times do not run into each other.
            const int w = std::max(1, metrics_.width(sample + "  ", TextRole::Label));
            TimeAxisTicks t = timeAxisTicks(axis, pane_.timeOrigin(), r.width() / w);
            scene_.timeStep = t.step;
            scene_.xTicks = std::move(t.ticks);
        } else if (map().logX()) {
            scene_.xStep = logTickStep(axis.min, axis.max - axis.min, r.width(), pane_.labelSpacingX(),
                                       pane_.labelDigits());
            if (scene_.xStep)
                scene_.xTicks = logAxisTicks(*scene_.xStep, axis, [this](const std::string& s) {
                    return metrics_.width(s, TextRole::Label);
                });
        } else {
            scene_.xStep = linearTickStep(axis.min, axis.max - axis.min, r.width(), pane_.labelSpacingX(),
                                          pane_.labelDigits());
            if (scene_.xStep) scene_.xTicks = linearAxisTicks(*scene_.xStep, axis);
        }
        const int labelTop = r.bottom + kMajorMark + kLabelGap;
        int lines = 1;
        for (const AxisTick& t : scene_.xTicks) {
            if (t.pixel < r.left || t.pixel >= r.right) continue;
            const int len = t.major ? kMajorMark : kMinorMark;
            scene_.marks.push_back({t.pixel, r.bottom - 1, t.pixel, r.bottom - 1 + len, scene_.foreground});
            if (t.major) scene_.grid.push_back({t.pixel, r.top, t.pixel, r.bottom - 1, grid_, 1, true});
            if (t.label.empty()) continue;
            std::size_t start = 0;
            for (int line = 0; start <= t.label.size(); ++line) {
                const std::size_t nl = t.label.find('\n', start);
                const std::string text = t.label.substr(start, nl == std::string::npos ? nl : nl - start);
                const int w = metrics_.width(text, TextRole::Label);
                scene_.texts.push_back({t.pixel - w / 2, labelTop + line * kSecondLineOffset, text});
                lines = std::max(lines, line + 1);
                if (nl == std::string::npos) break;
                start = nl + 1;
            }
        }
        xLabelsBottom_ = labelTop + (lines - 1) * kSecondLineOffset + lineHeight();
        if (scene_.xStep && scene_.xStep->group != 0 && !map().logX()) {
            const std::string e = exponentText(scene_.xStep->group);
            scene_.texts.push_back({r.right - metrics_.width(e, TextRole::Label), xLabelsBottom_ + 1, e});
            xLabelsBottom_ += lineHeight() + 1;
        }
    }

    void addYAxis() {
        const PlotRect& r = scene_.plot;
        const AxisScale axis = yScale();
        if (map().logY()) {
            scene_.yStep = logTickStep(axis.min, axis.max - axis.min, r.height(), pane_.labelSpacingY(),
                                       pane_.labelDigits());
            if (scene_.yStep)
                scene_.yTicks = logAxisTicks(*scene_.yStep, axis, [this](const std::string&) { return lineHeight(); });
        } else {
            scene_.yStep = linearTickStep(axis.min, axis.max - axis.min, r.height(), pane_.labelSpacingY(),
                                          pane_.labelDigits());
            if (scene_.yStep) scene_.yTicks = linearAxisTicks(*scene_.yStep, axis);
        }
        const int labelRight = r.left - kMajorMark - kLabelGap;
        for (const AxisTick& t : scene_.yTicks) {
            if (t.pixel < r.top || t.pixel >= r.bottom) continue;
            const int len = t.major ? kMajorMark : kMinorMark;
            scene_.marks.push_back({r.left - len, t.pixel, r.left, t.pixel, scene_.foreground});
            if (t.major) scene_.grid.push_back({r.left, t.pixel, r.right - 1, t.pixel, grid_, 1, true});
            if (t.label.empty()) continue;
            const int w = metrics_.width(t.label, TextRole::Label);
            scene_.widestYLabel = std::max(scene_.widestYLabel, w);
            scene_.texts.push_back({labelRight - w, t.pixel - lineHeight() / 2, t.label});
        }
        if (scene_.yStep && scene_.yStep->group != 0 && !map().logY()) {
            const std::string e = exponentText(scene_.yStep->group);
            scene_.texts.push_back(
                {r.left - metrics_.width(e, TextRole::Label) / 2, r.top - lineHeight() - kLabelGap, e});
        }
    }

    void addTitles() {
        const PlotRect& r = scene_.plot;
        if (!pane_.xTitle().empty()) {
            const int w = metrics_.width(pane_.xTitle(), TextRole::AxisTitle);
            scene_.texts.push_back(
                {r.left + (r.width() - w) / 2, xLabelsBottom_ + kLabelGap, pane_.xTitle(), TextRole::AxisTitle});
        }
        if (!pane_.yTitle().empty()) {
            const int w = metrics_.width(pane_.yTitle(), TextRole::AxisTitle);
            const int h = metrics_.height(TextRole::AxisTitle);
            const int x = r.left - kMajorMark - kLabelGap - scene_.widestYLabel - kLabelGap - h;
            scene_.texts.push_back({x, r.top + (r.height() - w) / 2, pane_.yTitle(), TextRole::AxisTitle, true});
        }
        if (!pane_.title().empty()) {
            const int w = metrics_.width(pane_.title(), TextRole::PaneTitle);
            const int h = metrics_.height(TextRole::PaneTitle);
            scene_.texts.push_back({r.left + (r.width() - w) / 2, r.top - h - lineHeight() / 2 - kLabelGap,
                                    pane_.title(), TextRole::PaneTitle});
        }
    }

    void addZoneLines() {
        const auto& zones = pane_.zones();
        const PlotRect& r = scene_.plot;
        const IndexRange vis = pane_.visibleRange();
        const double a = pane_.xOf(vis.first), b = pane_.xOf(vis.last);
        const double visLo = std::min(a, b), visHi = std::max(a, b);
        for (std::size_t i = 0; i < zones.size(); ++i) {
            if (!zoneDrawnAsLine(zones, i)) continue;
            const GraphZone& z = zones[i];
            SceneLine line;
            line.colour = table_.at(z.colourIndex());
            line.width = z.lineWidth();
            line.dotted = z.dotted();
            if (z.horizontal()) {
                const int y = map().py(z.value);
                if (y <= r.top || y >= r.bottom - 1) continue;
                line.x1 = r.left;
                line.x2 = r.right - 1;
                line.y1 = line.y2 = y;
            } else {
                if (!(z.value >= visLo && z.value <= visHi + 1e-06)) continue;
                const int x = map().px(z.value);
                line.x1 = line.x2 = x;
                line.y1 = r.top;
                line.y2 = r.bottom - 1;
            }
            scene_.zoneLines.push_back(line);
        }
    }

    void addCurves() {
        SeriesMapping m;
        m.x0 = pane_.x0();
        m.dx = pane_.dx();
        m.map = &scene_.map;
        if (pane_.hasFlag(paneflag::kFixedY)) {
            m.clamp = true;
            m.clampLo = std::min(pane_.fixedYMin(), pane_.fixedYMax());
            m.clampHi = std::max(pane_.fixedYMin(), pane_.fixedYMax());
        }
        const bool reuse = previous_ && !previous_->empty && previous_->map == scene_.map;
        for (const GraphSeries& s : pane_.series()) {
            const auto part = drawnPart(s, pane_.visibleRange());
            if (!part) continue;
            SceneCurve curve;
            curve.colour = colours_ ? table_.seriesColour(s.colour) : scene_.foreground;
            curve.source = {s.pyramid, s.samples, s.first, s.last, s.scale, s.offset, *part,
                            m.x0, m.dx, m.clamp, m.clampLo, m.clampHi};
            if (const SceneCurve* old = reuse ? sameCurve(curve.source) : nullptr) {
                curve.points = old->points;
                curve.runs = old->runs;
                scene_.curves.push_back(std::move(curve));
                continue;
            }
            curve.points.reserve(static_cast<std::size_t>(std::min<std::int64_t>(part->count(), 4 * scene_.plot.width() + 8)));
            decimateSeries(s, *part, m, curve.points);
            if (curve.points.empty()) continue;
            curve.runs.reserve(static_cast<std::size_t>(scene_.plot.width()));
            rasterisePolyline(curve.points, scene_.plot, curve.runs);
            scene_.curves.push_back(std::move(curve));
        }
    }

    const SceneCurve* sameCurve(const CurveSource& source) const {
        for (const SceneCurve& c : previous_->curves)
            if (c.source.sameAs(source)) return &c;
        return nullptr;
    }

    const GraphPane& pane_;
    const TextMetrics& metrics_;
    const ColourTable& table_;
    bool colours_;
    const PaneScene* previous_;
    ColourWord grid_ = 0;
    int xLabelsBottom_ = 0;
    PaneScene scene_;
};

}  // namespace

PaneScene buildPaneScene(const GraphPane& pane, const TextMetrics& metrics, const SceneOptions& options) {
    return SceneBuilder(pane, metrics, options).build();
}

}  // namespace phonotab
