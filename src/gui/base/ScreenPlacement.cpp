#include "gui/base/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace phonotab {

namespace {
constexpr int kGripWidth = 80;
constexpr double kShareOfScreen = 0.75;

// A rectangle of the size centred in the area, below room for its title bar;
// cut to the area where it is larger.
QRect centredIn(const QRect& area, QSize size) {
    size = size.boundedTo(area.size() - QSize(0, kTitleBarAllowance));
    QRect r(QPoint(0, 0), size);
    r.moveCenter(area.center());
    if (r.top() < area.top() + kTitleBarAllowance) r.moveTop(area.top() + kTitleBarAllowance);
    return r;
}
}  // namespace

bool titleBarReachable(const QRect& window, const QList<QRect>& screens) {
    const QRect bar(window.left(), window.top() - kTitleBarAllowance, window.width(), kTitleBarAllowance);
    const int grip = std::min(kGripWidth, window.width());
    for (const QRect& screen : screens) {
        const QRect shown = bar.intersected(screen);
        if (shown.width() >= grip && shown.height() >= kTitleBarAllowance / 2) return true;
    }
    return false;
}

QRect mainWindowRect(const std::optional<QRect>& stored, const QSize& minimum, const QList<QRect>& screens,
                     const QRect& primary) {
    if (!stored) {
        const QSize share(static_cast<int>(primary.width() * kShareOfScreen),
                          static_cast<int>(primary.height() * kShareOfScreen));
        QRect r = centredIn(primary, share.expandedTo(minimum));
        r.setSize(r.size().expandedTo(minimum));
        return r;
    }
    QRect r(stored->topLeft(), stored->size().expandedTo(minimum));
    if (titleBarReachable(r, screens)) return r;
    QRect back = centredIn(primary, r.size());
    back.setSize(back.size().expandedTo(minimum));
    return back;
}

QPoint cascadePosition(const QPoint& anchor, int n, const QSize& size, const QRect& available) {
    const int left = available.left(), top = available.top() + kTitleBarAllowance;
    // The last corner where the window still lies inside the area; a window
    // larger than the area goes to its left or top edge.
    const int lastX = std::max(left, available.right() + 1 - size.width());
    const int lastY = std::max(top, available.bottom() + 1 - size.height());
    const QPoint origin(std::clamp(anchor.x(), left, lastX), std::clamp(anchor.y(), top, lastY));
    const int places = std::min((lastX - origin.x()) / kCascadeStep, (lastY - origin.y()) / kCascadeStep);
    if (places < 1) return origin;
    const int k = n % places + 1;
    return origin + QPoint(k * kCascadeStep, k * kCascadeStep);
}

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens()) areas << s->availableGeometry();
    return areas;
}

QRect primaryScreenArea() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace phonotab
