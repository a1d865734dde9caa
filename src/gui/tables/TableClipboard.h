// The table window's exchange with the desktop's clipboard: the HTML copy of
// the whole table (for word processors and spreadsheets), plain-text copy and
// paste of cells, and the private block of cut or copied cells that another
// open table of this program can paste with formats, formulas and bindings.
#pragma once

#include <QString>

#include "core/tables/DisplayTexts.h"
#include "core/tables/OpenTables.h"
#include "core/tables/ReportTable.h"
#include "core/tables/io/CellBlockPaste.h"
#include "core/tables/io/TableHtml.h"

namespace phonotab::table_clipboard {

// The private type of the cell block on the clipboard.
inline const QString CellBlockType = QStringLiteral("application/x-phonotab-cell-block");

// "Взять таблицу в буфер обмена": the report working copy as HTML (text/html)
// and as tab-separated text. False when every row or column is left out of the
// report (nothing is put then).
bool putTableHtml(const ReportTable& table, const DisplayTexts& shown, HtmlColours colours);

// The display texts of the rectangle as tab-separated text.
void putCellsText(const ReportTable& table, const DisplayTexts& shown, CellRect rect);

// "Вырезать" / "Копировать": the private block naming the table, with the
// cells' texts as plain text for other programs.
void putCellBlock(OpenTables::Id table, bool cut, CellRect rect, const ReportTable& source, const DisplayTexts& shown);

// Ctrl+V: the clipboard's plain text from the cell on; false when nothing changed.
bool pasteCellsText(ReportTable& table, CellKey at);

// "Вставить": the private block, if the clipboard holds one.
CellPasteOutcome pasteCellBlock(const OpenTables& tables, ReportTable& target, CellKey at);

}  // namespace phonotab::table_clipboard
