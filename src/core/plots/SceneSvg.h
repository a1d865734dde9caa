// A pane's scene as an SVG picture, for the batch tool (no drawing library):
// the same bands, grid, marks, texts, zone lines and reduced curves the
// desktop paints, in the scene's window pixels.
#pragma once

#include <string>

#include "core/plots/PaneScene.h"

namespace phonotab {

// width × height pixels; text sizes from the line height the scene was laid
// out with.
std::string paneSceneSvg(const PaneScene& scene, int width, int height, int lineHeight);

}  // namespace phonotab
