// Paints a pane's scene with QPainter: the same routine draws on the window's
// off-screen surface, into a bitmap and into a vector (SVG) export.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "render/plots/GraphFonts.h"
#include "core/plots/PaneScene.h"

namespace phonotab {

inline QColor toQColor(ColourWord c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// How the curves of a scene are painted: as polylines (vector pictures), as
// the core's pixel runs through the painter, or not at all (a bitmap surface
// gets them afterwards from fillCurveRuns).
enum class CurvePainting { Polyline, Runs, Later };

void paintScene(QPainter& painter, const PaneScene& scene, const GraphFonts& fonts,
                CurvePainting curves = CurvePainting::Runs);

// Writes the curves' pixel runs straight into a 32-bit image that no painter
// is working on: the fastest way to put tens of thousands of pixel columns
// on a bitmap. Other formats go through a painter.
void fillCurveRuns(QImage& image, const PaneScene& scene);


}  // namespace phonotab
