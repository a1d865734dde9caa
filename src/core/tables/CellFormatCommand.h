// "Формат ячейки": what the selected cells share of their format, and the
// change the user made to it, applied as one undo record. A property the
// cells differ in starts undetermined and changes only when the user sets it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/Result.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

struct CellFormatChoice {
    std::optional<std::string> face;
    std::optional<int> sizeStep;  // 1 to 7
    std::optional<bool> bold, italic;
    std::optional<std::uint32_t> background, textColour;  // 0x00BBGGRR
    std::optional<std::uint32_t> horizontal;  // cellalign::Left, HCentre, Right
    std::optional<std::uint32_t> vertical;    // cellalign::Top, Middle, Bottom
    std::optional<bool> engineering;
    std::optional<int> decimals;
    std::optional<int> width;   // of every selected column
    std::optional<int> height;  // of every selected row

    friend bool operator==(const CellFormatChoice&, const CellFormatChoice&) = default;
};

inline constexpr int MaxDecimals = 15;      // the number format keeps four bits
inline constexpr int MaxCellPixels = 4000;  // a column or row of a printable table

// The selection's common format: each property of its first cell, empty where
// the selected cells (not covered ones) differ; width and height empty where
// the selected columns or rows differ.
CellFormatChoice CommonCellFormat(const ReportTable& table, const TableSelection& selection);

// The values a table cannot hold: decimals beyond 15, a size step outside
// 1 to 7, a width or height below 1 or above MaxCellPixels.
Status CheckCellFormat(const CellFormatChoice& change);

// Applies the set properties to the selected cells and the sizes to their
// columns and rows: one undo record, the table modified. False when nothing
// was set; the check's message when a value is refused (nothing changes then).
Result<bool> CellFormatCommand(ReportTable& table, const TableSelection& selection, const CellFormatChoice& change);

}  // namespace phonotab
