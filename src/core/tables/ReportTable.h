// ReportTable: the model of one report table. A grid of formatted cells, the four
// maps that give cells their content (user text, data binding, formula, macro),
// the graph settings, the undo history and the flags that drive recalculation
// and saving.
//
// Invariant kept by every operation here and by the table file reader: every key
// of the four maps lies inside the grid.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/tables/CellBinding.h"
#include "core/tables/formula/CellFormula.h"
#include "core/tables/formula/StructureStepReplay.h"
#include "core/tables/CellKey.h"
#include "core/tables/TableCell.h"
#include "core/tables/TableGraphSettings.h"
#include "core/tables/UndoRecord.h"

namespace phonotab {

// The cells the user selected and the rectangle around them.
struct TableSelection {
    std::set<CellKey> cells;  // ordered column by column, top to bottom
    CellRect rect;

    static TableSelection fromRect(CellRect r);
};

class ReportTable {
public:
    static constexpr int MaxRows = 1000;
    static constexpr int MaxColumns = 1000;
    static constexpr int DefaultWidth = 70;
    static constexpr int DefaultHeight = 20;

    // A grid of rows x columns default cells (70 x 20 pixels), counts clamped to 1..1000.
    explicit ReportTable(int rows = 1, int columns = 1);

    std::string name;      // window title and name in the report
    std::string filePath;  // its ".tbl" file

    std::map<CellKey, std::string> texts;      // what the user typed
    std::map<CellKey, CellBinding> bindings;   // data bindings
    std::map<CellKey, CellFormula> formulas;
    std::map<CellKey, std::string> macros;

    std::int32_t carriedValue = 0;  // table-wide word that files carry unchanged
    TableGraphSettings graph;
    TableSelection selection;

    // Grid access.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return rows_.empty() ? 0 : static_cast<int>(rows_[0].size()); }
    bool inside(int column, int row) const {
        return column >= 0 && row >= 0 && row < rowCount() && column < columnCount();
    }
    bool inside(CellKey k) const { return inside(k.column, k.row); }
    TableCell& cell(int column, int row) { return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
    const TableCell& cell(int column, int row) const {
        return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    TableCell& cell(CellKey k) { return cell(k.column, k.row); }
    const TableCell& cell(CellKey k) const { return cell(k.column, k.row); }
    bool covered(int column, int row) const { return cell(column, row).covered(); }
    const std::vector<std::vector<TableCell>>& grid() const { return rows_; }

    // Report flags (bit 2 of the row's column-0 cell, bit 4 of the column's row-0 cell).
    bool rowInReport(int row) const { return (cell(0, row).flags & cellflag::RowExcluded) == 0; }
    bool columnInReport(int column) const { return (cell(column, 0).flags & cellflag::ColumnExcluded) == 0; }
    void setRowInReport(int row, bool included);
    void setColumnInReport(int column, bool included);

    // Structure. Each re-keys the maps, rewrites the references of every formula
    // and macro, and sets modified and recalculate-all. False (nothing changed)
    // for an index outside the table, a table that would leave 1..1000 rows or
    // columns.
    bool InsertRow(int at, int templateRow);
    bool InsertColumn(int at, int templateColumn);
    bool DeleteRow(int row);
    bool DeleteColumn(int column);
    // Added rows copy the row above, added columns the column on their left;
    // removed ones go from the end together with their map entries. False for a
    // count of 0 or above 1000. The undo history is kept: ResizeCommand records
    // the cells that fall off, so that the resize itself is undone first.
    bool Resize(int rows, int columns);

    // Records the undo of deleting a row (rows) or column at index, before the
    // deletion: the before-images of its cells and the formula and macro texts
    // that the deletion rewrites beyond what re-inserting gives back.
    void recordDeletionUndo(bool rows, int index);

    // While a macro changes the structure step after step, the references of
    // the formulas and macros are not rewritten at each step: the steps wait,
    // and bringReferencesUpToDate() applies them all in one pass. The texts of
    // a deletion's undo record wait too, and are filled in for the records the
    // history still keeps. Whoever reads a formula or macro text meanwhile
    // brings them up to date first; endDeferredShifts() does so and rewrites
    // at each step again.
    void deferReferenceShifts() { deferShifts_ = true; }
    void bringReferencesUpToDate();
    void endDeferredShifts() {
        bringReferencesUpToDate();
        deferShifts_ = false;
    }

    // Replaces the whole grid (the table file reader); counts must be 1..1000
    // and every row as long as the first.
    void setGrid(std::vector<std::vector<TableCell>> rows);

    // Flags.
    void SetModified(bool m = true) { modified_ = m; }
    bool modified() const { return modified_; }
    void RequestRecalculation() { recalculateAll_ = true; }
    bool recalculationRequested() const { return recalculateAll_; }
    void clearRecalculationRequest() { recalculateAll_ = false; }

    // Undo history.
    void RecordUndo(UndoRecord r) { undo_.record(std::move(r)); }
    bool Undo();
    bool Redo();
    bool canUndo() const { return undo_.canUndo(); }
    bool canRedo() const { return undo_.canRedo(); }
    const UndoHistory& undoHistory() const { return undo_; }
    void clearUndoHistory() {
        undo_.clear();
        deferredDeletionUndo_.clear();
    }

    // The image of a cell as an undo record keeps it, and putting one back.
    CellImage imageOf(CellKey k) const;
    void restoreImage(const CellImage& image);

private:
    enum class Axis { Rows, Columns };
    void rekeyMaps(Axis axis, int index, int delta);
    void shiftAllReferences(Axis axis, int index, int delta);
    void keepDepartingTexts(Axis axis, int index);
    void completeDeferredDeletionUndo(std::size_t firstStep);
    void applyUndo(UndoRecord& r, bool undoing);
    void swapImages(UndoRecord& r);

    std::vector<std::vector<TableCell>> rows_;
    bool modified_ = false;
    bool recalculateAll_ = true;
    UndoHistory undo_;
    bool deferShifts_ = false;
    std::vector<StructureStep> pendingSteps_;
    int rowsBeforePending_ = 0, columnsBeforePending_ = 0;
    // A formula or macro text that left with a deleted row or column while
    // shifts wait: its cell just before the step, and its text as of the
    // last time the references were up to date.
    struct DepartedText {
        std::size_t step = 0;
        CellKey key;
        bool isMacro = false;
        std::string text;
    };
    std::vector<DepartedText> departed_;
    // A deletion's undo record whose texts wait: its number in the history
    // and its step.
    struct DeferredDeletionUndo {
        std::size_t record = 0;
        std::size_t step = 0;
    };
    std::vector<DeferredDeletionUndo> deferredDeletionUndo_;
};

}  // namespace phonotab
