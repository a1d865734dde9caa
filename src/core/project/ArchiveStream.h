// The project file's field forms: little-endian integers and doubles, and the
// archived text (a UTF-16 mark and a variable-length count, or the older 8-bit
// form). The reader checks every count against the bytes left.
#pragma once

#include <cstdint>
#include <string>

#include "core/base/Bytes.h"

namespace phonotab {

class ArchiveReader {
public:
    explicit ArchiveReader(ByteSpan bytes) : r_(bytes) {}
    bool ok() const { return r_.ok() && !bad_; }
    std::size_t remaining() const { return r_.remaining(); }
    std::size_t position() const { return r_.position(); }

    std::int32_t i32() { return r_.i32(); }
    std::uint32_t u32() { return r_.u32(); }
    std::uint8_t byte() { return r_.u8(); }
    double f64() { return r_.f64(); }
    ByteSpan bytes(std::size_t n) { return r_.bytes(n); }
    std::string text();
    // A count of items of at least minItemBytes each; a negative count or one the
    // bytes left cannot hold marks the archive as damaged and gives 0.
    std::int32_t count(std::size_t minItemBytes);
    void fail() { bad_ = true; }

private:
    ByteReader r_;
    bool bad_ = false;
};

class ArchiveWriter {
public:
    void i32(std::int32_t v) { w_.i32(v); }
    void u32(std::uint32_t v) { w_.u32(v); }
    void byte(std::uint8_t v) { w_.u8(v); }
    void f64(double v) { w_.f64(v); }
    void bytes(ByteSpan b) { w_.bytes(b); }
    // Always the UTF-16 form.
    void text(const std::string& utf8);
    std::vector<std::uint8_t> take() { return w_.take(); }

private:
    ByteWriter w_;
};

}  // namespace phonotab
