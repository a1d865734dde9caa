#include "render/plots/BarChartPainter.h"

#include <QFontMetrics>
#include <QPen>

#include "render/plots/ScenePainter.h"

namespace phonotab {

void paintBarChart(QPainter& painter, const BarChartScene& s, const GraphFonts& fonts, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), toQColor(s.background));
    const PlotRect& r = s.plot;
    painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), toQColor(s.background));
    for (const SceneBar& b : s.bars)
        if (b.rect.width() > 0 && b.rect.height() > 0)
            painter.fillRect(QRect(b.rect.left, b.rect.top, b.rect.width(), b.rect.height()), toQColor(b.colour));
    for (const auto* lines : {&s.grid, &s.marks})
        for (const SceneLine& l : *lines) {
            QPen pen(toQColor(l.colour));
            pen.setCosmetic(true);
            if (l.dotted) pen.setDashPattern({1.0, 2.0});
            painter.setPen(pen);
            painter.drawLine(l.x1, l.y1, l.x2, l.y2);
        }
    painter.setPen(toQColor(s.foreground));
    for (const SceneText& t : s.texts) {
        const QFont& font = fonts.forRole(t.role);
        painter.setFont(font);
        const QFontMetrics fm(font);
        const QString text = QString::fromStdString(t.text);
        if (!t.vertical) {
            painter.drawText(t.x, t.y + fm.ascent(), text);
            continue;
        }
        // An axis title reading upwards; its box's bottom left is where it starts.
        painter.save();
        painter.translate(t.x + fm.ascent(), t.y + fm.horizontalAdvance(text));
        painter.rotate(-90);
        painter.drawText(0, 0, text);
        painter.restore();
    }
}

}  // namespace phonotab
