// The painted grid of a report table: the cells with their display texts,
// fonts, colours and alignments, merged blocks as one box, the column and row
// headers that stay in place while the grid scrolls (grey for what the report
// leaves out), the selection, and the mouse and keys that select. Only the
// visible cells are painted, so a 1000 x 1000 table scrolls smoothly.
//
// The view does not own the table; the window draws the display texts after
// each change and hands them over.
#pragma once

#include <QAbstractScrollArea>

#include <functional>
#include <optional>

#include "core/tables/DisplayTexts.h"
#include "core/tables/ReportTable.h"
#include "core/tables/TableHitTest.h"

namespace phonotab {

class TableGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The header boxes: the column letters above the grid, the row numbers left of it.
    static constexpr int HeaderHeight = 20;
    static constexpr int HeaderWidth = 40;
    // The scroll step in pixels.
    static constexpr int ScrollStep = 20;

    explicit TableGridView(QWidget* parent = nullptr);

    void setTable(ReportTable* table);
    void setDisplayTexts(DisplayTexts texts);
    // After the rows, columns or their sizes changed.
    void tableLayoutChanged();
    void setHintProvider(std::function<QString(CellKey)> hints) { hints_ = std::move(hints); }

    // What lies under a point of the viewport (tests and the window's menus).
    std::optional<CellKey> cellAt(QPoint viewportPos) const;
    int rowHeaderAt(QPoint viewportPos) const;     // -1 when none
    int columnHeaderAt(QPoint viewportPos) const;  // -1 when none
    // The viewport rectangle of a cell's box (its block's, when merged).
    QRect cellRect(CellKey cell) const;
    // The cells painted by the last paint (tests check that only the visible ones are).
    int paintedCells() const { return paintedCells_; }
    // The column letters: A to Z, then two letters.
    static QString columnName(int column);

signals:
    void cellActivated(CellKey cell, bool controlHeld);
    void cellMenuRequested(CellKey cell, QPoint globalPos);
    void rowHeaderMenuRequested(int row, QPoint globalPos);
    void columnHeaderMenuRequested(int column, QPoint globalPos);
    void selectionChanged();
    void clearRequested();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    void updateScrollBars();
    void select(TableSelection selection);
    void ensureVisible(CellKey cell);
    // The grid's pixel under a viewport point.
    QPoint gridPoint(QPoint viewportPos) const;

    ReportTable* table_ = nullptr;
    GridGeometry geometry_;
    DisplayTexts texts_;
    std::function<QString(CellKey)> hints_;
    std::optional<CellKey> dragFrom_;
    int paintedCells_ = 0;
};

}  // namespace phonotab
