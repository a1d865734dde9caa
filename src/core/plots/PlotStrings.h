// Numbers of the graph engine's texts in the string table.
#pragma once

namespace phonotab::plotstr {
constexpr int kReadoutPoints = 5200;   // "%1ld points"
constexpr int kReadoutMaximum = 5201;  // "%1.0lf (макс)"
constexpr int kClearMarkers = 5202;    // caption of the clear-markers button
constexpr int kVectorExport = 5203;    // caption of the vector export button
constexpr int kTextExport = 5204;      // caption of the text export button
}  // namespace phonotab::plotstr
