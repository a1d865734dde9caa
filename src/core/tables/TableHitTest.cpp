#include "core/tables/TableHitTest.h"

#include <algorithm>

#include "core/tables/CellSpans.h"

namespace phonotab {

GridGeometry GridGeometry::of(const ReportTable& table) {
    GridGeometry g;
    g.columnX.reserve(static_cast<std::size_t>(table.columnCount()) + 1);
    g.columnX.push_back(0);
    for (int c = 0; c < table.columnCount(); ++c) g.columnX.push_back(g.columnX.back() + std::max(0, table.cell(c, 0).width));
    g.rowY.reserve(static_cast<std::size_t>(table.rowCount()) + 1);
    g.rowY.push_back(0);
    for (int r = 0; r < table.rowCount(); ++r) g.rowY.push_back(g.rowY.back() + std::max(0, table.cell(0, r).height));
    return g;
}

namespace {
int indexAt(const std::vector<int>& edges, int v) {
    if (edges.size() < 2 || v < 0 || v >= edges.back()) return -1;
    // The last edge not above v starts the column or row that holds v.
    const auto it = std::upper_bound(edges.begin(), edges.end(), v);
    return static_cast<int>(it - edges.begin()) - 1;
}
}  // namespace

int GridGeometry::columnAt(int x) const { return indexAt(columnX, x); }
int GridGeometry::rowAt(int y) const { return indexAt(rowY, y); }

CellKey blockStart(const ReportTable& table, CellKey cell) {
    while (cell.column > 0 && (table.cell(cell).flags & cellflag::CoveredFromLeft)) --cell.column;
    while (cell.row > 0 && (table.cell(cell).flags & cellflag::CoveredFromAbove)) --cell.row;
    return cell;
}

CellRect blockRect(const ReportTable& table, CellKey first) {
    return CellRect{first.column, first.row, first.column + columnSpan(table.grid(), first.column, first.row),
                    first.row + rowSpan(table.grid(), first.column, first.row)};
}

std::optional<CellKey> HitCell(const ReportTable& table, const GridGeometry& g, int x, int y) {
    const int column = g.columnAt(x), row = g.rowAt(y);
    if (column < 0 || row < 0 || !table.inside(column, row)) return std::nullopt;
    return blockStart(table, {column, row});
}

CellRect GrowOverMergedBlocks(const ReportTable& table, CellRect r) {
    r = CellRect{std::max(0, std::min(r.left, r.right)), std::max(0, std::min(r.top, r.bottom)),
                 std::min(table.columnCount(), std::max(r.left, r.right)),
                 std::min(table.rowCount(), std::max(r.top, r.bottom))};
    if (r.empty()) return r;
    // A block that reaches out of the rectangle crosses its border: only the
    // border cells need looking at, again after each growth.
    for (bool grown = true; grown;) {
        grown = false;
        auto take = [&](int column, int row) {
            const CellRect b = blockRect(table, blockStart(table, {column, row}));
            const CellRect u{std::min(r.left, b.left), std::min(r.top, b.top), std::max(r.right, b.right),
                             std::max(r.bottom, b.bottom)};
            if (!(u == r)) {
                r = u;
                grown = true;
            }
        };
        for (int c = r.left; c < r.right && !grown; ++c) {
            take(c, r.top);
            if (!grown) take(c, r.bottom - 1);
        }
        for (int row = r.top; row < r.bottom && !grown; ++row) {
            take(r.left, row);
            if (!grown) take(r.right - 1, row);
        }
    }
    return r;
}

TableSelection DragSelection(const ReportTable& table, CellKey from, CellKey to) {
    const CellRect r{std::min(from.column, to.column), std::min(from.row, to.row), std::max(from.column, to.column) + 1,
                     std::max(from.row, to.row) + 1};
    return TableSelection::fromRect(GrowOverMergedBlocks(table, r));
}

TableSelection MovedSelection(const ReportTable& table, const TableSelection& selection, SelectionMove move) {
    CellRect r = selection.rect;
    if (r.empty()) r = CellRect{0, 0, 1, 1};
    CellKey target{r.left, r.top};
    switch (move) {
        case SelectionMove::Left: target = {r.left - 1, r.top}; break;
        case SelectionMove::Right: target = {r.right, r.top}; break;
        case SelectionMove::Up: target = {r.left, r.top - 1}; break;
        case SelectionMove::Down: target = {r.left, r.bottom}; break;
        case SelectionMove::PageUp: target = {r.left, r.top - 10}; break;
        case SelectionMove::PageDown: target = {r.right - 1, r.bottom - 1 + 10}; break;
    }
    target.column = std::clamp(target.column, 0, table.columnCount() - 1);
    target.row = std::clamp(target.row, 0, table.rowCount() - 1);
    return TableSelection::fromRect(blockRect(table, blockStart(table, target)));
}

}  // namespace phonotab
