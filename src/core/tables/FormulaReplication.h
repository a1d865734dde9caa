// Setting a formula over a selection (the formula command of the table window):
// the formula goes to every selected cell that is not covered, its references
// moving one row down per cell (one column right when the selection is a single
// row), "$" keeping a column or row fixed.
#pragma once

#include <string>

#include "core/tables/ReportTable.h"

namespace phonotab {

// The text the formula dialog starts with: the formula of the selection's
// top-left cell, empty when there is none or it reads a reference book.
std::string InitialFormulaText(const ReportTable& table, const TableSelection& selection);

// Upper-cases the text, records the selected cells for undo, gives each selected
// cell that is not covered (column by column, top to bottom) the running text as
// a new Pending formula (an empty or blank text removes their formulas), then marks the table modified and asks for a full
// recalculation.
void ReplicateFormula(ReportTable& table, const TableSelection& selection, const std::string& text);

// The formula text upper-cased as the formula dialog stores it (ASCII letters
// only; other characters are kept).
std::string upperCaseFormula(std::string text);

}  // namespace phonotab
