#include "render/plots/ScenePainter.h"

#include <QPen>

#include <algorithm>
#include <QPoint>
#include <QVarLengthArray>

namespace phonotab {

namespace {

QPen linePen(ColourWord colour, int width, bool dotted) {
    QPen pen(toQColor(colour));
    pen.setWidth(width);
    pen.setCosmetic(true);
    // Square caps: a line's last pixel is drawn too, as the core's pixel
    // rectangles and curve ends expect.
    pen.setCapStyle(Qt::SquareCap);
    if (dotted) pen.setDashPattern({1.0, 2.0});
    return pen;
}

void drawLines(QPainter& p, const std::vector<SceneLine>& lines) {
    for (const SceneLine& l : lines) {
        p.setPen(linePen(l.colour, l.width, l.dotted));
        p.drawLine(l.x1, l.y1, l.x2, l.y2);
    }
}

void drawText(QPainter& p, const SceneText& t, const GraphFonts& fonts) {
    const QFont& font = t.vertical ? fonts.vertical : fonts.forRole(t.role);
    p.setFont(font);
    const QFontMetrics fm(font);
    const QString text = QString::fromStdString(t.text);
    if (!t.vertical) {
        p.drawText(t.x, t.y + fm.ascent(), text);
        return;
    }
    // Reads upwards; the box's bottom left is the start of the text.
    p.save();
    p.translate(t.x + fm.ascent(), t.y + fm.horizontalAdvance(text));
    p.rotate(-90);
    p.drawText(0, 0, text);
    p.restore();
}

}  // namespace

void paintScene(QPainter& painter, const PaneScene& scene, const GraphFonts& fonts, CurvePainting curves) {
    if (scene.empty) return;
    const PlotRect& r = scene.plot;
    const QRect plot(r.left, r.top, r.width(), r.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(plot, toQColor(scene.background));
    for (const SceneBand& b : scene.bands)
        painter.fillRect(QRect(b.rect.left, b.rect.top, b.rect.width(), b.rect.height()), toQColor(b.colour));
    drawLines(painter, scene.grid);
    drawLines(painter, scene.marks);
    painter.setPen(toQColor(scene.foreground));
    for (const SceneText& t : scene.texts) drawText(painter, t, fonts);
    painter.setClipRect(plot);
    drawLines(painter, scene.zoneLines);
    if (curves == CurvePainting::Polyline) {
        QVarLengthArray<QPoint, 1024> points;
        for (const SceneCurve& c : scene.curves) {
            painter.setPen(linePen(c.colour, 1, false));
            points.resize(static_cast<qsizetype>(c.points.size()));
            for (std::size_t i = 0; i < c.points.size(); ++i)
                points[static_cast<qsizetype>(i)] = QPoint(c.points[i].x, c.points[i].y);
            if (points.size() > 1)
                painter.drawPolyline(points.constData(), static_cast<int>(points.size()));
            else
                painter.drawPoint(points[0]);
        }
    } else if (curves == CurvePainting::Runs) {
        for (const SceneCurve& c : scene.curves) {
            const QColor colour = toQColor(c.colour);
            for (const ColumnRun& r : c.runs) painter.fillRect(r.x, r.top, 1, r.bottom - r.top + 1, colour);
        }
    }
    painter.restore();
}

void fillCurveRuns(QImage& image, const PaneScene& scene) {
    if (scene.empty) return;
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied) {
        QPainter painter(&image);
        for (const SceneCurve& c : scene.curves) {
            const QColor colour = toQColor(c.colour);
            for (const ColumnRun& r : c.runs) painter.fillRect(r.x, r.top, 1, r.bottom - r.top + 1, colour);
        }
        return;
    }
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int w = image.width(), h = image.height();
    for (const SceneCurve& c : scene.curves) {
        const QRgb colour = qRgb(static_cast<int>(redOf(c.colour)), static_cast<int>(greenOf(c.colour)),
                                 static_cast<int>(blueOf(c.colour)));
        for (const ColumnRun& r : c.runs) {
            if (r.x < 0 || r.x >= w) continue;
            const int top = std::max(r.top, 0), bottom = std::min(r.bottom, h - 1);
            uchar* p = bits + static_cast<qsizetype>(top) * stride + static_cast<qsizetype>(r.x) * 4;
            for (int y = top; y <= bottom; ++y, p += stride) *reinterpret_cast<QRgb*>(p) = colour;
        }
    }
}


}  // namespace phonotab
