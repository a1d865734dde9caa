#include "core/platform/PngResolution.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/base/Bytes.h"

namespace phonotab {

namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);

void putBe32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

}  // namespace

std::optional<std::string> withPngResolution(std::string_view png, double dpi) {
    if (png.size() < 8 || png.substr(0, 8) != kSignature || !(dpi > 0) || !std::isfinite(dpi)) return std::nullopt;
    const auto perMetre = static_cast<std::uint32_t>(std::lround(std::min(dpi, 1e6) / 0.0254));
    std::string chunk("pHYs", 4);
    putBe32(chunk, perMetre);
    putBe32(chunk, perMetre);
    chunk += '\x01';  // the unit is the metre
    std::string out(kSignature);
    out.reserve(png.size() + 21);
    bool placed = false;
    std::size_t at = 8;
    while (at < png.size()) {
        if (png.size() - at < 12) return std::nullopt;
        const std::uint32_t length = loadBigEndianU32(png, at);
        if (length > png.size() - at - 12) return std::nullopt;
        const std::string_view type = png.substr(at + 4, 4);
        const std::size_t whole = 12 + static_cast<std::size_t>(length);
        if (type != "pHYs") out.append(png.substr(at, whole));
        // Right after the header chunk, where readers look for it.
        if (type == "IHDR" && !placed) {
            putBe32(out, 9);
            out += chunk;
            putBe32(out, pngChunkCrc(chunk));
            placed = true;
        }
        at += whole;
        if (type == "IEND") break;
    }
    if (!placed) return std::nullopt;
    return out;
}

std::uint32_t pngChunkCrc(std::string_view typeAndData) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : typeAndData) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

}  // namespace phonotab
