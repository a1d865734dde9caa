// A pane's scene as an SVG picture, for the batch tool (no drawing library):
// the same bands, grid, marks, texts, zone lines and reduced curves the
// desktop paints, in the scene's window pixels.
#pragma once

#include <string>

#include "core/plots/PaneScene.h"
#include "core/plots/PlotFigure.h"

namespace phonotab {

// width × height pixels; text sizes from the line height the scene was laid
// out with.
std::string paneSceneSvg(const PaneScene& scene, int width, int height, int lineHeight);

// A figure for print as an SVG picture: its size in millimetres (a word
// processor places it at the printed size), drawn in figure units, with
// smooth curves and the figure's fonts by name and size.
std::string plotFigureSvg(const PlotFigure& figure);

}  // namespace phonotab
