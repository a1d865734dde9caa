#include "gui/plots/GraphWindow.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "core/plots/ExportName.h"
#include "gui/plots/GraphButton.h"
#include "gui/plots/GraphControl.h"
#include "core/base/TextIds.h"
#include "render/plots/QtTextMetrics.h"
#include "render/plots/ScenePainter.h"
#include "core/plots/TextExport.h"

namespace phonotab {

namespace {

// Margins of a pane area around its plot: room for the y labels and title on
// the left, the title and the y exponent above, the last x label on the right,
// two lines of x labels, the x exponent and the x title below; then the strip
// of readout fields and buttons.
constexpr int kLeft = 88, kTop = 40, kRight = 36, kBottom = 64;
constexpr int kControlHeight = 22, kControlGap = 4;
constexpr int kReadoutXWidth = 190, kReadoutYWidth = 250;
constexpr int kButtonWidth = 44;

// Wheel: one notch zooms by a fifth.
constexpr double kWheelZoom = 0.8;

CalendarTime localNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

}  // namespace

struct GraphWindow::PaneView {
    int id = 0;
    GraphPane* pane = nullptr;
    QRect area;  // plot, labels and titles; the controls stand below
    PaneScene scene;
    bool drawn = false;
    std::unique_ptr<ReadoutField> readoutX, readoutY;
    std::unique_ptr<GraphButton> clear, vector, text;

    QRect plot() const {
        const PlotRect& r = pane->plotRect();
        return QRect(r.left, r.top, r.width(), r.height());
    }
};

GraphWindow::GraphWindow(QWidget* parent)
    : QWidget(parent), fonts_(GraphFonts::standard()), metrics_(std::make_unique<QtTextMetrics>(fonts_)),
      colours_(ColourTable::standard()), clock_(localNow) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
}

GraphWindow::~GraphWindow() {
    views_.clear();  // the controls unregister from controls_
}

void GraphWindow::registerControl(GraphControl* c) { controls_.push_back(c); }

void GraphWindow::unregisterControl(GraphControl* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    if (hovered_ == c) hovered_ = nullptr;
    if (pressed_ == c) pressed_ = nullptr;
}

GraphPane& GraphWindow::addPane(int id) {
    if (PaneView* v = view(id)) return *v->pane;
    auto v = std::make_unique<PaneView>();
    v->id = id;
    v->pane = &panes_.addPane(id);
    v->readoutX = std::make_unique<ReadoutField>(*this, [this] { setReadoutMode(nextReadoutMode(readoutMode_)); });
    v->readoutY = std::make_unique<ReadoutField>(*this, [this] { setReadoutMode(nextReadoutMode(readoutMode_)); });
    v->clear = std::make_unique<GraphButton>(*this, QString::fromStdString(phonotab::tr(text::ClearMarkers)), [this, id] {
        if (PaneView* pv = view(id)) {
            pv->pane->clearMarkers();
            emit markersChanged(id);
            update();
        }
    });
    v->vector = std::make_unique<GraphButton>(*this, QString::fromStdString(phonotab::tr(text::VectorExport)), [this, id] {
        const Result<QString> r = exportVector(id);
        if (!r) reportFailure(r.error());
    });
    v->text = std::make_unique<GraphButton>(*this, QString::fromStdString(phonotab::tr(text::TextExport)), [this, id] {
        const Result<QString> r = exportText(id);
        if (!r) reportFailure(r.error());
    });
    views_.push_back(std::move(v));
    invalidate();
    return *views_.back()->pane;
}

GraphWindow::PaneView* GraphWindow::view(int paneId) {
    for (auto& v : views_)
        if (v->id == paneId) return v.get();
    return nullptr;
}

const GraphWindow::PaneView* GraphWindow::view(int paneId) const {
    for (const auto& v : views_)
        if (v->id == paneId) return v.get();
    return nullptr;
}

GraphWindow::PaneView* GraphWindow::viewAt(QPoint p) {
    for (auto& v : views_)
        if (v->drawn && v->plot().contains(p)) return v.get();
    return nullptr;
}

const PaneScene* GraphWindow::scene(int paneId) const {
    const PaneView* v = view(paneId);
    return v && v->drawn ? &v->scene : nullptr;
}

QRect GraphWindow::paneArea(int paneId) const {
    const PaneView* v = view(paneId);
    return v ? v->area : QRect();
}

std::pair<QString, QString> GraphWindow::readouts(int paneId) const {
    const PaneView* v = view(paneId);
    if (!v) return {};
    return {v->readoutX->text(), v->readoutY->text()};
}

void GraphWindow::invalidate() {
    sceneDirty_ = true;
    for (GraphControl* c : controls_) c->markDirty();
    update();
}

void GraphWindow::setReadoutMode(ReadoutMode mode) {
    readoutMode_ = mode;
    updateReadouts();
    update();
}

void GraphWindow::layoutPanes() {
    if (views_.empty()) return;
    const int n = static_cast<int>(views_.size());
    const int h = height() / n;
    for (int i = 0; i < n; ++i) {
        PaneView& v = *views_[i];
        const QRect slot(0, i * h, width(), i == n - 1 ? height() - i * h : h);
        const int controlsTop = slot.bottom() + 1 - kControlGap - kControlHeight;
        v.area = QRect(slot.left(), slot.top(), slot.width(), controlsTop - kControlGap - slot.top());
        const PlotRect plot{v.area.left() + kLeft, v.area.top() + kTop,
                            std::max(v.area.left() + kLeft + 2, v.area.right() + 1 - kRight),
                            std::max(v.area.top() + kTop + 2, v.area.bottom() + 1 - kBottom)};
        v.pane->setPlotRect(plot);

        // Readout fields from the plot's left edge, buttons flush with its right
        // edge; on a narrow pane the fields give way.
        const QFontMetrics fm(fonts_.control);
        const int clearWidth = fm.horizontalAdvance(v.clear->text()) + 16;
        const int buttonsWidth = clearWidth + 2 * kButtonWidth + 2 * kControlGap;
        const int right = plot.right;
        const int room = std::max(0, right - buttonsWidth - kControlGap - plot.left);
        const int wx = std::min(kReadoutXWidth, room * 2 / 5), wy = std::min(kReadoutYWidth, room - wx - kControlGap);
        const QPoint origin(plot.left, controlsTop);
        v.readoutX->setGeometry(origin, 0, 0, wx, kControlHeight);
        v.readoutY->setGeometry(origin, wx + kControlGap, 0, std::max(0, wy), kControlHeight);
        v.text->setGeometry(QPoint(right, controlsTop), -kButtonWidth, 0, kButtonWidth, kControlHeight);
        v.vector->setGeometry(QPoint(right, controlsTop), -2 * kButtonWidth - kControlGap, 0, kButtonWidth,
                              kControlHeight);
        v.clear->setGeometry(QPoint(right, controlsTop), -buttonsWidth, 0, clearWidth, kControlHeight);
        const QRect rx = v.readoutX->rect(), ry = v.readoutY->rect();
        v.pane->setReadoutRects({rx.left(), rx.top(), rx.right() + 1, rx.bottom() + 1},
                                {ry.left(), ry.top(), ry.right() + 1, ry.bottom() + 1});
    }
}

void GraphWindow::redraw() {
    layoutPanes();
    if (surface_.size() != size()) surface_ = QImage(size(), QImage::Format_RGB32);
    surface_.fill(Qt::white);
    panes_.prepareDraw();
    SceneOptions options;
    options.table = &colours_;
    {
        QPainter painter(&surface_);
        for (auto& v : views_) {
            options.previous = &v->scene;
            PaneScene scene = buildPaneScene(*v->pane, *metrics_, options);
            v->scene = std::move(scene);
            if (!v->scene.empty) v->pane->setStats(v->scene.stats);
            paintScene(painter, v->scene, fonts_, CurvePainting::Later);
            v->drawn = true;
        }
    }
    for (auto& v : views_) fillCurveRuns(surface_, v->scene);
    sceneDirty_ = false;
    updateReadouts();
}

std::optional<GraphMarker> GraphWindow::cursorValue(const PaneView& v) const {
    if (!v.drawn || v.scene.empty || !v.plot().contains(pointer_)) return std::nullopt;
    return GraphMarker{v.scene.map.xAt(pointer_.x()), v.scene.map.yAt(pointer_.y())};
}

void GraphWindow::updateReadouts() {
    for (auto& v : views_) {
        const ReadoutText t = v->scene.empty ? ReadoutText{} : readoutText(*v->pane, readoutMode_, cursorValue(*v));
        v->readoutX->setText(QString::fromStdString(t.x));
        v->readoutY->setText(QString::fromStdString(t.y));
    }
}

void GraphWindow::paintOverlay(QPainter& painter) {
    for (GraphControl* c : controls_) {
        c->draw(painter, fonts_);
        c->drawn();
    }
    // Markers in XOR, so that they stay visible over any colour.
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (auto& v : views_) {
        if (!v->drawn || v->scene.empty) continue;
        const QRect plot = v->plot();
        painter.setClipRect(plot);
        for (int which : {1, 2}) {
            if (!v->pane->markerSet(which)) continue;
            const GraphMarker& m = v->pane->marker(which);
            QPen pen(QColor(255, 255, 255));
            pen.setCosmetic(true);
            if (which == 2) pen.setDashPattern({4.0, 3.0});
            painter.setPen(pen);
            const int x = v->scene.map.px(m.x), y = v->scene.map.py(m.y);
            painter.drawLine(x, plot.top(), x, plot.bottom());
            painter.drawLine(plot.left(), y, plot.right(), y);
        }
    }
    painter.restore();
}

QImage GraphWindow::renderImage() {
    if (sceneDirty_ || surface_.size() != size()) redraw();
    QImage frame = surface_.copy();
    QPainter painter(&frame);
    paintOverlay(painter);
    return frame;
}

void GraphWindow::paintEvent(QPaintEvent*) {
    if (sceneDirty_ || surface_.size() != size()) redraw();
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
    paintOverlay(painter);
}

void GraphWindow::resizeEvent(QResizeEvent*) { invalidate(); }

void GraphWindow::hoverControls(QPoint p) {
    GraphControl* over = nullptr;
    for (GraphControl* c : controls_)
        if (c->visible() && c->rect().contains(p)) over = c;
    if (over == hovered_) return;
    if (hovered_) hovered_->mouseLeave();
    hovered_ = over;
    if (hovered_) hovered_->mouseEnter();
    update();
}

void GraphWindow::mouseMoveEvent(QMouseEvent* e) {
    pointer_ = e->position().toPoint();
    hoverControls(pointer_);
    if (drag_ && drag_->view && !drag_->view->scene.empty) {
        const int moved = pointer_.x() - drag_->start.x();
        if (std::abs(moved) > 2) drag_->moved = true;
        if (drag_->moved && panes_.dx() != 0) {
            const CoordinateMap& map = drag_->view->scene.map;
            const double shift = (map.xAt(drag_->start.x()) - map.xAt(pointer_.x())) / panes_.dx();
            if (std::isfinite(shift)) {
                panes_.scrollTo(drag_->range.first + std::llround(shift), drag_->range.count());
                scrolled();
            }
        }
    }
    // A cross over the plot area, where a click reads or marks a value; an arrow elsewhere.
    const bool overPlot = !hovered_ && viewAt(pointer_) != nullptr;
    if (overPlot != (cursor().shape() == Qt::CrossCursor)) setCursor(overPlot ? Qt::CrossCursor : Qt::ArrowCursor);
    updateReadouts();
    update();
}

void GraphWindow::mousePressEvent(QMouseEvent* e) {
    pointer_ = e->position().toPoint();
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    hoverControls(pointer_);
    if (hovered_) {
        pressed_ = hovered_;
        pressed_->mousePress();
        update();
        return;
    }
    if (PaneView* v = viewAt(pointer_)) drag_ = Drag{pointer_, panes_.visibleRange(), false, v};
}

void GraphWindow::mouseReleaseEvent(QMouseEvent* e) {
    pointer_ = e->position().toPoint();
    if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
    if (pressed_) {
        GraphControl* c = pressed_;
        pressed_ = nullptr;
        c->mouseRelease(c->rect().contains(pointer_));
        update();
        return;
    }
    if (drag_ && !drag_->moved) {
        if (PaneView* v = viewAt(pointer_)) setMarkerAt(*v, pointer_, (e->modifiers() & Qt::ShiftModifier) ? 2 : 1);
    }
    drag_.reset();
}

void GraphWindow::setMarkerAt(PaneView& v, QPoint p, int which) {
    const std::optional<GraphMarker> value = cursorValue(v);
    if (!value || !v.plot().contains(p)) return;
    v.pane->setMarker(which, *value);
    emit markersChanged(v.id);
    updateReadouts();
    update();
}

void GraphWindow::wheelEvent(QWheelEvent* e) {
    const int notches = e->angleDelta().y() / 120;
    if (notches == 0 || panes_.seriesCount() == 0) return;
    pointer_ = e->position().toPoint();
    const IndexRange vis = panes_.visibleRange();
    if (e->modifiers() & Qt::ShiftModifier) {
        panes_.scrollBy(-notches * std::max<std::int64_t>(1, vis.count() / 10));
    } else {
        double index = 0.5 * static_cast<double>(vis.first + vis.last);
        if (PaneView* v = viewAt(pointer_); v && !v->scene.empty && panes_.dx() != 0)
            index = (v->scene.map.xAt(pointer_.x()) - panes_.x0()) / panes_.dx();
        panes_.zoomAround(index, std::pow(kWheelZoom, notches));
    }
    scrolled();
}

void GraphWindow::keyPressEvent(QKeyEvent* e) {
    const bool ctrlOrAlt = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const IndexRange vis = panes_.visibleRange();
    const std::int64_t tenth = std::max<std::int64_t>(1, vis.count() / 10);
    const double centre = 0.5 * static_cast<double>(vis.first + vis.last);
    switch (e->key()) {
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        if (!ctrlOrAlt) break;
        if (const Result<QString> r = saveBitmap(); !r) reportFailure(r.error());
        return;
    case Qt::Key_Insert:
        if (!ctrlOrAlt) break;
        copyToClipboard();
        return;
    case Qt::Key_Left: panes_.scrollBy(-tenth); return scrolled();
    case Qt::Key_Right: panes_.scrollBy(tenth); return scrolled();
    case Qt::Key_PageUp: panes_.scrollBy(-vis.count()); return scrolled();
    case Qt::Key_PageDown: panes_.scrollBy(vis.count()); return scrolled();
    case Qt::Key_Up:
    case Qt::Key_Plus: panes_.zoomAround(centre, 0.5); return scrolled();
    case Qt::Key_Down:
    case Qt::Key_Minus: panes_.zoomAround(centre, 2.0); return scrolled();
    case Qt::Key_Home: panes_.showFullRange(); return scrolled();
    default: break;
    }
    QWidget::keyPressEvent(e);
}

void GraphWindow::leaveEvent(QEvent*) {
    pointer_ = {-1, -1};
    if (hovered_) hovered_->mouseLeave();
    hovered_ = nullptr;
    updateReadouts();
    update();
}

void GraphWindow::scrolled() {
    invalidate();
    emit visibleRangeChanged();
}

void GraphWindow::reportFailure(const Message& m) {
    if (messageSink_) return messageSink_(m);
    QMessageBox::warning(this, QStringLiteral("Phonotab"), QString::fromStdString(m.text()));
}

QString GraphWindow::targetFor(const GraphPane* pane, const QString& extension, const QString& filter) {
    const QString folder = exportFolder_.isEmpty() ? QDir::currentPath() : exportFolder_;
    const QDir dir(folder);
    const std::string name = automaticExportName(clock_(), extension.toStdString(), [&](const std::string& n) {
        return QFileInfo::exists(dir.filePath(QString::fromStdString(n)));
    });
    const QString automatic = dir.filePath(QString::fromStdString(name));
    if (!pane || !pane->hasFlag(paneflag::kAskFileName)) return automatic;
    if (chooser_) return chooser_(filter, automatic);
    return QFileDialog::getSaveFileName(this, QString(), automatic, filter);
}

Result<QString> GraphWindow::exportVector(int paneId) {
    PaneView* v = view(paneId);
    if (!v) return QString();
    if (sceneDirty_ || !v->drawn) redraw();
    panes_.prepareDraw();
    const QString path =
        targetFor(v->pane, QStringLiteral("svg"), QString::fromStdString(phonotab::tr(text::SvgFileFilter)));
    if (path.isEmpty()) return QString();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Message(msg::CannotWrite, path.toStdString());
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(v->area.size());
    svg.setViewBox(QRect(QPoint(0, 0), v->area.size()));
    svg.setTitle(QString::fromStdString(v->pane->title()));
    svg.setDescription(QStringLiteral("Phonotab"));
    {
        QPainter painter(&svg);
        painter.translate(-v->area.topLeft());
        painter.fillRect(v->area, Qt::white);
        SceneOptions options;
        options.table = &colours_;
        options.colours = v->pane->hasFlag(paneflag::kExportColours);
        paintScene(painter, buildPaneScene(*v->pane, *metrics_, options), fonts_, CurvePainting::Polyline);
    }
    if (!file.commit()) return Message(msg::CannotWrite, path.toStdString());
    return path;
}

Result<QString> GraphWindow::exportText(int paneId) {
    PaneView* v = view(paneId);
    if (!v) return QString();
    panes_.prepareDraw();
    const QString path =
        targetFor(v->pane, QStringLiteral("txt"), QString::fromStdString(phonotab::tr(text::TextFileFilter)));
    if (path.isEmpty()) return QString();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Message(msg::CannotWrite, path.toStdString());
    const bool written = writePaneText(*v->pane, encoding_, [&](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) == static_cast<qint64>(piece.size());
    });
    if (!written) {
        file.cancelWriting();
        return Message(msg::CannotWrite, path.toStdString());
    }
    if (!file.commit()) return Message(msg::CannotWrite, path.toStdString());
    return path;
}

Result<QString> GraphWindow::saveImage(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP")) {
        file.cancelWriting();
        return Message(msg::CannotWrite, path.toStdString());
    }
    if (!file.commit()) return Message(msg::CannotWrite, path.toStdString());
    return path;
}

Result<QString> GraphWindow::saveBitmap() {
    const QImage image = renderImage();
    return saveImage(image, targetFor(nullptr, QStringLiteral("bmp"), QString()));
}

void GraphWindow::copyToClipboard() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setImage(renderImage());
}

}  // namespace phonotab
