// Rows of a report table that stand empty because its macros have not filled
// them yet (a macro runs only when the user double-clicks its cell): the
// report leaves such a row out rather than print a row of blank cells.
//
// A row is one of them when
// - a macro of the table writes into it: the target of an assignment
//   ("B4 = {b1}") of any of its variants, or the row SCOPY copies into;
// - at least one cell of the row that a macro writes into holds no macro
//   itself (a macro that writes only into its own cell leaves no row empty);
// - every cell of the row shows nothing, the cells that hold a macro aside
//   (their text is the label the user double-clicks, "Запись из файла");
// - no cell of the row continues a merged block from the row above.
// A row the user left empty in a table without macros, or one no macro
// writes into, is no such row: it stays as the user made it. "???" (a value
// that cannot be worked out) is something shown, so its row stays too.
#pragma once

#include <vector>

#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The rows, top to bottom; `shown` is a drawing of the table.
std::vector<int> RowsLeftEmptyByMacros(const ReportTable& table, const DisplayTexts& shown);

}  // namespace phonotab
