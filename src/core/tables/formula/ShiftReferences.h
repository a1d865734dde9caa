// Rewriting the cell references of a formula or macro text when rows or columns
// move: structural changes, replication of a formula, the macro editor's shifts,
// the macro copy command and cut-and-paste.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/tables/CellKey.h"

namespace phonotab {

// The rectangle that structural changes use as the filter: everything from
// (column, row) to the far end of any table.
constexpr CellRect shiftRegionFrom(int column, int row) { return CellRect{column, row, 1 << 30, 1 << 30}; }

// Highest column a reference can name: "ZZ".
constexpr int MaxReferenceColumn = 26 * 27 - 1;

// Rewrites text in place. References inside the filter (all of them without a
// filter) move by dc columns and dr rows; a "$" before the column or the row
// keeps it where it is when honourFixing is set. In insert/delete mode a
// reference that lands before the filter's corner becomes "?" (the first end
// of a range stays, the second end moves), and the row and column arguments of
// the macro commands RSHOW, RHIDE, INSCP, DELCP and SCOPY move too. Text inside
// "{" "}" is never changed, and neither is a reference-book formula ("#book#n")
// or a macro's "#NAME" value name.
void ShiftReferences(std::string& text, std::optional<CellRect> filter, int dc, int dr, bool insertDeleteMode,
                     bool honourFixing);

// A formula of the form "#book#index" (the index an integer between blanks).
bool isReferenceBookFormula(std::string_view text);

// Column letters of a column index: one letter below 26, else two ("AA" = 26).
std::string columnLetters(int column);

}  // namespace phonotab
