// Little-endian reading and writing over byte spans.
//
// Every instrument file, description, table and project is untrusted input, so
// the reader never touches a byte outside its span: a read past the end yields
// zero and latches the reader into the failed state, which the caller checks
// once after a group of reads (`ok()`), instead of testing each field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace phonotab {

using ByteSpan = std::span<const std::uint8_t>;

inline std::uint16_t loadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t loadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint64_t loadU64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(loadU32(p)) | (static_cast<std::uint64_t>(loadU32(p + 4)) << 32);
}
inline double loadF64(const std::uint8_t* p) {
    const std::uint64_t bits = loadU64(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The same over a file's bytes held as text; the caller has checked that the
// field lies inside.
inline std::uint32_t loadU16(std::string_view bytes, std::size_t at) {
    return loadU16(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at);
}
inline std::uint32_t loadU32(std::string_view bytes, std::size_t at) {
    return loadU32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at);
}
// Big-endian fields (PNG and JPEG headers), with the same precondition.
inline std::uint32_t loadBigEndianU16(std::string_view bytes, std::size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 8) |
           static_cast<unsigned char>(bytes[at + 1]);
}
inline std::uint32_t loadBigEndianU32(std::string_view bytes, std::size_t at) {
    return (loadBigEndianU16(bytes, at) << 16) | loadBigEndianU16(bytes, at + 2);
}

// Bounds-checked field access at a byte offset; false when the field does not fit.
inline bool readU16At(ByteSpan bytes, std::size_t offset, std::uint16_t& out) {
    if (offset > bytes.size() || bytes.size() - offset < 2) return false;
    out = loadU16(bytes.data() + offset);
    return true;
}
inline bool readU32At(ByteSpan bytes, std::size_t offset, std::uint32_t& out) {
    if (offset > bytes.size() || bytes.size() - offset < 4) return false;
    out = loadU32(bytes.data() + offset);
    return true;
}

class ByteReader {
public:
    explicit ByteReader(ByteSpan bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

    // True when n more bytes can be read; does not latch the failure.
    bool has(std::size_t n) const { return ok_ && bytes_.size() - pos_ >= n; }

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::uint64_t u64();
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64();
    // Returns an empty span (and fails) when n bytes are not there.
    ByteSpan bytes(std::size_t n);
    void skip(std::size_t n) { (void)bytes(n); }
    void seek(std::size_t pos);
    void fail() { ok_ = false; }

private:
    const std::uint8_t* take(std::size_t n);

    ByteSpan bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void u64(std::uint64_t v);
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v);
    void bytes(ByteSpan b) { out_.insert(out_.end(), b.begin(), b.end()); }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    // Overwrites already written bytes (headers patched after the body is known).
    void patchU32(std::size_t offset, std::uint32_t v);

    std::size_t size() const { return out_.size(); }
    const std::vector<std::uint8_t>& data() const { return out_; }
    std::vector<std::uint8_t> take() { return std::move(out_); }

private:
    std::vector<std::uint8_t> out_;
};

}  // namespace phonotab
