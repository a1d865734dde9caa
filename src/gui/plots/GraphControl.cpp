#include "gui/plots/GraphControl.h"

#include "gui/plots/GraphWindow.h"

namespace phonotab {

GraphControl::GraphControl(GraphWindow& owner, QPoint origin, int dx1, int dy1, int width, int height)
    : owner_(owner), rect_(origin.x() + dx1, origin.y() + dy1, width, height) {
    owner_.registerControl(this);
}

GraphControl::~GraphControl() { owner_.unregisterControl(this); }

void GraphControl::setGeometry(QPoint origin, int dx1, int dy1, int width, int height) {
    rect_ = QRect(origin.x() + dx1, origin.y() + dy1, width, height);
    dirty_ = true;
}

void GraphControl::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    dirty_ = true;
}

void GraphControl::mouseEnter() {
    hovered_ = true;
    dirty_ = true;
}

void GraphControl::mouseLeave() {
    hovered_ = false;
    pressed_ = false;
    dirty_ = true;
}

void GraphControl::mousePress() {
    pressed_ = true;
    dirty_ = true;
}

void GraphControl::mouseRelease(bool) {
    pressed_ = false;
    dirty_ = true;
}

}  // namespace phonotab
