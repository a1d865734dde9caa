// The painted grid of a report table (placeholder until the grid view lands).
#pragma once

#include <QAbstractScrollArea>

#include <functional>

#include "tables/DisplayTexts.h"
#include "tables/ReportTable.h"

namespace phonotab {

class TableGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TableGridView(QWidget* parent = nullptr);
    void setTable(ReportTable* table) { table_ = table; }
    void setDisplayTexts(DisplayTexts texts) { texts_ = std::move(texts); viewport()->update(); }
    void tableLayoutChanged() { viewport()->update(); }
    void setHintProvider(std::function<QString(CellKey)> hints) { hints_ = std::move(hints); }

signals:
    void cellActivated(CellKey cell, bool controlHeld);
    void cellMenuRequested(CellKey cell, QPoint globalPos);
    void rowHeaderMenuRequested(int row, QPoint globalPos);
    void columnHeaderMenuRequested(int column, QPoint globalPos);
    void selectionChanged();
    void clearRequested();

private:
    ReportTable* table_ = nullptr;
    DisplayTexts texts_;
    std::function<QString(CellKey)> hints_;
};

}  // namespace phonotab
