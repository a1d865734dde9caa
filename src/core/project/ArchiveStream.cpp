#include "core/project/ArchiveStream.h"

#include "core/base/TextCodec.h"

namespace phonotab {

std::int32_t ArchiveReader::count(std::size_t minItemBytes) {
    const std::int32_t n = r_.i32();
    if (!r_.ok()) return 0;
    if (n < 0 || (minItemBytes > 0 && static_cast<std::size_t>(n) > r_.remaining() / minItemBytes)) {
        bad_ = true;
        return 0;
    }
    return n;
}

std::string ArchiveReader::text() {
    // byte < 0xFF: an 8-bit text of that length. Otherwise a word: 0xFFFE marks
    // UTF-16 text, whose length follows in the same scheme; below 0xFFFF it is
    // the length; 0xFFFF is followed by a 32-bit length.
    bool wide = false;
    std::uint64_t length = r_.u8();
    if (length == 0xFF) {
        std::uint32_t w = r_.u16();
        if (w == 0xFFFE) {
            wide = true;
            length = r_.u8();
            if (length == 0xFF) w = r_.u16();
        }
        if (length == 0xFF) length = w < 0xFFFF ? w : r_.u32();
    }
    if (!r_.ok()) return {};
    const std::size_t bytes = static_cast<std::size_t>(length) * (wide ? 2 : 1);
    if (length > r_.remaining() || bytes > r_.remaining()) {
        bad_ = true;
        return {};
    }
    const ByteSpan b = r_.bytes(bytes);
    if (wide) return utf16leToUtf8(b);
    return decodeLocal8Bit(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

void ArchiveWriter::text(const std::string& utf8) {
    const std::u16string units = utf8ToUtf16(utf8);
    w_.u8(0xFF);
    w_.u16(0xFFFE);
    const std::size_t n = units.size();
    if (n < 0xFF) {
        w_.u8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        w_.u8(0xFF);
        w_.u16(static_cast<std::uint16_t>(n));
    } else {
        w_.u8(0xFF);
        w_.u16(0xFFFF);
        w_.u32(static_cast<std::uint32_t>(n));
    }
    for (char16_t u : units) w_.u16(u);
}

}  // namespace phonotab
