#include "core/base/Bytes.h"

namespace phonotab {

const std::uint8_t* ByteReader::take(std::size_t n) {
    if (!ok_ || bytes_.size() - pos_ < n) {
        ok_ = false;
        return nullptr;
    }
    const std::uint8_t* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
}

std::uint8_t ByteReader::u8() {
    const auto* p = take(1);
    return p ? p[0] : 0;
}
std::uint16_t ByteReader::u16() {
    const auto* p = take(2);
    return p ? loadU16(p) : 0;
}
std::uint32_t ByteReader::u32() {
    const auto* p = take(4);
    return p ? loadU32(p) : 0;
}
std::uint64_t ByteReader::u64() {
    const auto* p = take(8);
    return p ? loadU64(p) : 0;
}
double ByteReader::f64() {
    const auto* p = take(8);
    return p ? loadF64(p) : 0.0;
}
ByteSpan ByteReader::bytes(std::size_t n) {
    const auto* p = take(n);
    return p ? ByteSpan(p, n) : ByteSpan();
}
void ByteReader::seek(std::size_t pos) {
    if (pos > bytes_.size()) {
        ok_ = false;
        return;
    }
    pos_ = pos;
}

void ByteWriter::u16(std::uint16_t v) {
    out_.push_back(static_cast<std::uint8_t>(v));
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
}
void ByteWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v));
    u16(static_cast<std::uint16_t>(v >> 16));
}
void ByteWriter::u64(std::uint64_t v) {
    u32(static_cast<std::uint32_t>(v));
    u32(static_cast<std::uint32_t>(v >> 32));
}
void ByteWriter::f64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    u64(bits);
}
void ByteWriter::patchU32(std::size_t offset, std::uint32_t v) {
    if (offset + 4 > out_.size()) return;
    for (int i = 0; i < 4; ++i) out_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace phonotab
