#include "plots/BarChartWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "base/MessageIds.h"
#include "plots/QtTextMetrics.h"
#include "plots/ScenePainter.h"

namespace phonotab {

BarChartWidget::BarChartWidget(QWidget* parent)
    : QWidget(parent), fonts_(GraphFonts::standard()), metrics_(std::make_unique<QtTextMetrics>(fonts_)) {
    setMouseTracking(true);
    setMinimumSize(200, 150);
}

BarChartWidget::~BarChartWidget() = default;

void BarChartWidget::setChart(BarChartInput input, std::string name) {
    input_ = std::move(input);
    name_ = std::move(name);
    dirty_ = true;
    update();
}

const BarChartScene& BarChartWidget::scene() {
    if (dirty_) {
        scene_ = buildBarChartScene(input_, {0, 0, width(), height()}, *metrics_);
        dirty_ = false;
    }
    return scene_;
}

std::string BarChartWidget::readoutAt(QPoint p) {
    const int bar = scene().barAt(p.x(), p.y());
    return bar < 0 ? std::string() : barReadout(input_, bar, name_);
}

void BarChartWidget::paintChart(QPainter& painter, const BarChartScene& s) const {
    painter.fillRect(QRect(0, 0, width(), height()), toQColor(s.background));
    const PlotRect& r = s.plot;
    painter.fillRect(QRect(r.left, r.top, r.width(), r.height()), toQColor(s.background));
    const QColor bar = toQColor(s.barColour);
    for (const SceneBar& b : s.bars)
        if (b.rect.width() > 0 && b.rect.height() > 0)
            painter.fillRect(QRect(b.rect.left, b.rect.top, b.rect.width(), b.rect.height()), bar);
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
        const QFont& font = fonts_.forRole(t.role);
        painter.setFont(font);
        painter.drawText(t.x, t.y + QFontMetrics(font).ascent(), QString::fromStdString(t.text));
    }
}

void BarChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, scene());
}

void BarChartWidget::mouseMoveEvent(QMouseEvent* e) {
    emit readoutChanged(QString::fromStdString(readoutAt(e->position().toPoint())));
}

void BarChartWidget::leaveEvent(QEvent*) { emit readoutChanged(QString()); }

void BarChartWidget::resizeEvent(QResizeEvent*) { dirty_ = true; }

QImage BarChartWidget::renderImage() {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintChart(painter, scene());
    return image;
}

Result<QString> BarChartWidget::writeSvg(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return Message(msg::CannotWrite, path.toStdString());
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size());
    svg.setViewBox(QRect(QPoint(0, 0), size()));
    svg.setDescription(QStringLiteral("Phonotab"));
    {
        QPainter painter(&svg);
        paintChart(painter, scene());
    }
    if (!file.commit()) return Message(msg::CannotWrite, path.toStdString());
    return path;
}

}  // namespace phonotab
