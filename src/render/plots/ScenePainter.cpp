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

// Writes curves' pixel runs band of rows by band of rows. A run is a column,
// and writing whole columns one after another touches a new cache line and
// often a new page at every pixel; within a band of a few rows the lines and
// pages stay at hand, and the bands follow each other through memory. The
// curves are written in their order within every band, so a later curve still
// covers an earlier one wherever both have pixels.
class CurveRunFill {
public:
    static constexpr int kBandRows = 16;

    // Clips the runs to the image and sorts them by the band of their top row.
    void prepare(const std::vector<SceneCurve>& curves, int width, int height) {
        height_ = height;
        bands_ = (height + kBandRows - 1) / kBandRows;
        curves_.resize(curves.size());
        firstBand_ = bands_;
        lastBand_ = -1;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const SceneCurve& c = curves[i];
            Curve& out = curves_[i];
            out.colour = qRgb(static_cast<int>(redOf(c.colour)), static_cast<int>(greenOf(c.colour)),
                              static_cast<int>(blueOf(c.colour)));
            out.bandStart.assign(static_cast<std::size_t>(bands_) + 1, 0);
            out.active.clear();
            clipped_.clear();
            for (const ColumnRun& r : c.runs) {
                if (r.x < 0 || r.x >= width) continue;
                const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height - 1);
                if (top > bottom) continue;
                clipped_.push_back({r.x, top, bottom});
                ++out.bandStart[static_cast<std::size_t>(top / kBandRows) + 1];
                firstBand_ = std::min(firstBand_, top / kBandRows);
                lastBand_ = std::max(lastBand_, bottom / kBandRows);
            }
            for (int b = 0; b < bands_; ++b) out.bandStart[b + 1] += out.bandStart[b];
            out.sorted.resize(clipped_.size());
            next_.assign(out.bandStart.begin(), out.bandStart.end() - 1);
            for (const ColumnRun& r : clipped_) out.sorted[next_[static_cast<std::size_t>(r.top / kBandRows)]++] = r;
        }
    }

    void paint(uchar* bits, qsizetype stride) {
        for (int b = std::max(firstBand_, 0); b <= lastBand_; ++b) {
            const int y0 = b * kBandRows, y1 = std::min(height_, y0 + kBandRows) - 1;
            for (Curve& c : curves_) {
                c.active.insert(c.active.end(), c.sorted.begin() + c.bandStart[b], c.sorted.begin() + c.bandStart[b + 1]);
                std::size_t kept = 0;
                for (const ColumnRun& r : c.active) {
                    const int top = std::max(r.top, y0), bottom = std::min(r.bottom, y1);
                    uchar* p = bits + static_cast<qsizetype>(top) * stride + static_cast<qsizetype>(r.x) * 4;
                    for (int y = top; y <= bottom; ++y, p += stride) *reinterpret_cast<QRgb*>(p) = c.colour;
                    if (r.bottom > y1) c.active[kept++] = r;
                }
                c.active.resize(kept);
            }
        }
    }

private:
    struct Curve {
        QRgb colour = 0;
        std::vector<ColumnRun> sorted;         // clipped runs by the band of their top row
        std::vector<std::size_t> bandStart;    // sorted[bandStart[b] ..] start in band b
        std::vector<ColumnRun> active;         // runs reaching into the current band
    };
    std::vector<Curve> curves_;
    std::vector<ColumnRun> clipped_;
    std::vector<std::size_t> next_;
    int height_ = 0, bands_ = 0, firstBand_ = 0, lastBand_ = -1;
};

// Kept between paints, so that a redraw allocates nothing once the first has
// sized the buffers.
CurveRunFill& runFillScratch() {
    thread_local CurveRunFill fill;
    return fill;
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
    CurveRunFill& fill = runFillScratch();
    fill.prepare(scene.curves, image.width(), image.height());
    fill.paint(image.bits(), image.bytesPerLine());
}

}  // namespace phonotab
