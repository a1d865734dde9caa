#include <gtest/gtest.h>

#include <vector>

#include "core/base/Bytes.h"
#include "core/platform/BlankPicture.h"

using namespace phonotab;

namespace {

// An uncompressed bitmap of width x height pixels at `bits` per pixel, every
// pixel byte `fill`, with a colour table of `palette` entries (BGRX).
std::string bitmap(int width, int height, int bits, unsigned char fill, std::vector<std::uint32_t> palette = {}) {
    const auto stride = static_cast<std::uint32_t>((width * bits + 31) / 32 * 4);
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    const auto offset = static_cast<std::uint32_t>(14 + 40 + palette.size() * 4);
    ByteWriter w;
    w.u8('B'), w.u8('M');
    w.u32(offset + pixels), w.u32(0), w.u32(offset);
    w.u32(40), w.i32(width), w.i32(height), w.u16(1), w.u16(static_cast<std::uint16_t>(bits));
    w.u32(0), w.u32(pixels), w.u32(3780), w.u32(3780), w.u32(static_cast<std::uint32_t>(palette.size())), w.u32(0);
    for (std::uint32_t colour : palette) w.u32(colour);
    std::string bytes(w.data().begin(), w.data().end());
    bytes.append(pixels, static_cast<char>(fill));
    return bytes;
}

}  // namespace

TEST(BlankPicture, OneColourBitmapsAreBlankAnythingElseIsNot) {
    const std::string white = bitmap(5, 3, 24, 0xFF);  // as the shipped empty picture is made
    std::string drawnOn = bitmap(5, 3, 24, 0xFF);
    drawnOn[drawnOn.size() - 2] = 0;  // one pixel of another colour
    // Two palette entries of the same colour: the indices differ, the picture does not.
    std::string twoIndices = bitmap(8, 2, 8, 0, {0x00FFFFFF, 0x00FFFFFF});
    twoIndices[twoIndices.size() - 1] = 1;
    std::string compressed = bitmap(4, 4, 8, 0, {0x00FFFFFF});
    compressed[30] = 1;  // run-length encoded: not looked into
    const std::string cutShort = white.substr(0, white.size() - 1);

    EXPECT_TRUE(isBlankBitmap(white));
    EXPECT_FALSE(isBlankBitmap(drawnOn));
    EXPECT_TRUE(isBlankBitmap(twoIndices));
    EXPECT_TRUE(isBlankBitmap(bitmap(3, 3, 32, 0x80)));
    EXPECT_FALSE(isBlankBitmap(compressed));
    EXPECT_FALSE(isBlankBitmap(cutShort));
    EXPECT_FALSE(isBlankBitmap("BM"));
}
