// A pane of the graph engine drawn as a picture without a window: the time
// plot the batch tool writes as PNG, painted by the same scene painter as the
// desktop's plot window, with the same fonts.
#pragma once

#include <string>

#include "core/base/Result.h"
#include "core/plots/GraphPane.h"

namespace phonotab {

// PNG bytes of the pane at width × height pixels; 6207 with name where the
// program was built without drawing (no Qt), 6203 when encoding fails.
Result<std::string> panePng(const GraphPane& pane, int width, int height, const std::string& name);

}  // namespace phonotab
