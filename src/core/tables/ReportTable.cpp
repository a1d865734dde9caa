#include "core/tables/ReportTable.h"

#include <algorithm>
#include <iterator>
#include <utility>


namespace phonotab {

TableSelection TableSelection::fromRect(CellRect r) {
    TableSelection s;
    s.rect = r;
    for (int c = r.left; c < r.right; ++c)
        for (int row = r.top; row < r.bottom; ++row) s.cells.insert({c, row});
    return s;
}

ReportTable::ReportTable(int rows, int columns) {
    rows = std::clamp(rows, 1, MaxRows);
    columns = std::clamp(columns, 1, MaxColumns);
    TableCell proto;
    proto.width = DefaultWidth;
    proto.height = DefaultHeight;
    rows_.assign(static_cast<std::size_t>(rows), std::vector<TableCell>(static_cast<std::size_t>(columns), proto));
}

void ReportTable::setGrid(std::vector<std::vector<TableCell>> rows) { rows_ = std::move(rows); }

void ReportTable::setRowInReport(int row, bool included) {
    std::uint32_t& f = cell(0, row).flags;
    f = included ? (f & ~cellflag::RowExcluded) : (f | cellflag::RowExcluded);
    modified_ = true;
}

void ReportTable::setColumnInReport(int column, bool included) {
    std::uint32_t& f = cell(column, 0).flags;
    f = included ? (f & ~cellflag::ColumnExcluded) : (f | cellflag::ColumnExcluded);
    modified_ = true;
}

namespace {

// Moves the entries in place: a shift keeps their order, so each moved node
// goes back where it was, without allocating. An insertion moves the entries
// from the last one back, a deletion from the first one on, so that a moved
// key never meets one that has yet to move.
template <typename V>
void rekey(std::map<CellKey, V>& m, bool rows, int index, int delta) {
    auto coordOf = [rows](auto it) { return rows ? it->first.row : it->first.column; };
    auto moved = [&](auto it) {
        auto node = m.extract(it);
        (rows ? node.key().row : node.key().column) += delta;
        return node;
    };
    if (delta > 0) {
        for (auto it = m.end(); it != m.begin();) {
            const auto entry = std::prev(it);
            it = coordOf(entry) < index ? entry : m.insert(it, moved(entry));
        }
        return;
    }
    for (auto it = m.begin(); it != m.end();) {
        const int coord = coordOf(it);
        if (coord < index) {
            ++it;
        } else if (coord == index) {
            it = m.erase(it);
        } else {
            const auto next = std::next(it);
            m.insert(next, moved(it));
            it = next;
        }
    }
}

template <typename V>
void dropOutside(std::map<CellKey, V>& m, int rows, int columns) {
    std::erase_if(m, [&](const auto& e) { return e.first.row >= rows || e.first.column >= columns; });
}

}  // namespace

void ReportTable::rekeyMaps(Axis axis, int index, int delta) {
    const bool rows = axis == Axis::Rows;
    rekey(texts, rows, index, delta);
    rekey(bindings, rows, index, delta);
    rekey(formulas, rows, index, delta);
    rekey(macros, rows, index, delta);
}

bool ReportTable::InsertRow(int at, int templateRow) {
    if (at < 0 || at > rowCount() || templateRow < 0 || templateRow >= rowCount() || rowCount() >= MaxRows)
        return false;
    std::vector<TableCell> copy = rows_[static_cast<std::size_t>(templateRow)];
    rows_.insert(rows_.begin() + at, std::move(copy));
    rekeyMaps(Axis::Rows, at, 1);
    shiftAllReferences(Axis::Rows, at, 1);
    modified_ = true;
    recalculateAll_ = true;
    return true;
}

bool ReportTable::InsertColumn(int at, int templateColumn) {
    if (at < 0 || at > columnCount() || templateColumn < 0 || templateColumn >= columnCount() ||
        columnCount() >= MaxColumns)
        return false;
    for (auto& row : rows_) {
        TableCell copy = row[static_cast<std::size_t>(templateColumn)];
        row.insert(row.begin() + at, std::move(copy));
    }
    rekeyMaps(Axis::Columns, at, 1);
    shiftAllReferences(Axis::Columns, at, 1);
    modified_ = true;
    recalculateAll_ = true;
    return true;
}

bool ReportTable::DeleteRow(int row) {
    if (row < 0 || row >= rowCount() || rowCount() <= 1) return false;
    rows_.erase(rows_.begin() + row);
    keepDepartingTexts(Axis::Rows, row);
    rekeyMaps(Axis::Rows, row, -1);
    shiftAllReferences(Axis::Rows, row, -1);
    modified_ = true;
    recalculateAll_ = true;
    return true;
}

bool ReportTable::DeleteColumn(int column) {
    if (column < 0 || column >= columnCount() || columnCount() <= 1) return false;
    for (auto& r : rows_) r.erase(r.begin() + column);
    keepDepartingTexts(Axis::Columns, column);
    rekeyMaps(Axis::Columns, column, -1);
    shiftAllReferences(Axis::Columns, column, -1);
    modified_ = true;
    recalculateAll_ = true;
    return true;
}

bool ReportTable::Resize(int rows, int columns) {
    if (rows <= 0 || rows > MaxRows || columns <= 0 || columns > MaxColumns) return false;
    const auto newColumns = static_cast<std::size_t>(columns);
    for (auto& r : rows_) {
        const TableCell last = r.back();
        r.resize(newColumns, last);
    }
    const std::vector<TableCell> lastRow = rows_.back();
    rows_.resize(static_cast<std::size_t>(rows), lastRow);
    dropOutside(texts, rows, columns);
    dropOutside(bindings, rows, columns);
    dropOutside(formulas, rows, columns);
    dropOutside(macros, rows, columns);
    modified_ = true;
    recalculateAll_ = true;
    return true;
}

CellImage ReportTable::imageOf(CellKey k) const {
    CellImage im;
    im.key = k;
    im.cell = cell(k);
    if (auto it = texts.find(k); it != texts.end()) im.text = it->second;
    if (auto it = bindings.find(k); it != bindings.end()) im.binding = it->second;
    if (auto it = formulas.find(k); it != formulas.end()) im.formula = it->second;
    if (auto it = macros.find(k); it != macros.end()) im.macro = it->second;
    return im;
}

namespace {
template <typename V>
void putOptional(std::map<CellKey, V>& m, CellKey k, const std::optional<V>& v) {
    if (v)
        m[k] = *v;
    else
        m.erase(k);
}
}  // namespace

void ReportTable::restoreImage(const CellImage& image) {
    if (!inside(image.key)) return;
    cell(image.key) = image.cell;
    putOptional(texts, image.key, image.text);
    putOptional(bindings, image.key, image.binding);
    putOptional(formulas, image.key, image.formula);
    if (auto it = formulas.find(image.key); it != formulas.end()) it->second.state = FormulaState::Pending;
    putOptional(macros, image.key, image.macro);
}

void ReportTable::swapImages(UndoRecord& r) {
    for (CellImage& im : r.cells) {
        if (!inside(im.key)) continue;
        CellImage current = imageOf(im.key);
        restoreImage(im);
        im = std::move(current);
    }
}

void ReportTable::applyUndo(UndoRecord& r, bool undoing) {
    const int i = r.index;
    switch (r.kind) {
        case UndoKind::RowInserted:
            if (undoing)
                DeleteRow(i);
            else
                InsertRow(i, r.templateIndex);
            break;
        case UndoKind::ColumnInserted:
            if (undoing)
                DeleteColumn(i);
            else
                InsertColumn(i, r.templateIndex);
            break;
        case UndoKind::RowDeleted:
        case UndoKind::ColumnDeleted: {
            const bool rows = r.kind == UndoKind::RowDeleted;
            if (!undoing) {
                if (rows)
                    DeleteRow(i);
                else
                    DeleteColumn(i);
                break;
            }
            const bool inserted = rows ? InsertRow(i, std::min(i, rowCount() - 1))
                                       : InsertColumn(i, std::min(i, columnCount() - 1));
            if (!inserted) break;
            for (const CellImage& im : r.cells) restoreImage(im);
            for (const RewrittenText& t : r.rewritten) {
                if (t.isMacro) {
                    if (auto it = macros.find(t.key); it != macros.end()) it->second = t.text;
                } else if (auto it = formulas.find(t.key); it != formulas.end()) {
                    it->second.text = t.text;
                }
            }
            break;
        }
        case UndoKind::Resized: {
            // Back (or forward) to the other size; going back, the cells that
            // fell off return as they were. The record then names the size it left.
            const int rows = rowCount(), columns = columnCount();
            if (!Resize(r.index, r.templateIndex)) break;
            if (undoing)
                for (const CellImage& im : r.cells) restoreImage(im);
            r.index = rows;
            r.templateIndex = columns;
            recalculateAll_ = true;
            break;
        }
        case UndoKind::RowReportFlag:
            if (i >= 0 && i < rowCount()) setRowInReport(i, !rowInReport(i));
            break;
        case UndoKind::ColumnReportFlag:
            if (i >= 0 && i < columnCount()) setColumnInReport(i, !columnInReport(i));
            break;
        default:
            swapImages(r);
            if (undoSetsRecalculation(r.kind)) recalculateAll_ = true;
            break;
    }
    modified_ = true;
}

// Undo and redo put texts back as they were recorded: the references are up
// to date before, and rewritten at each step while they work.
bool ReportTable::Undo() {
    bringReferencesUpToDate();
    UndoRecord* r = undo_.stepBack();
    if (!r) return false;
    const bool deferred = std::exchange(deferShifts_, false);
    applyUndo(*r, true);
    deferShifts_ = deferred;
    return true;
}

bool ReportTable::Redo() {
    bringReferencesUpToDate();
    UndoRecord* r = undo_.stepForward();
    if (!r) return false;
    const bool deferred = std::exchange(deferShifts_, false);
    applyUndo(*r, false);
    deferShifts_ = deferred;
    return true;
}

}  // namespace phonotab
