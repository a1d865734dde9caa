// Setting the resolution a PNG file states (its pHYs chunk), so that the size
// a document places a picture at and the resolution the picture says agree.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace phonotab {

// The PNG with its pHYs chunk replaced by (or, where it has none, given) one
// of dpi dots per inch both ways; nothing when the bytes are not a PNG whose
// chunks read to the end.
std::optional<std::string> withPngResolution(std::string_view png, double dpi);

}  // namespace phonotab
