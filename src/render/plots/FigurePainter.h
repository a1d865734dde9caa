// Paints a figure for print the core laid out, and draws it as a bitmap at a
// print resolution (the bitmap states that resolution, so that a document or
// a word processor places it at the figure's printed size).
#pragma once

#include <QImage>
#include <QPainter>

#include "core/plots/PlotFigure.h"
#include "render/plots/GraphFonts.h"

namespace phonotab {

// In figure units: the caller scales the painter to its device.
void paintFigure(QPainter& painter, const PlotFigure& figure, const GraphFonts& fonts);

// The figure at dpi pixels per inch, on white.
QImage figureImage(const PlotFigure& figure, const GraphFonts& fonts, int dpi = figure::kPrintDpi);

}  // namespace phonotab
