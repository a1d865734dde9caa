#include "gui/plotwindows/BarChartWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "render/plots/BarChartPainter.h"
#include "render/plots/QtTextMetrics.h"

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

void BarChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBarChart(painter, scene(), fonts_, size());
}

void BarChartWidget::mouseMoveEvent(QMouseEvent* e) {
    emit readoutChanged(QString::fromStdString(readoutAt(e->position().toPoint())));
}

void BarChartWidget::leaveEvent(QEvent*) { emit readoutChanged(QString()); }

void BarChartWidget::resizeEvent(QResizeEvent*) { dirty_ = true; }

}  // namespace phonotab
