#include "core/platform/PictureInfo.h"

#include <cstdint>
#include <cstdlib>

#include "core/base/Bytes.h"

namespace phonotab {

namespace {

constexpr double kInchesPerMetre = 39.37007874015748;
// The pictures of a report stay far below this; bigger sizes are corrupt headers.
constexpr std::uint32_t kMaxSide = 1u << 20;

bool sane(std::uint32_t w, std::uint32_t h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide; }

std::optional<PictureInfo> readPng(std::string_view b) {
    // Signature, then the IHDR chunk first of all.
    if (b.size() < 33 || b.substr(12, 4) != "IHDR") return std::nullopt;
    PictureInfo info{PictureKind::Png, 0, 0, 0, 0};
    const std::uint32_t w = loadBigEndianU32(b, 16), h = loadBigEndianU32(b, 20);
    if (!sane(w, h)) return std::nullopt;
    info.width = static_cast<int>(w);
    info.height = static_cast<int>(h);
    // The resolution chunk pHYs, when it comes before the image data.
    std::size_t at = 8;
    while (b.size() - at >= 12) {
        const std::uint32_t length = loadBigEndianU32(b, at);
        const std::string_view type = b.substr(at + 4, 4);
        if (type == "IDAT" || type == "IEND" || length > b.size() - at - 12) break;
        if (type == "pHYs" && length == 9 && b[at + 16] == 1) {
            info.dpiX = loadBigEndianU32(b, at + 8) / kInchesPerMetre;
            info.dpiY = loadBigEndianU32(b, at + 12) / kInchesPerMetre;
            break;
        }
        at += 12 + length;
    }
    return info;
}

std::optional<PictureInfo> readJpeg(std::string_view b) {
    PictureInfo info{PictureKind::Jpeg, 0, 0, 0, 0};
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
        const unsigned marker = static_cast<unsigned char>(b[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        const std::uint32_t length = loadBigEndianU16(b, at + 2);
        if (length < 2 || length > b.size() - at - 2) return std::nullopt;
        const std::size_t body = at + 4;
        if (marker == 0xE0 && length >= 16 && b.substr(body, 5) == std::string_view("JFIF\0", 5)) {
            const unsigned units = static_cast<unsigned char>(b[body + 7]);
            const double x = loadBigEndianU16(b, body + 8), y = loadBigEndianU16(b, body + 10);
            if (units == 1) {
                info.dpiX = x;
                info.dpiY = y;
            } else if (units == 2) {
                info.dpiX = x * 2.54;
                info.dpiY = y * 2.54;
            }
        }
        // Start of frame: every SOFn except the DHT, JPG and DAC markers.
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 7) return std::nullopt;
            const std::uint32_t h = loadBigEndianU16(b, body + 1), w = loadBigEndianU16(b, body + 3);
            if (!sane(w, h)) return std::nullopt;
            info.width = static_cast<int>(w);
            info.height = static_cast<int>(h);
            return info;
        }
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // image data before any frame
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PictureInfo> readBmp(std::string_view b) {
    if (b.size() < 26) return std::nullopt;
    PictureInfo info{PictureKind::Bmp, 0, 0, 0, 0};
    const std::uint32_t header = loadU32(b, 14);
    std::int64_t w = 0, h = 0;
    if (header == 12) {  // the old core header: 16-bit sizes
        w = loadU16(b, 18);
        h = loadU16(b, 20);
    } else if (header >= 40 && b.size() >= 46) {
        w = static_cast<std::int32_t>(loadU32(b, 18));
        h = static_cast<std::int32_t>(loadU32(b, 22));
        info.dpiX = loadU32(b, 38) / kInchesPerMetre;
        info.dpiY = loadU32(b, 42) / kInchesPerMetre;
    } else {
        return std::nullopt;
    }
    h = std::llabs(h);  // a negative height is a top-down picture
    if (w <= 0 || w > kMaxSide || h <= 0 || h > kMaxSide) return std::nullopt;
    info.width = static_cast<int>(w);
    info.height = static_cast<int>(h);
    return info;
}

}  // namespace

const char* pictureExtension(PictureKind kind) {
    switch (kind) {
        case PictureKind::Jpeg: return "jpeg";
        case PictureKind::Bmp: return "bmp";
        default: return "png";
    }
}

const char* pictureContentType(PictureKind kind) {
    switch (kind) {
        case PictureKind::Jpeg: return "image/jpeg";
        case PictureKind::Bmp: return "image/bmp";
        default: return "image/png";
    }
}

std::optional<PictureInfo> readPictureInfo(std::string_view bytes) {
    if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return readPng(bytes);
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") return readJpeg(bytes);
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") return readBmp(bytes);
    return std::nullopt;
}

}  // namespace phonotab
