// Evaluation of the formulas of a report table.
//
// References evaluate the formulas they need first, depth first, each formula at
// most once per recalculation; a formula met again while it is being evaluated
// closes a cycle and fails. The walk keeps its own stack, so a chain of a
// hundred thousand formulas each referring to the next needs no deep recursion.
#pragma once

#include <optional>
#include <string_view>

#include "core/tables/CellKey.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReferenceBookLookup.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// A reference to a cell without a formula reads the number its display text
// holds: `shown` gives those texts (what drawing put there so far).

// Evaluates the formula of the cell at key in place (value and state). Nothing
// happens when the cell has no formula. books may be null (no reference books).
void EvaluateFormula(ReportTable& table, const DisplayTexts& shown, CellKey key, const ReferenceBookLookup* books);

// Evaluates every formula that is Pending, in key order.
void EvaluatePendingFormulas(ReportTable& table, const DisplayTexts& shown, const ReferenceBookLookup* books);

// Sets every formula to Pending and evaluates them all, in key order.
void EvaluateAllFormulas(ReportTable& table, const DisplayTexts& shown, const ReferenceBookLookup* books);

// Sets every formula of the table to Pending.
void ResetFormulas(ReportTable& table);

// Evaluates a formula text that belongs to no cell (an expression of a macro)
// against the table; nothing when it fails.
std::optional<double> EvaluateFormulaText(ReportTable& table, const DisplayTexts& shown, std::string_view text,
                                          const ReferenceBookLookup* books);

}  // namespace phonotab
