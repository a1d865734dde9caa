// A control drawn by the graph window itself (button, readout field), so that
// it appears in the window's bitmaps. Its rectangle is an origin plus offsets:
// left = origin.x + dx1, top = origin.y + dy1, then width and height. A control
// registers with its window when made and unregisters when destroyed.
#pragma once

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include "render/plots/GraphFonts.h"

namespace phonotab {

class GraphWindow;

class GraphControl {
public:
    GraphControl(GraphWindow& owner, QPoint origin = {}, int dx1 = 0, int dy1 = 0, int width = 0, int height = 0);
    virtual ~GraphControl();
    GraphControl(const GraphControl&) = delete;
    GraphControl& operator=(const GraphControl&) = delete;

    void setGeometry(QPoint origin, int dx1, int dy1, int width, int height);
    QRect rect() const { return rect_; }
    void setText(const QString& text);
    const QString& text() const { return text_; }
    bool pressed() const { return pressed_; }
    bool hovered() const { return hovered_; }
    bool dirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    void setVisible(bool v) { visible_ = v; }
    bool visible() const { return visible_; }

    virtual void mouseEnter();
    virtual void mouseLeave();
    virtual void mousePress();
    // inside: the button went up over the control.
    virtual void mouseRelease(bool inside);
    virtual void draw(QPainter& painter, const GraphFonts& fonts) const = 0;
    void drawn() { dirty_ = false; }

protected:
    GraphWindow& owner_;

private:
    QRect rect_;
    QString text_;
    bool pressed_ = false, hovered_ = false, dirty_ = true, visible_ = true;
};

}  // namespace phonotab
