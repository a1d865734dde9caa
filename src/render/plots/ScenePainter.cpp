#include "render/plots/ScenePainter.h"

#include <QPen>

#include <algorithm>
#include <cstring>
#include <iterator>
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

// Writes curves' pixel runs into a 32-bit image, every pixel at most once.
//
// A later curve covers an earlier one wherever both have pixels, and colours
// are opaque, so a pixel takes the colour of the last curve whose runs hold it.
// The runs are first gathered by column in painting order; each column is then
// taken from its last run to its first, and a run keeps only the rows that no
// later run of the column holds. With dense series every column holds a tall
// run per curve and most of them lie under the curves drawn after them: those
// rows are never written.
//
// The visible pieces are written band of rows by band of rows. A piece is a
// column, and writing whole columns one after another touches a new cache line
// and often a new page at every pixel; within a band of a few rows the lines
// and pages stay at hand, and the bands follow each other through memory.
// Within a band the pieces are kept in column order, so that pieces filling
// all the band's rows of neighbouring columns (the body of a dense curve) are
// copied row by row, whole cache lines at a time.
class CurveRunFill {
public:
    static constexpr int kBandRows = 16;
    static constexpr int kShortStretch = 4;  // columns

    // Clips the runs to the image, keeps what later runs leave visible and
    // sorts the visible pieces by the band of their top row.
    void prepare(const std::vector<SceneCurve>& curves, int width, int height) {
        width_ = std::max(width, 0);
        height_ = height;
        bands_ = (height + kBandRows - 1) / kBandRows;
        gather(curves, width, height);
        pieces_.clear();
        bandStart_.assign(static_cast<std::size_t>(bands_) + 1, 0);
        for (int x = 0; x < width; ++x) {
            const std::size_t begin = columnStart_[static_cast<std::size_t>(x)];
            const std::size_t end = columnStart_[static_cast<std::size_t>(x) + 1];
            if (begin == end) continue;
            covered_.clear();
            for (std::size_t i = end; i-- > begin;) uncover(x, byColumn_[i]);
        }
        for (int b = 0; b < bands_; ++b) bandStart_[b + 1] += bandStart_[b];
        sorted_.resize(pieces_.size());
        next_.assign(bandStart_.begin(), bandStart_.end() - 1);
        for (const Piece& p : pieces_) sorted_[next_[static_cast<std::size_t>(p.top / kBandRows)]++] = p;
    }

    void paint(uchar* bits, qsizetype stride) {
        active_.clear();
        row_.resize(static_cast<std::size_t>(width_));
        for (int b = 0; b < bands_; ++b) {
            const int y0 = b * kBandRows, y1 = std::min(height_, y0 + kBandRows) - 1;
            // The pieces stay in column order: those carried over from the bands
            // above are merged with those starting in this one.
            merged_.clear();
            std::merge(active_.begin(), active_.end(), sorted_.begin() + static_cast<std::ptrdiff_t>(bandStart_[b]),
                       sorted_.begin() + static_cast<std::ptrdiff_t>(bandStart_[b + 1]), std::back_inserter(merged_),
                       [](const Piece& a, const Piece& c) { return a.x < c.x; });
            active_.swap(merged_);
            // Pieces that fill the band's rows in neighbouring columns are gathered
            // into a stretch of row_ and copied row by row.
            int from = 0, to = -1;
            std::size_t kept = 0;
            for (std::size_t i = 0; i < active_.size(); ++i) {
                const Piece r = active_[i];
                if (r.top <= y0 && r.bottom >= y1) {
                    if (r.x != to + 1 || to < from) {
                        fillStretch(bits, stride, from, to, y0, y1);
                        from = r.x;
                    }
                    to = r.x;
                    row_[static_cast<std::size_t>(r.x)] = r.colour;
                } else {
                    fillColumn(bits, stride, r.x, std::max(r.top, y0), std::min(r.bottom, y1), r.colour);
                }
                if (r.bottom > y1) active_[kept++] = r;
            }
            fillStretch(bits, stride, from, to, y0, y1);
            active_.resize(kept);
        }
    }

private:
    struct Run {
        int top = 0, bottom = 0;
        QRgb colour = 0;
    };
    struct Piece {
        int x = 0, top = 0, bottom = 0;
        QRgb colour = 0;
    };
    struct Span {
        int top = 0, bottom = 0;
    };

    // Sorts the clipped runs by column, keeping the painting order within a
    // column: curve after curve, each curve's runs in their order.
    void gather(const std::vector<SceneCurve>& curves, int width, int height) {
        columnStart_.assign(static_cast<std::size_t>(std::max(width, 0)) + 1, 0);
        clipped_.clear();
        for (const SceneCurve& c : curves) {
            const QRgb colour = qRgb(static_cast<int>(redOf(c.colour)), static_cast<int>(greenOf(c.colour)),
                                     static_cast<int>(blueOf(c.colour)));
            for (const ColumnRun& r : c.runs) {
                if (r.x < 0 || r.x >= width) continue;
                const int top = std::max(r.top, 0), bottom = std::min(r.bottom, height - 1);
                if (top > bottom) continue;
                clipped_.push_back({r.x, top, bottom, colour});
                ++columnStart_[static_cast<std::size_t>(r.x) + 1];
            }
        }
        for (int x = 0; x < width; ++x) columnStart_[x + 1] += columnStart_[x];
        byColumn_.resize(clipped_.size());
        next_.assign(columnStart_.begin(), columnStart_.end() - 1);
        for (const Piece& r : clipped_)
            byColumn_[next_[static_cast<std::size_t>(r.x)]++] = {r.top, r.bottom, r.colour};
    }

    // Shows the rows of r that the column's later runs (covered_, sorted and
    // disjoint) leave free, then adds r to them.
    void uncover(int x, const Run& r) {
        int y = r.top;
        std::size_t i = 0;
        // Spans wholly above r: neither cover it nor merge with it.
        while (i < covered_.size() && covered_[i].bottom < r.top - 1) ++i;
        const std::size_t firstTouching = i;
        for (; i < covered_.size() && covered_[i].top <= r.bottom + 1; ++i) {
            const Span& c = covered_[i];
            if (c.top > y && y <= r.bottom) show(x, y, std::min(c.top - 1, r.bottom), r.colour);
            y = std::max(y, c.bottom + 1);
        }
        if (y <= r.bottom) show(x, y, r.bottom, r.colour);
        // covered_[firstTouching, i) overlap or adjoin r: they become one span.
        Span merged{r.top, r.bottom};
        if (firstTouching < i) {
            merged.top = std::min(merged.top, covered_[firstTouching].top);
            merged.bottom = std::max(merged.bottom, covered_[i - 1].bottom);
            covered_[firstTouching] = merged;
            covered_.erase(covered_.begin() + static_cast<std::ptrdiff_t>(firstTouching) + 1,
                           covered_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            covered_.insert(covered_.begin() + static_cast<std::ptrdiff_t>(firstTouching), merged);
        }
    }

    static void fillColumn(uchar* bits, qsizetype stride, int x, int top, int bottom, QRgb colour) {
        uchar* p = bits + static_cast<qsizetype>(top) * stride + static_cast<qsizetype>(x) * 4;
        for (int y = top; y <= bottom; ++y, p += stride) *reinterpret_cast<QRgb*>(p) = colour;
    }

    // Rows y0..y1 of columns from..to take the colours row_[from..to]: a copy
    // per row, which writes whole cache lines at a time; a stretch of a few
    // columns goes column by column.
    void fillStretch(uchar* bits, qsizetype stride, int from, int to, int y0, int y1) const {
        if (to < from) return;
        if (to - from < kShortStretch) {
            for (int x = from; x <= to; ++x) fillColumn(bits, stride, x, y0, y1, row_[static_cast<std::size_t>(x)]);
            return;
        }
        const std::size_t bytes = static_cast<std::size_t>(to - from + 1) * sizeof(QRgb);
        uchar* p = bits + static_cast<qsizetype>(y0) * stride + static_cast<qsizetype>(from) * 4;
        for (int y = y0; y <= y1; ++y, p += stride) std::memcpy(p, row_.data() + from, bytes);
    }

    void show(int x, int top, int bottom, QRgb colour) {
        pieces_.push_back({x, top, bottom, colour});
        ++bandStart_[static_cast<std::size_t>(top / kBandRows) + 1];
    }

    std::vector<Piece> clipped_;             // runs within the image, in painting order
    std::vector<std::size_t> columnStart_;   // byColumn_[columnStart_[x] ..] lie in column x
    std::vector<Run> byColumn_;
    std::vector<Span> covered_;              // rows of the current column held by later runs
    std::vector<Piece> pieces_;              // what stays visible, column by column
    std::vector<std::size_t> bandStart_;     // sorted_[bandStart_[b] ..] start in band b
    std::vector<Piece> sorted_;              // the visible pieces by the band of their top row
    std::vector<Piece> active_;              // pieces reaching into the current band, by column
    std::vector<Piece> merged_;
    std::vector<QRgb> row_;                  // colours of the columns of a stretch
    std::vector<std::size_t> next_;
    int width_ = 0, height_ = 0, bands_ = 0;
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
