#include "core/platform/BlankPicture.h"

#include <cstdint>
#include <cstdlib>

#include "core/base/Bytes.h"

namespace phonotab {

namespace {

constexpr std::int64_t kMaxBitmapSide = 1 << 20;
constexpr std::uint32_t kUncompressed = 0, kBitFields = 3, kAlphaBitFields = 6;

}  // namespace

bool isBlankBitmap(std::string_view b) {
    if (b.size() < 54 || b.substr(0, 2) != "BM") return false;
    const std::uint32_t header = loadU32(b, 14);
    if (header < 40 || header > b.size() - 14) return false;
    const std::int64_t width = static_cast<std::int32_t>(loadU32(b, 18));
    const std::int64_t height = std::llabs(static_cast<std::int32_t>(loadU32(b, 22)));
    const std::uint32_t bits = loadU16(b, 28), compression = loadU32(b, 30);
    if (width <= 0 || width > kMaxBitmapSide || height <= 0 || height > kMaxBitmapSide) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (compression != kUncompressed &&
        !((compression == kBitFields || compression == kAlphaBitFields) && (bits == 16 || bits == 32)))
        return false;

    // The colour table of a paletted picture: the pixels hold indices into it.
    std::string_view palette;
    if (bits <= 8) {
        std::uint64_t entries = loadU32(b, 46);
        if (entries == 0 || entries > (1u << bits)) entries = 1u << bits;
        const std::uint64_t at = 14 + static_cast<std::uint64_t>(header);
        if (at + entries * 4 > b.size()) return false;
        palette = b.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(entries * 4));
    }
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t offset = loadU32(b, 10);
    if (offset > b.size() || stride * static_cast<std::uint64_t>(height) > b.size() - offset) return false;

    auto colourAt = [&](std::size_t rowStart, std::int64_t x, std::uint32_t& colour) {
        if (bits >= 8) {
            const std::size_t at = rowStart + static_cast<std::size_t>(x) * (bits / 8);
            colour = 0;
            for (std::uint32_t k = 0; k < bits / 8; ++k)
                colour |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + k])) << (8 * k);
        } else {
            const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
            const auto byte = static_cast<unsigned char>(b[rowStart + static_cast<std::size_t>(bit / 8)]);
            colour = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        }
        if (palette.empty()) return true;
        if (std::uint64_t{colour} * 4 + 4 > palette.size()) return false;
        colour = loadU32(palette, colour * 4) & 0xFFFFFFu;
        return true;
    };
    std::uint32_t first = 0;
    if (!colourAt(static_cast<std::size_t>(offset), 0, first)) return false;
    for (std::int64_t y = 0; y < height; ++y) {
        const auto rowStart = static_cast<std::size_t>(offset + stride * static_cast<std::uint64_t>(y));
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            if (!colourAt(rowStart, x, colour) || colour != first) return false;
        }
    }
    return true;
}

}  // namespace phonotab
