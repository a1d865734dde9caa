// Turning an illustration's picture file into PNG for the report, when the
// document cannot take it as it is (SVG and the like). Built with Qt's GUI
// library on its offscreen platform where Qt is there; without Qt nothing is
// converted and such illustrations are reported as skipped.
#pragma once

#include <string>

#include "core/base/Result.h"

namespace phonotab {

// PNG bytes of the picture in `bytes` (read from `path`); 6207 when its kind
// cannot be converted here, 6203 when it cannot be read. A drawing (SVG) is
// drawn at a print resolution at its own size, no wider than a page's text.
Result<std::string> convertPictureToPng(const std::string& bytes, const std::string& path);

// The picture as the report embeds it: PNG, at its own printed size (from
// its resolution, 96 dots per inch when it does not say) but no wider than a
// page's text, with at least 200 pixels to the inch there (a coarser picture
// is smoothly enlarged), the PNG stating that resolution. Without Qt the
// bytes stay as they are. 6203 when they cannot be read.
Result<std::string> printablePng(const std::string& bytes, const std::string& path);

}  // namespace phonotab
