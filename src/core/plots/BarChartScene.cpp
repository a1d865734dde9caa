#include "core/plots/BarChartScene.h"

#include <algorithm>
#include <cmath>

#include "core/base/CFormat.h"

namespace phonotab {

namespace {

constexpr int kMargin = 8;       // around the chart
constexpr int kCaptionGap = 3;   // between the plot and the captions
constexpr int kMajorMark = scenegeom::kMajorMark, kMinorMark = scenegeom::kMinorMark;

struct ValueRange {
    double min = 0, max = 1;
    bool log = false;
};

ValueRange valueRange(const BarChartInput& in) {
    ValueRange r;
    if (in.values.empty()) return r;
    // Values that are not numbers (a damaged cell or file) take no part.
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    auto take = [&](const std::vector<double>& values) {
        for (double v : values) {
            if (!std::isfinite(v)) continue;
            lo = std::min(lo, v), hi = std::max(hi, v);
        }
    };
    take(in.values);
    for (const BarSeries& series : in.moreSeries) take(series.values);
    if (!(lo <= hi)) return r;
    if (in.logarithmic && lo > 0 && hi > 0) {
        r.log = true;
        r.min = lo, r.max = hi;
        if (r.max == r.min) r.min /= 10, r.max *= 10;
        return r;
    }
    // Bars stand on zero, with room beyond the farthest.
    r.min = -valueAxisEnd(-std::min(lo, 0.0)), r.max = valueAxisEnd(std::max(hi, 0.0));
    if (r.max == r.min) r.max = r.min + 1;
    return r;
}

}  // namespace

double valueAxisEnd(double farthest) {
    if (!(farthest > 0) || !std::isfinite(farthest)) return 0.0;
    // The nice step: the least 1, 2 or 5 × 10^e at or above a tenth of the value.
    const double tenth = farthest / 10;
    int e = static_cast<int>(std::floor(std::log10(tenth)));
    double m = tenth / std::pow(10.0, e);
    if (m > 5 + 1e-9) m = 1, ++e;
    else if (m > 2 + 1e-9) m = 5;
    else if (m > 1 + 1e-9) m = 2;
    else m = 1;
    const double step = m * std::pow(10.0, e);
    const double k = std::floor(farthest / step * (1 + 1e-12)) + 1;
    // k × m ÷ 10^−e keeps decimal steps exact where they can be (0.9, not 0.9000000000000001).
    return e < 0 ? k * m / std::pow(10.0, -e) : k * step;
}

std::optional<std::pair<int, int>> occupiedColumns(const std::vector<double>& values) {
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const double v = values[static_cast<std::size_t>(i)];
        if (!std::isfinite(v) || v == 0) continue;
        if (first < 0) first = i;
        last = i;
    }
    if (first < 0) return std::nullopt;
    return std::make_pair(first, last);
}

void fitToOccupiedColumns(BarChartInput& in) {
    const auto columns = occupiedColumns(in.values);
    if (!columns) return;
    auto keep = [&](auto& v) {
        if (static_cast<int>(v.size()) <= columns->first) return v.clear();
        v.erase(v.begin() + std::min<std::ptrdiff_t>(columns->second + 1, static_cast<std::ptrdiff_t>(v.size())), v.end());
        v.erase(v.begin(), v.begin() + columns->first);
    };
    keep(in.values);
    keep(in.captions);
    for (BarSeries& s : in.moreSeries) keep(s.values);
}

int barLabelStride(const std::vector<int>& widths, double pitch) {
    const int n = static_cast<int>(widths.size());
    for (int k = 1; k < n; ++k) {
        bool fits = true;
        for (int i = 0; i + k < n && fits; i += k)
            fits = (widths[i] + widths[i + k]) / 2 + 6 < k * pitch;
        if (fits) return k;
    }
    return std::max(n, 1);
}

std::string captionHead(const std::string& caption) {
    const auto nl = caption.find('\n');
    return nl == std::string::npos ? caption : caption.substr(0, nl);
}

std::string captionTail(const std::string& caption) {
    const auto nl = caption.find('\n');
    return nl == std::string::npos ? caption : caption.substr(nl + 1);
}

std::string barReadout(const BarChartInput& in, int i, const std::string& name) {
    if (i < 0 || i >= static_cast<int>(in.values.size())) return {};
    const std::string caption = i < static_cast<int>(in.captions.size()) ? in.captions[i] : std::string();
    if (name.empty()) return cformat("%s: %.6lg", caption.c_str(), in.values[i]);
    return cformat("(%s) ", name.c_str()) + cformat("%s: %.6lg", captionTail(caption).c_str(), in.values[i]);
}

int BarChartScene::barAt(int x, int y) const {
    if (empty || !plot.contains(x, y) || !(pitch > 0)) return -1;
    // The whole column (row) of a bar answers, not only its filled part.
    const double along = horizontal ? y - plot.top : x - plot.left;
    const int i = static_cast<int>(std::floor(along / pitch));
    return i >= 0 && i < columns ? i : -1;
}

bool BarChartScene::hasText(const std::string& text) const {
    return std::any_of(texts.begin(), texts.end(), [&](const SceneText& t) { return t.text == text; });
}

BarChartScene buildBarChartScene(const BarChartInput& in, PlotRect area, const TextMetrics& metrics) {
    BarChartScene s;
    s.background = in.background, s.foreground = in.foreground, s.barColour = in.barColour;
    s.horizontal = in.horizontal;
    const int n = static_cast<int>(in.values.size());
    const int lineH = metrics.height(TextRole::Label);
    const int titleH = in.title.empty() ? 0 : metrics.height(TextRole::PaneTitle) + kMargin;
    // Axis titles: a line of their own under the horizontal axis' labels, a
    // column of their own left of the vertical axis' labels.
    const int axisTitleH = metrics.height(TextRole::AxisTitle) + kCaptionGap;
    const std::string& bottomTitle = in.horizontal ? in.valueTitle : in.captionTitle;
    const std::string& leftTitle = in.horizontal ? in.captionTitle : in.valueTitle;
    const int bottomRoom = bottomTitle.empty() ? 0 : axisTitleH;
    const int leftRoom = leftTitle.empty() ? 0 : axisTitleH;
    const ValueRange range = valueRange(in);
    s.valueMin = range.min, s.valueMax = range.max, s.logarithmic = range.log;

    std::vector<std::string> heads(static_cast<std::size_t>(n));
    std::vector<int> widths(static_cast<std::size_t>(n));
    int widestCaption = 0;
    for (int i = 0; i < n; ++i) {
        heads[i] = i < static_cast<int>(in.captions.size()) ? captionHead(in.captions[i]) : std::string();
        widths[i] = metrics.width(heads[i], TextRole::Label);
        widestCaption = std::max(widestCaption, widths[i]);
    }

    // The value labels' widths depend on the step, the step on the axis length:
    // lay out with a first guess of the label width, then once more.
    int valueLabelWidth = metrics.width("0000000", TextRole::Label);
    for (int pass = 0; pass < 2; ++pass) {
        PlotRect p;
        if (!in.horizontal) {
            p.left = area.left + kMargin + leftRoom + valueLabelWidth + kMajorMark + scenegeom::kLabelGap;
            p.right = area.right - kMargin;
            p.top = area.top + kMargin + titleH + lineH / 2 + (lineH + 2);  // room for "E+n"
            p.bottom = area.bottom - kMargin - bottomRoom - lineH - kCaptionGap;
        } else {
            p.left = area.left + kMargin + leftRoom + widestCaption + kCaptionGap;
            p.right = area.right - kMargin - valueLabelWidth / 2;
            p.top = area.top + kMargin + titleH;
            p.bottom = area.bottom - kMargin - bottomRoom - lineH - kMajorMark - scenegeom::kLabelGap - (lineH + 2);
        }
        if (p.right - p.left < 2) p.right = p.left + 2;
        if (p.bottom - p.top < 2) p.bottom = p.top + 2;
        s.plot = p;

        const int axisPixels = in.horizontal ? p.width() : p.height();
        const int spacing = in.labelSpacing;
        s.valueStep = range.log ? logTickStep(range.min, range.max - range.min, axisPixels, spacing, in.labelDigits)
                                : linearTickStep(range.min, range.max - range.min, axisPixels, spacing,
                                                 in.labelDigits);
        AxisScale axis;
        axis.min = range.min, axis.max = range.max;
        auto fraction = [range](double v) {
            if (range.log) return (std::log10(v) - std::log10(range.min)) / (std::log10(range.max) - std::log10(range.min));
            return (v - range.min) / (range.max - range.min);
        };
        axis.fraction = fraction;
        if (in.horizontal)
            axis.pixel = [p, fraction](double v) {
                return p.left + static_cast<int>(std::lround(fraction(v) * (p.width() - 1)));
            };
        else
            axis.pixel = [p, fraction](double v) {
                return p.bottom - 1 - static_cast<int>(std::lround(fraction(v) * (p.height() - 1)));
            };
        s.valueTicks.clear();
        if (s.valueStep) {
            s.valueTicks = range.log ? logAxisTicks(*s.valueStep, axis,
                                                    [&](const std::string& t) {
                                                        return in.horizontal ? metrics.width(t, TextRole::Label)
                                                                             : lineH;
                                                    })
                                     : linearAxisTicks(*s.valueStep, axis);
        }
        int widest = 0;
        for (const AxisTick& t : s.valueTicks) widest = std::max(widest, metrics.width(t.label, TextRole::Label));
        if (widest == 0 || widest == valueLabelWidth) break;
        valueLabelWidth = widest;
    }

    const PlotRect p = s.plot;
    auto line = [](int x1, int y1, int x2, int y2, ColourWord c, bool dotted = false) {
        SceneLine l;
        l.x1 = x1, l.y1 = y1, l.x2 = x2, l.y2 = y2, l.colour = c, l.dotted = dotted;
        return l;
    };
    const ColourWord fg = in.foreground;
    // Frame.
    s.marks.push_back(line(p.left, p.top, p.right - 1, p.top, fg));
    s.marks.push_back(line(p.right - 1, p.top, p.right - 1, p.bottom - 1, fg));
    s.marks.push_back(line(p.right - 1, p.bottom - 1, p.left, p.bottom - 1, fg));
    s.marks.push_back(line(p.left, p.bottom - 1, p.left, p.top, fg));

    if (!in.title.empty()) {
        SceneText t;
        t.text = in.title;
        t.role = TextRole::PaneTitle;
        t.x = area.left + (area.width() - metrics.width(in.title, TextRole::PaneTitle)) / 2;
        t.y = area.top + kMargin / 2;
        s.texts.push_back(std::move(t));
    }
    if (!bottomTitle.empty()) {
        SceneText t;
        t.text = bottomTitle;
        t.role = TextRole::AxisTitle;
        t.x = p.left + (p.width() - metrics.width(bottomTitle, TextRole::AxisTitle)) / 2;
        t.y = area.bottom - kMargin - metrics.height(TextRole::AxisTitle);
        s.texts.push_back(std::move(t));
    }
    if (!leftTitle.empty()) {
        SceneText t;
        t.text = leftTitle;
        t.role = TextRole::AxisTitle;
        t.vertical = true;
        t.x = area.left + kMargin;
        t.y = p.top + (p.height() - metrics.width(leftTitle, TextRole::AxisTitle)) / 2;
        s.texts.push_back(std::move(t));
    }
    if (n == 0) return s;
    s.empty = false;

    // Value axis: marks, grid lines across the chart and labels.
    for (const AxisTick& t : s.valueTicks) {
        const int len = t.major ? kMajorMark : kMinorMark;
        if (!in.horizontal) {
            s.marks.push_back(line(p.left - len, t.pixel, p.left, t.pixel, fg));
            if (t.major && t.pixel > p.top && t.pixel < p.bottom - 1)
                s.grid.push_back(line(p.left + 1, t.pixel, p.right - 2, t.pixel, fg, true));
            if (!t.label.empty()) {
                SceneText lt;
                lt.text = t.label;
                lt.x = p.left - kMajorMark - scenegeom::kLabelGap - metrics.width(t.label, TextRole::Label);
                lt.y = t.pixel - lineH / 2;
                s.texts.push_back(std::move(lt));
            }
        } else {
            s.marks.push_back(line(t.pixel, p.bottom - 1, t.pixel, p.bottom - 1 + len, fg));
            if (t.major && t.pixel > p.left && t.pixel < p.right - 1)
                s.grid.push_back(line(t.pixel, p.top + 1, t.pixel, p.bottom - 2, fg, true));
            if (!t.label.empty()) {
                SceneText lt;
                lt.text = t.label;
                lt.x = t.pixel - metrics.width(t.label, TextRole::Label) / 2;
                lt.y = p.bottom - 1 + kMajorMark + scenegeom::kLabelGap;
                s.texts.push_back(std::move(lt));
            }
        }
    }
    if (s.valueStep && s.valueStep->group != 0 && !range.log) {
        SceneText e;
        e.text = exponentText(s.valueStep->group);
        if (!in.horizontal) {
            e.x = p.left - metrics.width(e.text, TextRole::Label) / 2;
            e.y = p.top - lineH - 2;
        } else {
            e.x = p.right - metrics.width(e.text, TextRole::Label);
            e.y = p.bottom - 1 + kMajorMark + scenegeom::kLabelGap + lineH + 2;
        }
        s.texts.push_back(std::move(e));
    }

    // Bars: each column (row) holds one bar of every series side by side, a gap
    // of an eighth of the pitch on each side.
    const double along = in.horizontal ? p.height() : p.width();
    s.pitch = along / n;
    s.columns = n;
    const double gap = s.pitch >= 4 ? std::floor(s.pitch / 8) : 0;
    const double base = range.log ? range.min : 0.0;
    auto fraction = [&](double v) {
        if (!std::isfinite(v)) return 0.0;
        double f = range.log ? (v > 0 ? (std::log10(v) - std::log10(range.min)) /
                                           (std::log10(range.max) - std::log10(range.min))
                                     : 0.0)
                             : (v - range.min) / (range.max - range.min);
        return std::clamp(f, 0.0, 1.0);
    };
    const double f0 = fraction(base);
    const int seriesCount = 1 + static_cast<int>(in.moreSeries.size());
    for (int i = 0; i < n; ++i) {
        const double a = i * s.pitch + gap, b = (i + 1) * s.pitch - gap;
        for (int k = 0; k < seriesCount; ++k) {
            const std::vector<double>& values = k == 0 ? in.values : in.moreSeries[k - 1].values;
            if (i >= static_cast<int>(values.size())) continue;
            const int from = static_cast<int>(std::lround(a + (b - a) * k / seriesCount));
            const int to = std::max(from + 1, static_cast<int>(std::lround(a + (b - a) * (k + 1) / seriesCount)));
            const double fv = fraction(values[i]);
            const double lo = std::min(f0, fv), hi = std::max(f0, fv);
            SceneBar bar;
            bar.index = i;
            bar.series = k;
            bar.colour = k == 0 ? in.barColour : in.moreSeries[k - 1].colour;
            if (!in.horizontal) {
                bar.rect.left = p.left + from, bar.rect.right = p.left + to;
                bar.rect.bottom = p.bottom - 1 - static_cast<int>(std::lround(lo * (p.height() - 1)));
                bar.rect.top = p.bottom - 1 - static_cast<int>(std::lround(hi * (p.height() - 1)));
            } else {
                bar.rect.top = p.top + from, bar.rect.bottom = p.top + to;
                bar.rect.left = p.left + 1 + static_cast<int>(std::lround(lo * (p.width() - 1)));
                bar.rect.right = p.left + 1 + static_cast<int>(std::lround(hi * (p.width() - 1)));
            }
            s.bars.push_back(bar);
        }
    }

    // Captions: every stride-th, centred under its bar (right-aligned left of it).
    std::vector<int> extents = widths;
    if (in.horizontal) std::fill(extents.begin(), extents.end(), lineH);
    s.labelStride = barLabelStride(extents, s.pitch);
    for (int i = 0; i < n; i += s.labelStride) {
        SceneText t;
        t.text = heads[i];
        const int centre = static_cast<int>(std::lround((i + 0.5) * s.pitch));
        if (!in.horizontal) {
            t.x = p.left + centre - widths[i] / 2;
            t.y = p.bottom + kCaptionGap;
        } else {
            t.x = p.left - kCaptionGap - widths[i];
            t.y = p.top + centre - lineH / 2;
        }
        s.texts.push_back(std::move(t));
        if (s.labelStride >= n) break;
    }
    return s;
}

}  // namespace phonotab
