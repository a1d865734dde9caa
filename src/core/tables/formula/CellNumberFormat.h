// Numbers in cells: the display text of a formula result by the cell's number
// format, and the numeric value of a cell's display text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace phonotab {

// Number format word: bit 31 engineering notation, bits 0-3 decimals.
namespace numfmt {
constexpr std::uint32_t Engineering = 1u << 31;
constexpr std::uint32_t DecimalsMask = 0xF;
}  // namespace numfmt

// Fixed notation with the format's decimals (bits 0-3), or engineering notation
// (bit 31): the exponent a multiple of three and a mantissa of three significant
// digits, "12.3E3", "-2E-3", "0E0".
std::string FormatCellNumber(std::int32_t numberFormat, double value);

// The number a cell's display text holds, read like "%lg" (leading blanks
// skipped, the longest numeric prefix taken); nothing when none starts there.
std::optional<double> ParseCellNumber(std::string_view displayText);

}  // namespace phonotab
