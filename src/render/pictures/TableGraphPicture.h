// A report table's graph as a picture for the report document, drawn by the
// same bar chart the table window opens. The desktop's report window and the
// batch tool's report both take it from here.
#pragma once

#include <string>

#include "core/base/Result.h"
#include "core/plots/BarChartScene.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"
#include "core/tables/TableGraphData.h"

namespace phonotab {

// The bar chart of a table's graph: every series with a range side by side
// in each column, in its fill colour, over the marking's labels, on the graph's
// scale, titled with the value axis caption.
BarChartInput tableGraphBarChart(const TableGraphChart& chart);

// The picture's size in pixels.
inline constexpr int kTableGraphWidth = 800, kTableGraphHeight = 500;

// PNG bytes of the table's graph as that chart. The range messages of the table (301-303), or 6204
// (caption, table name) when no series has a range or nothing can be drawn here.
Result<std::string> tableGraphPng(const ReportTable& table, const DisplayTexts& shown, const std::string& caption);

}  // namespace phonotab
