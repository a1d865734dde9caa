// "Портировать таблицу в Excel": the table as a spreadsheet workbook (.xlsx)
// of one sheet, which the desktop then opens with the user's spreadsheet
// program.
#pragma once

#include <string>

#include "core/base/Result.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// Font size in points of a cell's size step in the workbook: 1 = 8, 2 = 10,
// 3 = 12, 4 = 13, 5 = 17, 6 = 24, 7 = 36; steps outside 1 to 7 are clamped.
int workbookFontPoints(std::uint32_t font);

// Writes the whole table (excluded rows and columns too, hidden) with each
// cell's display text of `shown`, a drawing of the table:
//  - every merged block as a merged range, with the cell's alignments, font
//    face, size, bold, italic, text colour and background; the number format
//    is text ("@") and the value the display text with "\r\n" as "\n" (the
//    cell then wraps, so that the line break shows); "???" leaves it empty;
//  - row heights of pixels * 0.7692307692307692 points and column widths of
//    pixels / 7 characters, both truncated; excluded rows and columns get 0.
// White backgrounds are left unfilled, so that the sheet keeps its grid lines.
// The file is replaced only when written completely; 105 when it cannot be
// created, 5003 when it cannot be written.
Status ExportTableWorkbook(const ReportTable& table, const DisplayTexts& shown, const std::string& path);

}  // namespace phonotab
