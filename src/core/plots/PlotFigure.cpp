#include "core/plots/PlotFigure.h"

#include <algorithm>
#include <cmath>

namespace phonotab {

namespace figure {
int unitsOfCm(double cm) { return static_cast<int>(std::lround(cm / 2.54 * kUnitsPerInch)); }
int pixelsAt(int units, int dpi) { return static_cast<int>(std::lround(units * dpi / kUnitsPerInch)); }
}  // namespace figure

bool PlotFigure::hasText(const std::string& text) const {
    return std::any_of(texts.begin(), texts.end(), [&](const FigureText& t) { return t.text.text == text; });
}

namespace {

constexpr int kSwatchWidth = 22, kSwatchGap = 6, kEntryGap = 18, kRowGap = 4, kSide = 8;

struct LegendRow {
    std::vector<std::size_t> entries;
    int width = 0;
};

std::vector<LegendRow> legendRows(const std::vector<FigureSeries>& series, int width, const TextMetrics& metrics) {
    std::vector<LegendRow> rows;
    const int room = std::max(1, width - 2 * kSide);
    for (std::size_t i = 0; i < series.size(); ++i) {
        const int w = kSwatchWidth + kSwatchGap + metrics.width(series[i].name, TextRole::Label);
        if (rows.empty() || (!rows.back().entries.empty() && rows.back().width + kEntryGap + w > room))
            rows.emplace_back();
        LegendRow& row = rows.back();
        row.width += (row.entries.empty() ? 0 : kEntryGap) + w;
        row.entries.push_back(i);
    }
    return rows;
}

}  // namespace

int figureLegendHeight(const std::vector<FigureSeries>& series, int width, const TextMetrics& metrics) {
    const auto rows = legendRows(series, width, metrics);
    return static_cast<int>(rows.size()) * (metrics.height(TextRole::Label) + kRowGap);
}

int layoutFigureLegend(PlotFigure& f, const std::vector<FigureSeries>& series, int top, const TextMetrics& metrics) {
    const int lineH = metrics.height(TextRole::Label);
    const auto rows = legendRows(series, f.width, metrics);
    int y = top;
    for (const LegendRow& row : rows) {
        int x = (f.width - row.width) / 2;
        for (std::size_t i : row.entries) {
            const FigureSeries& s = series[i];
            FigureLegendEntry e;
            e.name = s.name;
            e.colour = s.colour;
            const int h = s.block ? std::min(lineH - 2, 10) : 3;
            const int centre = y + lineH / 2;
            e.swatch = {x, centre - h / 2, x + kSwatchWidth, centre - h / 2 + h};
            f.fills.push_back({e.swatch, s.colour});
            const int w = metrics.width(s.name, TextRole::Label);
            FigureText t;
            t.text.x = x + kSwatchWidth + kSwatchGap;
            t.text.y = y;
            t.text.text = s.name;
            t.width = w;
            f.texts.push_back(std::move(t));
            f.legend.push_back(std::move(e));
            x += kSwatchWidth + kSwatchGap + w + kEntryGap;
        }
        y += lineH + kRowGap;
    }
    return y - top;
}

}  // namespace phonotab
