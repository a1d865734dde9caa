// Scrolling a 1000 x 1000 table of formulas: a full repaint of the visible
// cells of a 1920 x 1080 grid view in the middle of the table, against
// painting the same number of plain text cells (a box and a text each) into
// the same image. The display texts are drawn once before timing, as the
// window does after a change. Prints the best times and the ratio.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <string>

#include "core/tables/TableDrawing.h"
#include "gui/tables/TableGridView.h"
#include "BenchTiming.h"

using namespace phonotab;
using phonotab::bench::bestSeconds;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ReportTable table(1000, 1000);
    for (int c = 0; c < 1000; ++c)
        for (int r = 0; r < 1000; ++r) table.formulas[{c, r}].text = r == 0 ? "1.5" : "ESUM(A1;1)+" + std::to_string(r);
    const auto t0 = std::chrono::steady_clock::now();
    const DisplayTexts shown = DrawDisplayTexts(table, TableEnvironment{});
    const double drawing = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    TableGridView view;
    view.setTable(&table);
    view.setDisplayTexts(shown);
    view.resize(1920, 1080);
    view.show();
    view.horizontalScrollBar()->setValue(500 * ReportTable::DefaultWidth);
    view.verticalScrollBar()->setValue(500 * ReportTable::DefaultHeight);
    QApplication::processEvents();
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const double grid = bestSeconds(30, [&] { view.viewport()->render(&image); });
    const int cells = view.paintedCells();

    // The same number of cells as plain boxes with a text each.
    const double plain = bestSeconds(30, [&] {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        const int across = image.width() / ReportTable::DefaultWidth + 1;
        for (int i = 0; i < cells; ++i) {
            const QRect box((i % across) * ReportTable::DefaultWidth, (i / across) * ReportTable::DefaultHeight,
                            ReportTable::DefaultWidth, ReportTable::DefaultHeight);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            p.drawText(box.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("12.5"));
        }
    });
    std::printf("display texts of 10^6 formulas (once): %.3f s\n", drawing);
    std::printf("visible cells painted: %d\n", cells);
    std::printf("grid repaint: %.3f ms, plain text cells: %.3f ms, ratio %.2f (goal <= 2)\n", grid * 1e3, plain * 1e3,
                grid / plain);
    return 0;
}
