// The graph bound to a report table, read over a drawing of the table: the
// numbers of each series' cell range and the labels of the X marking range.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/Result.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

struct TableGraphSeries {
    int number = 1;  // "График 1" to "График 4"
    // The name a legend gives it: the text heading its cells (above a column,
    // left of a row) when that is a text and no number; empty otherwise.
    std::string name;
    std::vector<double> values;
    std::uint32_t fillColour = 0;  // 0x00BBGGRR
    std::uint32_t lineColour = 0;
};

struct TableGraphChart {
    std::vector<std::string> labels;  // one per value: the marking cells' texts, or 1, 2, 3 ...
    std::vector<TableGraphSeries> series;
    std::string xCaption, yCaption;
    bool logarithmic = false;
};

// A range text "B2:B7" (or one cell "B2"; "$" allowed) as a rectangle inside
// the table; nothing when it does not read or leaves the table.
std::optional<CellRect> ParseCellRange(const ReportTable& table, std::string_view text);

// Every series with a range gives its cells' numbers, row by row; the marking
// range its texts. 302 (with the series number) for a range that does not
// read, 301 for a marking range that does not, 303 (with the series number)
// for a cell that holds no number.
Result<TableGraphChart> ReadTableGraph(const ReportTable& table, const DisplayTexts& shown);

}  // namespace phonotab
