// Paints a bar chart scene the core computed and shows the readout of the bar
// under the pointer (the window's exports are figures for print, drawn apart).
#pragma once

#include <QImage>
#include <QWidget>

#include "core/base/Result.h"
#include "core/plots/BarChartScene.h"
#include "render/plots/GraphFonts.h"

namespace phonotab {

class QtTextMetrics;

class BarChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit BarChartWidget(QWidget* parent = nullptr);
    ~BarChartWidget() override;

    // name: the histogram's name in the readout (empty for a table's graph).
    void setChart(BarChartInput input, std::string name);
    const BarChartInput& chart() const { return input_; }
    // The scene as last laid out for the widget's size.
    const BarChartScene& scene();
    // The readout of the bar under a point of the widget; empty over none.
    std::string readoutAt(QPoint p);

signals:
    void readoutChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BarChartInput input_;
    std::string name_;
    GraphFonts fonts_;
    std::unique_ptr<QtTextMetrics> metrics_;
    BarChartScene scene_;
    bool dirty_ = true;
};

}  // namespace phonotab
