// Text encodings met in the program's files: UTF-16LE (descriptions, project and
// table files), UTF-8 (our texts and exports) and the 8-bit Cyrillic code page
// CP1251 (the instruments' era of exports, and the user's choice of output).
// All in-memory texts are UTF-8 std::string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/Bytes.h"

namespace phonotab {

// UTF-16LE code units (2 bytes each) to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16leToUtf8(ByteSpan bytes);
std::string utf16ToUtf8(std::u16string_view units);
// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf8ToUtf16leBytes(std::string_view text);

bool isValidUtf8(std::string_view text);
// Appends the UTF-8 form of a code point (U+FFFD for values outside Unicode).
void appendUtf8(std::string& out, char32_t cp);

// CP1251 bytes to UTF-8 (every byte maps; 0x98, unassigned, becomes U+FFFD).
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to CP1251; characters the code page lacks become '?'.
std::string utf8ToCp1251(std::string_view text);

// 8-bit text of unknown origin: kept when it is valid UTF-8, else read as CP1251.
std::string decodeLocal8Bit(std::string_view bytes);

enum class TextEncoding { Utf8, Cp1251 };
// Converts a UTF-8 text for writing to an export file in the chosen encoding.
std::string encodeForOutput(std::string_view utf8, TextEncoding encoding);
// Parses "utf8"/"utf-8"/"cp1251"/"windows-1251"; false when unknown.
bool parseTextEncoding(std::string_view name, TextEncoding& out);

}  // namespace phonotab
