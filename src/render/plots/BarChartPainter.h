// Paints a bar chart scene the core laid out: the same routine draws the
// histogram window, its bitmap and SVG exports, and the report's table graphs.
#pragma once

#include <QPainter>
#include <QSize>

#include "core/plots/BarChartScene.h"
#include "render/plots/GraphFonts.h"

namespace phonotab {

void paintBarChart(QPainter& painter, const BarChartScene& scene, const GraphFonts& fonts, QSize size);

}  // namespace phonotab
