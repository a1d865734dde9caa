#include "core/plots/BarChartFigure.h"
#include "core/plots/SceneSvg.h"
#include "render/pictures/GuiApplication.h"
#include "render/pictures/PngBytes.h"
#include "render/pictures/TableGraphPicture.h"
#include "render/plots/FigurePainter.h"
#include "render/plots/QtTextMetrics.h"

namespace phonotab {

Result<ReportPicture> tableGraphPicture(const ReportTable& table, const DisplayTexts& shown, const std::string& caption) {
    const Result<TableGraphChart> chart = ReadTableGraph(table, shown);
    if (!chart) return chart.error();
    if (chart->series.empty()) return Message(msg::TableGraphUnavailable, caption, table.name);
    ensureGuiApplication();
    const GraphFonts fonts = GraphFonts::figure();
    const QtTextMetrics metrics(fonts);
    const PlotFigure figure =
        buildBarChartFigure(tableGraphBarChart(*chart), tableGraphSeriesNames(*chart),
                            figure::unitsOfCm(figure::kWidthCm), figure::unitsOfCm(figure::kHeightCm), metrics);
    Result<std::string> png = pngBytes(figureImage(figure, fonts), table.name);
    if (!png) return png.error();
    return ReportPicture(std::move(*png), plotFigureSvg(figure));
}

}  // namespace phonotab
