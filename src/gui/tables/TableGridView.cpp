#include "gui/tables/TableGridView.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <map>
#include <set>

namespace phonotab {

namespace {

QColor colourOf(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

const QColor kGridLine(192, 192, 192);
const QColor kHeaderExcluded = colourOf(0xC8C8C8);
const QColor kSelectionFill(51, 153, 255, 60);
const QColor kSelectionFrame(0, 102, 204);

Qt::Alignment alignmentOf(std::uint32_t a) {
    Qt::Alignment out;
    switch (cellalign::horizontal(a)) {
        case cellalign::Right: out |= Qt::AlignRight; break;
        case cellalign::HCentre: out |= Qt::AlignHCenter; break;
        default: out |= Qt::AlignLeft;
    }
    switch (cellalign::vertical(a)) {
        case cellalign::Middle: out |= Qt::AlignVCenter; break;
        case cellalign::Bottom: out |= Qt::AlignBottom; break;
        default: out |= Qt::AlignTop;
    }
    return out;
}

// One font per face and font word, made once per paint.
class FontCache {
public:
    const QFont& of(const TableCell& c) {
        auto key = std::make_pair(c.fontFace, c.font);
        auto it = fonts_.find(key);
        if (it != fonts_.end()) return it->second;
        QFont f(QString::fromStdString(c.fontFace));
        f.setPixelSize(std::max(1, cellfont::pixelHeight(c.font)));
        f.setBold((c.font & cellfont::Bold) != 0);
        f.setItalic((c.font & cellfont::Italic) != 0);
        return fonts_.emplace(std::move(key), f).first->second;
    }

private:
    std::map<std::pair<std::string, std::uint32_t>, QFont> fonts_;
};

}  // namespace

TableGridView::TableGridView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(false);
    viewport()->setBackgroundRole(QPalette::Base);
    horizontalScrollBar()->setSingleStep(ScrollStep);
    verticalScrollBar()->setSingleStep(ScrollStep);
}

void TableGridView::setTable(ReportTable* table) {
    table_ = table;
    tableLayoutChanged();
}

void TableGridView::setDisplayTexts(DisplayTexts texts) {
    texts_ = std::move(texts);
    viewport()->update();
}

void TableGridView::tableLayoutChanged() {
    geometry_ = table_ ? GridGeometry::of(*table_) : GridGeometry{};
    updateScrollBars();
    viewport()->update();
}

void TableGridView::updateScrollBars() {
    const QSize area = viewport()->size() - QSize(HeaderWidth, HeaderHeight);
    horizontalScrollBar()->setRange(0, std::max(0, geometry_.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, geometry_.height() - area.height()));
    horizontalScrollBar()->setPageStep(std::max(ScrollStep, area.width()));
    verticalScrollBar()->setPageStep(std::max(ScrollStep, area.height()));
}

void TableGridView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    updateScrollBars();
}

void TableGridView::scrollContentsBy(int, int) { viewport()->update(); }

QString TableGridView::columnName(int column) {
    const auto letter = [](int k) { return QChar(u'A' + k); };
    if (column < 26) return QString(letter(column));
    return QString(letter(column / 26 - 1)) + letter(column % 26);
}

QPoint TableGridView::gridPoint(QPoint p) const {
    return QPoint(p.x() - HeaderWidth + horizontalScrollBar()->value(), p.y() - HeaderHeight + verticalScrollBar()->value());
}

std::optional<CellKey> TableGridView::cellAt(QPoint p) const {
    if (!table_ || p.x() < HeaderWidth || p.y() < HeaderHeight) return std::nullopt;
    const QPoint g = gridPoint(p);
    return HitCell(*table_, geometry_, g.x(), g.y());
}

int TableGridView::rowHeaderAt(QPoint p) const {
    if (!table_ || p.x() >= HeaderWidth || p.y() < HeaderHeight) return -1;
    return geometry_.rowAt(gridPoint(p).y());
}

int TableGridView::columnHeaderAt(QPoint p) const {
    if (!table_ || p.y() >= HeaderHeight || p.x() < HeaderWidth) return -1;
    return geometry_.columnAt(gridPoint(p).x());
}

QRect TableGridView::cellRect(CellKey cell) const {
    if (!table_ || !table_->inside(cell)) return {};
    const CellRect b = blockRect(*table_, cell);
    const int x0 = geometry_.columnX[static_cast<std::size_t>(b.left)];
    const int x1 = geometry_.columnX[static_cast<std::size_t>(b.right)];
    const int y0 = geometry_.rowY[static_cast<std::size_t>(b.top)];
    const int y1 = geometry_.rowY[static_cast<std::size_t>(b.bottom)];
    return QRect(x0 + HeaderWidth - horizontalScrollBar()->value(), y0 + HeaderHeight - verticalScrollBar()->value(),
                 x1 - x0, y1 - y0);
}

void TableGridView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    paintedCells_ = 0;
    if (!table_) return;
    const ReportTable& t = *table_;
    const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
    const QSize area = viewport()->size();
    // The visible columns and rows.
    int c0 = std::max(0, geometry_.columnAt(sx)), r0 = std::max(0, geometry_.rowAt(sy));
    int c1 = geometry_.columnAt(sx + area.width() - HeaderWidth - 1);
    int r1 = geometry_.rowAt(sy + area.height() - HeaderHeight - 1);
    if (c1 < 0) c1 = t.columnCount() - 1;
    if (r1 < 0) r1 = t.rowCount() - 1;

    p.save();
    p.setClipRect(QRect(HeaderWidth, HeaderHeight, area.width() - HeaderWidth, area.height() - HeaderHeight));
    FontCache fonts;
    std::set<CellKey> drawnBlocks;  // blocks that start outside the visible area are drawn once
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            CellKey k{c, r};
            if (t.covered(c, r)) {
                k = blockStart(t, k);
                if (!drawnBlocks.insert(k).second) continue;
            }
            const TableCell& cell = t.cell(k);
            const QRect box = cellRect(k);
            p.fillRect(box, colourOf(cell.background));
            p.setPen(kGridLine);
            p.drawRect(box.adjusted(0, 0, -1, -1));
            const std::string& text = texts_.at(k);
            if (!text.empty()) {
                p.setFont(fonts.of(cell));
                p.setPen(colourOf(cell.textColour));
                QString shown = QString::fromStdString(text);
                shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                p.drawText(box.adjusted(2, 1, -2, -1), alignmentOf(cell.alignment) | Qt::TextWordWrap, shown);
            }
            ++paintedCells_;
        }
    // The selection: a light fill over its cells and a frame round its rectangle.
    const CellRect& sel = t.selection.rect;
    if (!sel.empty() && t.inside(sel.left, sel.top)) {
        const CellRect s{sel.left, sel.top, std::min(sel.right, t.columnCount()), std::min(sel.bottom, t.rowCount())};
        const QRect frame(geometry_.columnX[static_cast<std::size_t>(s.left)] + HeaderWidth - sx,
                          geometry_.rowY[static_cast<std::size_t>(s.top)] + HeaderHeight - sy,
                          geometry_.columnX[static_cast<std::size_t>(s.right)] - geometry_.columnX[static_cast<std::size_t>(s.left)],
                          geometry_.rowY[static_cast<std::size_t>(s.bottom)] - geometry_.rowY[static_cast<std::size_t>(s.top)]);
        if (t.selection.cells.size() == static_cast<std::size_t>(s.right - s.left) * static_cast<std::size_t>(s.bottom - s.top)) {
            p.fillRect(frame, kSelectionFill);
        } else {
            for (const CellKey& k : t.selection.cells)
                if (t.inside(k) && k.column >= c0 && k.column <= c1 && k.row >= r0 && k.row <= r1 && !t.covered(k.column, k.row))
                    p.fillRect(cellRect(k), kSelectionFill);
        }
        p.setPen(QPen(kSelectionFrame, 2));
        p.drawRect(frame.adjusted(1, 1, -1, -1));
    }
    p.restore();

    // The headers, over the grid's edges.
    p.setFont(font());
    for (int c = c0; c <= c1; ++c) {
        const QRect box(geometry_.columnX[static_cast<std::size_t>(c)] + HeaderWidth - sx, 0, t.cell(c, 0).width, HeaderHeight);
        if (box.right() < HeaderWidth) continue;
        p.fillRect(box, t.columnInReport(c) ? QColor(Qt::white) : kHeaderExcluded);
        p.setPen(Qt::darkGray);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, columnName(c));
    }
    for (int r = r0; r <= r1; ++r) {
        const QRect box(0, geometry_.rowY[static_cast<std::size_t>(r)] + HeaderHeight - sy, HeaderWidth, t.cell(0, r).height);
        if (box.bottom() < HeaderHeight) continue;
        p.fillRect(box, t.rowInReport(r) ? QColor(Qt::white) : kHeaderExcluded);
        p.setPen(Qt::darkGray);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, QString::number(r + 1));
    }
    p.fillRect(QRect(0, 0, HeaderWidth, HeaderHeight), palette().window());
}

void TableGridView::select(TableSelection selection) {
    if (!table_) return;
    table_->selection = std::move(selection);
    viewport()->update();
    emit selectionChanged();
}

void TableGridView::ensureVisible(CellKey cell) {
    const QRect r = cellRect(cell);
    const QRect area(HeaderWidth, HeaderHeight, viewport()->width() - HeaderWidth, viewport()->height() - HeaderHeight);
    if (r.left() < area.left()) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (area.left() - r.left()));
    else if (r.right() > area.right())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + std::min(r.right() - area.right(), r.left() - area.left()));
    if (r.top() < area.top()) verticalScrollBar()->setValue(verticalScrollBar()->value() - (area.top() - r.top()));
    else if (r.bottom() > area.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + std::min(r.bottom() - area.bottom(), r.top() - area.top()));
}

void TableGridView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
    const auto cell = cellAt(e->position().toPoint());
    if (!cell) return;
    dragFrom_ = cell;
    select(DragSelection(*table_, *cell, *cell));
}

void TableGridView::mouseMoveEvent(QMouseEvent* e) {
    if (!dragFrom_ || !(e->buttons() & Qt::LeftButton)) return;
    const auto cell = cellAt(e->position().toPoint());
    if (!cell) return;
    TableSelection s = DragSelection(*table_, *dragFrom_, *cell);
    if (!(s.rect == table_->selection.rect)) select(std::move(s));
}

void TableGridView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) dragFrom_.reset();
    QAbstractScrollArea::mouseReleaseEvent(e);
}

void TableGridView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (const auto cell = cellAt(e->position().toPoint()))
        emit cellActivated(*cell, (e->modifiers() & Qt::ControlModifier) != 0);
}

void TableGridView::contextMenuEvent(QContextMenuEvent* e) {
    const QPoint p = e->pos();  // the viewport hands its events over in its own coordinates
    if (const int row = rowHeaderAt(p); row >= 0) return emit rowHeaderMenuRequested(row, e->globalPos());
    if (const int column = columnHeaderAt(p); column >= 0) return emit columnHeaderMenuRequested(column, e->globalPos());
    const auto cell = cellAt(p);
    if (!cell) return;
    // As elsewhere in Qt, a right click outside the selection selects first.
    if (!table_->selection.cells.count(*cell)) select(DragSelection(*table_, *cell, *cell));
    emit cellMenuRequested(*cell, e->globalPos());
}

void TableGridView::keyPressEvent(QKeyEvent* e) {
    if (!table_) return QAbstractScrollArea::keyPressEvent(e);
    std::optional<SelectionMove> move;
    switch (e->key()) {
        case Qt::Key_Left: move = SelectionMove::Left; break;
        case Qt::Key_Right: move = SelectionMove::Right; break;
        case Qt::Key_Up: move = SelectionMove::Up; break;
        case Qt::Key_Down: move = SelectionMove::Down; break;
        case Qt::Key_PageUp: move = SelectionMove::PageUp; break;
        case Qt::Key_PageDown: move = SelectionMove::PageDown; break;
        case Qt::Key_Delete: emit clearRequested(); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const CellRect& r = table_->selection.rect;
            if (!r.empty() && r == blockRect(*table_, blockStart(*table_, {r.left, r.top})))
                emit cellActivated({r.left, r.top}, (e->modifiers() & Qt::ControlModifier) != 0);
            return;
        }
        default: return QAbstractScrollArea::keyPressEvent(e);
    }
    TableSelection s = MovedSelection(*table_, table_->selection, *move);
    const CellKey first{s.rect.left, s.rect.top};
    select(std::move(s));
    ensureVisible(first);
}

bool TableGridView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const auto cell = cellAt(help->pos());
        const QString text = cell && hints_ ? hints_(*cell) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), cellRect(*cell));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

}  // namespace phonotab
