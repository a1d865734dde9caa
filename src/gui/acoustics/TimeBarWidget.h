// The ranges window's time bar: paints the blocks and labels the core's
// TimeBar computes; a right click asks the window for its menu.
#pragma once

#include <QString>
#include <QWidget>

#include <utility>

#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/TimeBar.h"

namespace phonotab {

class TimeBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit TimeBarWidget(QWidget* parent = nullptr);

    // The file shown (null: an empty bar) and whether labels count from the record's start.
    void setFile(const CalcFile* file, bool relativeTimes);
    // The bar's area inside the widget (room for the time labels below it).
    BarRect barArea() const;
    TimeBar timeBar() const;
    // The times of the record's start and end written under the bar's ends,
    // in the slider edits' format; empty without a file.
    std::pair<QString, QString> endTimeTexts() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void menuRequested(QPoint position);

protected:
    void paintEvent(QPaintEvent*) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    const CalcFile* file_ = nullptr;
    bool relative_ = true;
};

}  // namespace phonotab
