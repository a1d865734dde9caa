// The period indicators as tables of text, the way the user takes them away:
// copied as tab-separated text into a report table, exported as CSV (one
// table a section), printed as a readable summary. Levels are written with
// "%.1f" as in the result files; a value that cannot be computed is written
// as the no-value mark. Headers and the built-in period names are in the
// current language.
#pragma once

#include <string>
#include <vector>

#include "core/acoustics/PeriodIndicators.h"

namespace phonotab {

struct TextTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// A period's name as shown: the built-in "day", "evening" and "night" in the
// current language, a user's name as written.
std::string periodDisplayName(const std::string& name);

// The tables: periods, days, events (when they were searched) and hours.
TextTable periodTable(const PeriodIndicators& r);
TextTable dayTable(const PeriodIndicators& r);
TextTable eventTable(const PeriodIndicators& r);
TextTable hourTable(const PeriodIndicators& r);
std::vector<TextTable> indicatorTables(const PeriodIndicators& r);

// The lines under the tables: the whole record's penalised level, the exposure
// and the number of events.
std::vector<std::string> indicatorSummaryLines(const PeriodIndicators& r);

// The header and the rows, cells split by tabs, lines ended by "\n".
std::string tableAsTabText(const TextTable& t);
// Each table as its title line, header and rows with ';' between cells, a
// blank line after it; then the summary lines.
std::string tablesAsCsv(const std::vector<TextTable>& tables, const std::vector<std::string>& summary);
// Each table under its title with its columns aligned; then the summary lines.
std::string tablesAsText(const std::vector<TextTable>& tables, const std::vector<std::string>& summary);

}  // namespace phonotab
