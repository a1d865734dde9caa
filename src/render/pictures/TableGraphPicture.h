// A report table's graph as a figure for the report document, drawn by the
// same bar chart the table window opens: the series side by side with a
// legend of their names in their colours. The desktop's report window and the
// batch tool's report both take it from here.
#pragma once

#include <string>
#include <vector>

#include "core/base/Result.h"
#include "core/plots/BarChartScene.h"
#include "core/project/ReportDocument.h"
#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"
#include "core/tables/TableGraphData.h"

namespace phonotab {

// The bar chart of a table's graph: every series with a range side by side
// in each column, in its fill colour, over the marking's labels, on the graph's
// scale, titled with the value axis caption, the marking titled with the X caption.
BarChartInput tableGraphBarChart(const TableGraphChart& chart);
// The legend's names of the series: the text heading each one's cells, else "График N".
std::vector<std::string> tableGraphSeriesNames(const TableGraphChart& chart);

// The table's graph as that chart's figure: PNG at a print resolution and
// the same figure as SVG. The range messages of the table (301-303), or 6204
// (caption, table name) when no series has a range or nothing can be drawn here.
Result<ReportPicture> tableGraphPicture(const ReportTable& table, const DisplayTexts& shown, const std::string& caption);

}  // namespace phonotab
