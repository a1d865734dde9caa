#include "gui/plots/GraphButton.h"

#include <QFontMetrics>

namespace phonotab {

namespace {

const QColor kFace(212, 208, 200), kLight(255, 255, 255), kShadow(128, 128, 128), kDark(64, 64, 64);

// A raised or sunken bevelled rectangle.
void bevel(QPainter& p, const QRect& r, bool sunken, const QColor& face) {
    p.fillRect(r, face);
    const QColor tl = sunken ? kShadow : kLight, br = sunken ? kLight : kDark;
    p.setPen(tl);
    p.drawLine(r.left(), r.bottom(), r.left(), r.top());
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.setPen(br);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
}

}  // namespace

GraphButton::GraphButton(GraphWindow& owner, const QString& text, std::function<void()> action)
    : GraphControl(owner), action_(std::move(action)) {
    setText(text);
}

void GraphButton::mouseRelease(bool inside) {
    const bool wasPressed = pressed();
    GraphControl::mouseRelease(inside);
    if (inside && wasPressed) click();
}

void GraphButton::draw(QPainter& p, const GraphFonts& fonts) const {
    if (!visible() || rect().isEmpty()) return;
    p.save();
    bevel(p, rect(), pressed() && hovered(), hovered() ? kFace.lighter(106) : kFace);
    p.setFont(fonts.control);
    p.setPen(Qt::black);
    p.drawText(rect().translated(pressed() && hovered() ? 1 : 0, pressed() && hovered() ? 1 : 0),
               Qt::AlignCenter, text());
    p.restore();
}

ReadoutField::ReadoutField(GraphWindow& owner, std::function<void()> action)
    : GraphControl(owner), action_(std::move(action)) {}

void ReadoutField::mouseRelease(bool inside) {
    const bool wasPressed = pressed();
    GraphControl::mouseRelease(inside);
    if (inside && wasPressed && action_) action_();
}

void ReadoutField::draw(QPainter& p, const GraphFonts& fonts) const {
    if (!visible() || rect().isEmpty()) return;
    p.save();
    bevel(p, rect(), true, Qt::white);
    p.setFont(fonts.label);
    p.setPen(Qt::black);
    const QRect inner = rect().adjusted(4, 0, -4, 0);
    p.setClipRect(inner);
    p.drawText(inner, Qt::AlignVCenter | Qt::AlignLeft, text());
    p.restore();
}

}  // namespace phonotab
