// A report table as the report document receives it: its report working copy
// (rows and columns excluded from the report left out) as a real table of the
// document, with merged blocks, widths, heights, fonts and colours.
#pragma once

#include <optional>

#include "core/platform/DocxTable.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// Twips of one pixel of the table's grid (at 96 pixels per inch).
inline constexpr int kTwipsPerPixel = 15;

// Each cell shows its text of `shown`, a drawing of the table ("???" left
// empty, "\r\n" a line break); widths and heights are the grid's pixels in
// twips; fonts take the drawn point sizes. The first row heads the table (bold,
// repeated on each page). Nothing when every row or every column is excluded.
std::optional<DocxTable> TableDocxTable(const ReportTable& table, const DisplayTexts& shown);

}  // namespace phonotab
