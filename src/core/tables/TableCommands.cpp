#include "core/tables/TableCommands.h"

#include <algorithm>
#include <set>


namespace phonotab {

void RecordCellsForUndo(ReportTable& table, UndoKind kind, const std::vector<CellKey>& cells) {
    UndoRecord r;
    r.kind = kind;
    r.cells.reserve(cells.size());
    for (CellKey k : cells)
        if (table.inside(k)) r.cells.push_back(table.imageOf(k));
    table.RecordUndo(std::move(r));
}

bool InsertRowCommand(ReportTable& table, int at, int templateRow) {
    if (at < 0 || at > table.rowCount() || templateRow < 0 || templateRow >= table.rowCount() ||
        table.rowCount() >= ReportTable::MaxRows)
        return false;
    table.RecordUndo(UndoRecord{UndoKind::RowInserted, at, templateRow, {}, {}});
    return table.InsertRow(at, templateRow);
}

bool InsertColumnCommand(ReportTable& table, int at, int templateColumn) {
    if (at < 0 || at > table.columnCount() || templateColumn < 0 || templateColumn >= table.columnCount() ||
        table.columnCount() >= ReportTable::MaxColumns)
        return false;
    table.RecordUndo(UndoRecord{UndoKind::ColumnInserted, at, templateColumn, {}, {}});
    return table.InsertColumn(at, templateColumn);
}

bool DeleteRowCommand(ReportTable& table, int row) {
    if (row < 0 || row >= table.rowCount() || table.rowCount() <= 1) return false;
    table.recordDeletionUndo(true, row);
    return table.DeleteRow(row);
}

bool DeleteColumnCommand(ReportTable& table, int column) {
    if (column < 0 || column >= table.columnCount() || table.columnCount() <= 1) return false;
    table.recordDeletionUndo(false, column);
    return table.DeleteColumn(column);
}

bool ResizeCommand(ReportTable& table, int rows, int columns) {
    if (rows <= 0 || rows > ReportTable::MaxRows || columns <= 0 || columns > ReportTable::MaxColumns) return false;
    if (rows == table.rowCount() && columns == table.columnCount()) return false;
    UndoRecord r{UndoKind::Resized, table.rowCount(), table.columnCount(), {}, {}};
    for (int row = 0; row < table.rowCount(); ++row)
        for (int c = 0; c < table.columnCount(); ++c)
            if (row >= rows || c >= columns) r.cells.push_back(table.imageOf({c, row}));
    table.RecordUndo(std::move(r));
    return table.Resize(rows, columns);
}

int filledCellsOutside(const ReportTable& table, int rows, int columns) {
    std::set<CellKey> filled;
    auto outside = [&](CellKey k) { return k.row >= rows || k.column >= columns; };
    for (const auto& [k, v] : table.texts)
        if (outside(k)) filled.insert(k);
    for (const auto& [k, v] : table.bindings)
        if (outside(k)) filled.insert(k);
    for (const auto& [k, v] : table.formulas)
        if (outside(k)) filled.insert(k);
    for (const auto& [k, v] : table.macros)
        if (outside(k)) filled.insert(k);
    return static_cast<int>(filled.size());
}

bool ToggleRowReportCommand(ReportTable& table, int row) {
    if (row < 0 || row >= table.rowCount()) return false;
    table.RecordUndo(UndoRecord{UndoKind::RowReportFlag, row, 0, {}, {}});
    table.setRowInReport(row, !table.rowInReport(row));
    return true;
}

bool ToggleColumnReportCommand(ReportTable& table, int column) {
    if (column < 0 || column >= table.columnCount()) return false;
    table.RecordUndo(UndoRecord{UndoKind::ColumnReportFlag, column, 0, {}, {}});
    table.setColumnInReport(column, !table.columnInReport(column));
    return true;
}

bool MergeCellsCommand(ReportTable& table, CellRect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, table.columnCount());
    rect.bottom = std::min(rect.bottom, table.rowCount());
    if (rect.empty()) return false;
    std::vector<CellKey> cells;
    for (int c = rect.left; c < rect.right; ++c)
        for (int r = rect.top; r < rect.bottom; ++r) cells.push_back({c, r});
    RecordCellsForUndo(table, UndoKind::CellsMerged, cells);
    for (CellKey k : cells) {
        std::uint32_t& f = table.cell(k).flags;
        if (k.column > rect.left) f |= cellflag::CoveredFromLeft;
        if (k.row > rect.top) f |= cellflag::CoveredFromAbove;
    }
    table.SetModified();
    table.RequestRecalculation();
    return true;
}

bool UnmergeCellsCommand(ReportTable& table, const std::vector<CellKey>& cells) {
    RecordCellsForUndo(table, UndoKind::CellsUnmerged, cells);
    for (CellKey k : cells)
        if (table.inside(k)) table.cell(k).flags &= ~cellflag::Covered;
    table.SetModified();
    table.RequestRecalculation();
    return true;
}

}  // namespace phonotab
