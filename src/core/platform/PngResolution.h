// Setting the resolution a PNG file states (its pHYs chunk), so that the size
// a document places a picture at and the resolution the picture says agree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace phonotab {

// The PNG with its pHYs chunk replaced by (or, where it has none, given) one
// of dpi dots per inch both ways; nothing when the bytes are not a PNG whose
// chunks read to the end.
std::optional<std::string> withPngResolution(std::string_view png, double dpi);

// The check sum of a PNG chunk (CRC-32 over its type and data), for any code
// that writes chunks.
std::uint32_t pngChunkCrc(std::string_view typeAndData);

}  // namespace phonotab
