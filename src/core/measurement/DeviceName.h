// Names written in the instruments' own 8-bit character sets (10-byte fields).
#pragma once

#include <cstdint>
#include <string>

#include "core/base/Bytes.h"

namespace phonotab {

// Decodes the bytes of a device name field by the record's character-set byte
// (1 Russian, 2 Kazakh, 3 Latin; any other set gives blanks for the national
// positions). Returns UTF-8 text of exactly bytes.size() characters.
std::string DecodeDeviceName(ByteSpan bytes, std::uint8_t charset);

}  // namespace phonotab
