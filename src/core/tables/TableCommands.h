// The table window's structure, merge and report-flag commands as undoable
// operations on a ReportTable: each records its undo record and then changes
// the table.
#pragma once

#include <vector>

#include "core/tables/ReportTable.h"

namespace phonotab {

// "Вставить строку до" / "после" and the column forms: insert at `at` with a copy
// of the template row or column.
bool InsertRowCommand(ReportTable& table, int at, int templateRow);
bool InsertColumnCommand(ReportTable& table, int at, int templateColumn);
bool DeleteRowCommand(ReportTable& table, int row);
bool DeleteColumnCommand(ReportTable& table, int column);

// "Свойства таблицы": the new row and column counts (1 to 1000). The cells
// that fall off are kept in the undo record, so that an undo gives them back;
// false when the size is not valid or does not change.
bool ResizeCommand(ReportTable& table, int rows, int columns);
// How many cells that hold something (a text, a binding, a formula or a
// macro) a resize to the given counts would drop: the window asks first.
int filledCellsOutside(const ReportTable& table, int rows, int columns);

// "Включать/Не включать строку (столбец) в отчет": toggles the report flag.
bool ToggleRowReportCommand(ReportTable& table, int row);
bool ToggleColumnReportCommand(ReportTable& table, int column);

// "Объединить ячейки" over a rectangle (clipped to the table): cells right of the
// first column get "covered from the left", cells below the first row "covered
// from above". "Разъединить ячейки" clears both bits of the given cells.
bool MergeCellsCommand(ReportTable& table, CellRect rect);
bool UnmergeCellsCommand(ReportTable& table, const std::vector<CellKey>& cells);

// Records the before-images of the given cells (those inside the table) as one
// content record of the given kind; the caller then changes the cells.
void RecordCellsForUndo(ReportTable& table, UndoKind kind, const std::vector<CellKey>& cells);

}  // namespace phonotab
