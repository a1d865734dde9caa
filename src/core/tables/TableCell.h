// One cell of a report table's grid: geometry, report flags, colours, font and
// number format. What it shows is drawn apart (DisplayTexts).
#pragma once

#include <cstdint>
#include <string>

namespace phonotab {

// Bits of TableCell::flags.
namespace cellflag {
constexpr std::uint32_t CoveredFromLeft = 1u << 0;   // part of a merged block, not its first column
constexpr std::uint32_t CoveredFromAbove = 1u << 1;  // part of a merged block, not its first row
constexpr std::uint32_t Covered = CoveredFromLeft | CoveredFromAbove;
constexpr std::uint32_t RowExcluded = 1u << 2;     // in the row's column-0 cell: row left out of the report
constexpr std::uint32_t ColumnExcluded = 1u << 4;  // in the column's row-0 cell: column left out of the report
}  // namespace cellflag

// Alignment word: byte 0 horizontal, byte 2 vertical.
namespace cellalign {
constexpr std::uint32_t Left = 0, Right = 2, HCentre = 6;
constexpr std::uint32_t Top = 0, Middle = 6, Bottom = 8;
constexpr std::uint32_t horizontal(std::uint32_t a) { return a & 0xFF; }
constexpr std::uint32_t vertical(std::uint32_t a) { return (a >> 16) & 0xFF; }
}  // namespace cellalign

// Font word: bits 0-15 size step 1 to 7, bit 16 bold, bit 17 italic.
namespace cellfont {
constexpr std::uint32_t Bold = 1u << 16;
constexpr std::uint32_t Italic = 1u << 17;
constexpr int sizeStep(std::uint32_t font) { return static_cast<int>(font & 0xFFFF); }
// Points of a size step; steps outside 1 to 7 are clamped.
double points(std::uint32_t font);
// Pixel height of the cell font: floor(points * 1.4666666666666666 + 0.5).
int pixelHeight(std::uint32_t font);
}  // namespace cellfont

// A stored colour (0x00BBGGRR) as documents and web pages write it (0xRRGGBB).
inline std::uint32_t storedColourToRgb(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

struct TableCell {
    std::int32_t width = 0;     // column width in pixels; only the cell of row 0 counts
    std::int32_t height = 0;    // row height in pixels; only the cell of column 0 counts
    std::uint32_t flags = 0;    // cellflag bits; unnamed bits are kept as read
    std::uint32_t background = 0xFFFFFF;  // 0x00BBGGRR
    std::uint32_t textColour = 0;         // 0x00BBGGRR
    std::uint32_t alignment = 0;
    std::string fontFace = "Arial";
    std::uint32_t font = 1;
    std::int32_t numberFormat = 1;  // one decimal; numfmt bits (formula/CellNumberFormat.h)

    bool covered() const { return (flags & cellflag::Covered) != 0; }
    friend bool operator==(const TableCell&, const TableCell&) = default;
};

}  // namespace phonotab
