// The tab-separated text export of a pane: the title, then one line per visible
// sample index with its x value and every series' raw sample (0 where a series
// has no sample there).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/base/TextCodec.h"
#include "core/plots/GraphPane.h"

namespace phonotab {

// Hands the text to sink in pieces of about 64 KiB (a visible range may hold
// millions of lines); stops and returns false as soon as the sink does.
bool writePaneText(const GraphPane& pane, TextEncoding encoding,
                   const std::function<bool(std::string_view)>& sink);

// The whole text at once, for small ranges.
std::string paneTextExport(const GraphPane& pane, TextEncoding encoding = TextEncoding::Utf8);

}  // namespace phonotab
