// What the table window paints: the display text of every cell after the
// drawing order (texts, then bindings, then formulas), and the boxes of the
// cells on the window.
#pragma once

#include <string>

#include "core/tables/DataSourceDirectory.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReferenceBookLookup.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The surroundings of a table: the reference books for "#book#index" formulas
// and the project's data sources for bound cells. Either may be null.
struct TableEnvironment {
    const ReferenceBookLookup* books = nullptr;
    const DataSourceDirectory* sources = nullptr;
};

// What a cell shows while it has no value.
inline constexpr const char* NoValueText = "???";

// Draws the table's texts: every cell's display text, empty where the cell holds
// nothing; user texts first; then bound cells ("???", the source's file name for
// item -1, the value with "%.1lf"); then formulas last, every one reset to
// Pending first when the table asks for a full recalculation, the Pending ones
// evaluated (reading the texts drawn so far), each shown by its cell's number
// format or "???". The recalculate-all request is cleared at the end.
DisplayTexts DrawDisplayTexts(ReportTable& table, const TableEnvironment& env);

// File name without folder and extension; both "/" and "\" separate folders
// (paths stored by projects come from Windows).
std::string fileStem(const std::string& path);

// Pixel layout of the grid on the window: the grid starts 48 pixels from the
// left and 50 from the top; a merged block's box spans the cells it covers.
struct CellBox {
    int x = 0, y = 0, width = 0, height = 0;
};
inline constexpr int GridLeft = 48;
inline constexpr int GridTop = 50;
CellBox cellBox(const ReportTable& table, int column, int row);

}  // namespace phonotab
