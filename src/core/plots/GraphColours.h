// Colours of the graph engine. A colour is a 32-bit word 0x00BBGGRR; series and
// zones name theirs either directly or by an index into the window's colour table
// of 256 entries, whose entries 32 to 47 always hold the sixteen standard colours.
#pragma once

#include <array>
#include <cstdint>

namespace phonotab {

using ColourWord = std::uint32_t;

constexpr ColourWord rgbWord(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | (g & 0xFFu) << 8 | (b & 0xFFu) << 16;
}
constexpr unsigned redOf(ColourWord c) { return c & 0xFFu; }
constexpr unsigned greenOf(ColourWord c) { return c >> 8 & 0xFFu; }
constexpr unsigned blueOf(ColourWord c) { return c >> 16 & 0xFFu; }

// Indices of the standard colours in the table.
namespace colour {
constexpr int kBlack = 32, kBlue = 33, kGreen = 34, kCyan = 35, kRed = 36, kMagenta = 37,
              kBrown = 38, kLightGrey = 39, kDarkGrey = 40, kLightBlue = 41, kLightGreen = 42,
              kLightCyan = 43, kLightRed = 44, kLightMagenta = 45, kYellow = 46, kWhite = 47;
// Axes, tick marks and texts.
constexpr int kForeground = kBlack;
}  // namespace colour

class ColourTable {
public:
    static constexpr int kSize = 256;

    // The table every graph window starts with.
    static const ColourTable& standard();

    // The colour of an index; an index outside the table gives the foreground.
    ColourWord at(std::uint32_t index) const {
        return index < kSize ? entries_[index] : entries_[colour::kForeground];
    }
    void set(int index, ColourWord c) {
        if (index >= 0 && index < kSize) entries_[index] = c & 0xFFFFFFu;
    }

    // A series' colour word: with bit 31 set the low 24 bits are the colour
    // itself, otherwise the word is an index into the table.
    ColourWord seriesColour(std::uint32_t word) const {
        return (word & 0x80000000u) ? (word & 0xFFFFFFu) : at(word);
    }

private:
    std::array<ColourWord, kSize> entries_{};
};

}  // namespace phonotab
