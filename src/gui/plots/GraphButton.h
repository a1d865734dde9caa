// A push button drawn by the graph window; its action runs when the mouse
// button goes up over it.
#pragma once

#include <functional>

#include "gui/plots/GraphControl.h"

namespace phonotab {

class GraphButton : public GraphControl {
public:
    GraphButton(GraphWindow& owner, const QString& text, std::function<void()> action);
    void mouseRelease(bool inside) override;
    void draw(QPainter& painter, const GraphFonts& fonts) const override;
    void click() const {
        if (action_) action_();
    }

private:
    std::function<void()> action_;
};

// A sunken field showing a readout text; a click runs its action (the window
// steps through the readout modes).
class ReadoutField : public GraphControl {
public:
    ReadoutField(GraphWindow& owner, std::function<void()> action);
    void mouseRelease(bool inside) override;
    void draw(QPainter& painter, const GraphFonts& fonts) const override;

private:
    std::function<void()> action_;
};

}  // namespace phonotab
