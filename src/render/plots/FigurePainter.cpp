#include "render/plots/FigurePainter.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPen>

#include <cmath>

#include "render/plots/ScenePainter.h"

namespace phonotab {

namespace {

// Lines of a figure are widths on paper, not device pixels: a grid line is a
// hairline of 0.6 units (0.16 mm), the frame and marks one unit, curves 1.2.
QPen figurePen(ColourWord colour, double width, bool dotted) {
    QPen pen(toQColor(colour));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (dotted) pen.setDashPattern({1.5 / width, 2.0 / width});
    return pen;
}

void drawFigureLines(QPainter& p, const std::vector<SceneLine>& lines) {
    for (const SceneLine& l : lines) {
        p.setPen(figurePen(l.colour, l.dotted ? 0.6 : l.width, l.dotted));
        p.drawLine(QPointF(l.x1 + 0.5, l.y1 + 0.5), QPointF(l.x2 + 0.5, l.y2 + 0.5));
    }
}

}  // namespace

void paintFigure(QPainter& painter, const PlotFigure& f, const GraphFonts& fonts) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRectF(0, 0, f.width, f.height), toQColor(f.background));
    for (const SceneBand& b : f.fills)
        painter.fillRect(QRectF(b.rect.left, b.rect.top, b.rect.width(), b.rect.height()), toQColor(b.colour));
    drawFigureLines(painter, f.lines);
    painter.setPen(toQColor(f.foreground));
    for (const FigureText& ft : f.texts) {
        const SceneText& t = ft.text;
        const QFont& font = fonts.forRole(t.role);
        painter.setFont(font);
        const QFontMetrics fm(font);
        const QString text = QString::fromStdString(t.text);
        if (!t.vertical) {
            painter.drawText(QPointF(t.x, t.y + fm.ascent()), text);
            continue;
        }
        painter.save();
        painter.translate(t.x + fm.ascent(), t.y + ft.width);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), text);
        painter.restore();
    }
    const PlotRect& r = f.plot;
    painter.setClipRect(QRectF(r.left, r.top, r.width(), r.height()));
    drawFigureLines(painter, f.plotLines);
    for (const SceneCurve& c : f.curves) {
        if (c.points.empty()) continue;
        QPainterPath path(QPointF(c.points[0].x + 0.5, c.points[0].y + 0.5));
        for (std::size_t i = 1; i < c.points.size(); ++i) path.lineTo(c.points[i].x + 0.5, c.points[i].y + 0.5);
        painter.setPen(figurePen(c.colour, 1.2, false));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.restore();
}

QImage figureImage(const PlotFigure& f, const GraphFonts& fonts, int dpi) {
    QImage image(figure::pixelsAt(f.width, dpi), figure::pixelsAt(f.height, dpi), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    const int perMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    QPainter painter(&image);
    const double scale = dpi / figure::kUnitsPerInch;
    painter.scale(scale, scale);
    paintFigure(painter, f, fonts);
    return image;
}

}  // namespace phonotab
