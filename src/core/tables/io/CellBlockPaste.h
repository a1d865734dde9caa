// "Вставить" of the cell menu: pastes a block of cells copied or cut in this
// table or in another open table (the private clipboard block, CellBlock).
#pragma once

#include "core/base/Bytes.h"
#include "core/tables/OpenTables.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

struct CellPasteOutcome {
    bool pasted = false;  // the target changed (one undo record)
    bool moved = false;   // a cut inside one table: the source cells were emptied
};

// Copies the block's cells, each with its format, user text, binding, formula
// and macro (texts unchanged), to the rectangle of the same size whose first
// cell is `at`, reading every source cell before it is overwritten. A target
// cell keeps its own report bits (row and column excluded from the report).
// Cells that would land outside the target are left where they are, and so are
// source cells outside the source table.
//
// A cut moves only inside one table: the source cells left uncovered by the
// target lose their contents (their format stays) and every formula and macro
// of the table has its references into the source block moved by the paste
// offset. From another table a cut is pasted as a copy.
//
// Nothing happens when the bytes are no cell block, its table is no longer
// open, `at` lies outside the target, or `at` is the block's own first cell in
// the same table. One undo record; modified and recalculate-all are set.
CellPasteOutcome PasteCellBlock(const OpenTables& tables, ReportTable& target, ByteSpan block, CellKey at);

}  // namespace phonotab
