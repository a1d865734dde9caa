#include <QImage>
#include <QPainter>

#include "render/pictures/GuiApplication.h"
#include "render/pictures/PngBytes.h"
#include "render/pictures/TableGraphPicture.h"
#include "render/plots/BarChartPainter.h"
#include "render/plots/QtTextMetrics.h"

namespace phonotab {

Result<std::string> tableGraphPng(const ReportTable& table, const DisplayTexts& shown, const std::string& caption) {
    const Result<TableGraphChart> chart = ReadTableGraph(table, shown);
    if (!chart) return chart.error();
    if (chart->series.empty()) return Message(msg::TableGraphUnavailable, caption, table.name);
    ensureGuiApplication();
    const BarChartInput input = tableGraphBarChart(*chart);
    const GraphFonts fonts = GraphFonts::standard();
    const QtTextMetrics metrics(fonts);
    const QSize size(kTableGraphWidth, kTableGraphHeight);
    const BarChartScene scene = buildBarChartScene(input, {0, 0, size.width(), size.height()}, metrics);
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paintBarChart(painter, scene, fonts, size);
    }
    return pngBytes(image, table.name);
}

}  // namespace phonotab
