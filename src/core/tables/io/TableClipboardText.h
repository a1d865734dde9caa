// Plain-text copy and paste of table cells (Ctrl+C / Ctrl+V in the grid): cells
// separated by tabs, rows by line ends, as other programs' tables exchange them.
#pragma once

#include <string>
#include <string_view>

#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The display texts (of `shown`, a drawing of the table) of the rectangle's
// cells, clipped to the table: the cells of a row joined by "\t", rows joined by
// "\r\n". Covered cells give empty texts. Empty for a rectangle outside the table.
std::string TableSelectionText(const ReportTable& table, const DisplayTexts& shown, CellRect rect);

// Pastes text from the cell `first` on: each line goes to the next row, each
// tab-separated part of a line to the next column. Lines end with "\r\n" or
// "\n"; a line end at the very end of the text starts no further line. Each
// target cell inside the table gets its part as user text and, as with the
// "Текст" command, loses its binding and formula (its macro stays). Text that
// is not valid UTF-8 is read as CP1251. One undo record; modified and
// recalculate-all are set. False (nothing changed) when first lies outside the
// table or the text is empty.
bool PasteTableText(ReportTable& table, CellKey first, std::string_view text);

}  // namespace phonotab
