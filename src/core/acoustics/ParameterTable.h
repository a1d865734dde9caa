// The parameters window's table over a file's entries: its eight columns, the
// rules of a click on a flag (what may be plotted together), and the texts of
// its cells' tooltips with the calculated values.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/acoustics/ParameterEntry.h"
#include "core/acoustics/ParameterName.h"

namespace phonotab {

enum ParameterColumn { kSourceColumn = 0, kPlotColumn, kMinColumn, kMaxColumn, kLeqColumn, kPercentileColumn,
                       kHistogramColumn, kUncorrectedColumn };
constexpr int kParameterColumns = 8;

// "Источник", "График", "Min", "Max", "Leq", "%", "Histo", "без корр.".
std::string parameterColumnTitle(int column);
// The flag a column shows (null for the source column).
bool* columnFlag(ParameterEntry& e, int column);
bool columnFlag(const ParameterEntry& e, int column);

// The name a row shows: its display name, or the one ParameterName builds.
std::string entryDisplayName(const ParameterEntry& e, const NamingContext& naming);

// A click on a flag of a row. Entries with sub-entries are never plotted; in
// histogram mode a plotted stored histogram is the only one plotted, and a
// synthesized level takes only the plot column. False when nothing changed.
bool toggleParameterFlag(std::vector<ParameterEntry>& entries, std::size_t row, int column, bool histogramMode);

// The tooltip of a cell: the name on the source column, "Min:", "Max:" or
// "LEq:" with every window value (" %.2lf"), "Percentiles:" with one braced
// list per percentile that has values, else the column's title.
std::string parameterTooltip(const ParameterEntry& e, int column, const NamingContext& naming);

}  // namespace phonotab
