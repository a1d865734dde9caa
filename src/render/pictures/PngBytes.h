// A drawn picture as the PNG bytes a report document embeds.
#pragma once

#include <QImage>
#include <string>

#include "core/base/Result.h"

namespace phonotab {

// 6203 with `name` when the image is empty or cannot be encoded.
Result<std::string> pngBytes(const QImage& image, const std::string& name);

}  // namespace phonotab
