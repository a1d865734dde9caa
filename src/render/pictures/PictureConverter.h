// Turning an illustration's picture file into PNG for the report, when the
// document cannot take it as it is (SVG and the like). Built with Qt's GUI
// library on its offscreen platform where Qt is there; without Qt nothing is
// converted and such illustrations are reported as skipped.
#pragma once

#include <string>

#include "core/base/Result.h"

namespace phonotab {

// PNG bytes of the picture in `bytes` (read from `path`); 6207 when its kind
// cannot be converted here, 6203 when it cannot be read.
Result<std::string> convertPictureToPng(const std::string& bytes, const std::string& path);

}  // namespace phonotab
