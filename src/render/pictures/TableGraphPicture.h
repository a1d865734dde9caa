// A report table's graph as a picture for the report document, drawn by the
// same bar chart the table window opens. The desktop's report window and the
// batch tool's report both take it from here.
#pragma once

#include <string>

#include "base/Result.h"
#include "plots/BarChartScene.h"
#include "tables/DisplayTexts.h"
#include "tables/ReportTable.h"
#include "tables/TableGraphData.h"

namespace phonotab {

// The chart of one series of a table's graph: its values over the marking's
// labels, in its fill colour, on the graph's scale (no title).
BarChartInput tableSeriesChart(const TableGraphChart& chart, const TableGraphSeries& series);

// The picture's size in pixels.
inline constexpr int kTableGraphWidth = 800, kTableGraphHeight = 500;

// PNG bytes of the table's graph: its first series with a range, titled with
// the value axis caption. The range messages of the table (301-303), or 6204
// (caption, table name) when no series has a range or nothing can be drawn here.
Result<std::string> tableGraphPng(const ReportTable& table, const DisplayTexts& shown, const std::string& caption);

}  // namespace phonotab
