// The XML of a table of a word-processor document (w:tbl), written straight
// into a string: a report's tables hold tens of thousands of cells, and
// writing their markup as text costs a fraction of building it node by node.
#pragma once

#include <string>

#include "core/platform/DocxTable.h"

namespace phonotab {

// Appends the table element under the given prefix of the main namespace
// ("w:"). Borders are single black lines; the layout is fixed, with the grid's
// widths and each row's least height. Merged blocks become gridSpan and
// vMerge; a block's spans are cut at the grid's edges and before cells that
// an earlier block holds, and a covered cell that no block holds is written
// as an empty cell, so that every row fills the grid whatever the input.
// Texts are made valid UTF-8 without characters XML forbids.
void appendTableXml(std::string& out, const DocxTable& table, const std::string& prefix);

}  // namespace phonotab
