// The grid as the report sees it: the table's cells with the rows and columns
// excluded from the report taken out, merged blocks carried over the gap. The
// HTML copy and the report document are made from it.
#pragma once

#include "core/tables/CellSpans.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The working copy: its cells and what each of them shows.
struct ReportGrid {
    CellGrid cells;      // rows of equal length
    DisplayTexts texts;  // the display text of each of those cells
};

// Rows excluded from the report (bit 2 of the row's column-0 cell) go first,
// then excluded columns (bit 4 of the column's row-0 cell); which rows and
// columns are excluded is read from the table, before anything moves.
//
// Before a row goes, each cell of the next row that continues a merged block
// from it (covered from above) takes over the removed cell, its format and
// display text, but keeps its own height, its own "covered from the left" bit
// and its own report bits; a next-row cell outside such a block only takes the
// removed cell's width (so the column widths survive when row 0 goes). Columns
// go the same way for blocks merged across them: the next column's cell keeps
// its own width, "covered from above" bit and report bits, or only takes the
// removed cell's height.
//
// The display texts are those of `shown`, a drawing of the table. Empty (no
// rows) when every row or every column is excluded.
ReportGrid ReportWorkingCopy(const ReportTable& table, const DisplayTexts& shown);

}  // namespace phonotab
