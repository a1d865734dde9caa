#include "gui/acoustics/TimeBarWidget.h"

#include <QContextMenuEvent>
#include <QPainter>

#include <algorithm>

namespace phonotab {

namespace {
constexpr int kMargin = 8;
constexpr int kBarHeight = 36;

QColor laneColour(BarLane l) {
    switch (l) {
        case BarLane::WorkRange: return QColor(0, 200, 0);
        case BarLane::Exclusions: return QColor(200, 0, 0);
        case BarLane::Corrections: return QColor(252, 252, 84);
    }
    return {};
}
}  // namespace

TimeBarWidget::TimeBarWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TimeBarWidget::setFile(const CalcFile* file, bool relativeTimes) {
    file_ = file;
    relative_ = relativeTimes;
    update();
}

BarRect TimeBarWidget::barArea() const {
    return {kMargin, kMargin, std::max(width() - kMargin, kMargin + 1), kMargin + kBarHeight};
}

TimeBar TimeBarWidget::timeBar() const { return TimeBar(file_->ranges, file_->settings, barArea()); }

QSize TimeBarWidget::sizeHint() const { return {480, minimumSizeHint().height()}; }

QSize TimeBarWidget::minimumSizeHint() const {
    return {120, kMargin * 2 + kBarHeight + fontMetrics().height() + 4};
}

std::pair<QString, QString> TimeBarWidget::endTimeTexts() const {
    if (!file_) return {};
    const RangeZone& span = file_->ranges.span();
    const double length = span.end - span.begin;
    const auto text = [&](double t) {
        return QString::fromStdString(recordTimeText(t, length, relative_, file_->file.startTime));
    };
    return {text(0.0), text(length)};
}

void TimeBarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const BarRect a = barArea();
    const QRect bar(a.left, a.top, a.right - a.left, a.bottom - a.top);
    p.fillRect(bar, palette().window());
    if (file_) {
        const TimeBar tb = timeBar();
        for (const BarBlock& b : tb.blocks())
            p.fillRect(QRect(b.rect.left, b.rect.top, b.rect.right - b.rect.left, b.rect.bottom - b.rect.top),
                       laneColour(b.lane));
        const auto [from, to] = endTimeTexts();
        const int y = a.bottom + 2 + fontMetrics().ascent();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(a.left, y, from);
        p.drawText(a.right - fontMetrics().horizontalAdvance(to), y, to);
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(bar.adjusted(0, 0, -1, -1));
}

void TimeBarWidget::contextMenuEvent(QContextMenuEvent* e) { emit menuRequested(e->pos()); }

}  // namespace phonotab
