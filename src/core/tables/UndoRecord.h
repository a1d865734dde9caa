// The undo history of a report table: at most ten records and a position.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/CellBinding.h"
#include "core/tables/formula/CellFormula.h"
#include "core/tables/CellKey.h"
#include "core/tables/TableCell.h"

namespace phonotab {

// Kinds 0 to 5 change the structure or the report flags and carry an index;
// kinds 6 to 16 change cells and carry the before-images of the cells.
enum class UndoKind : int {
    ColumnInserted = 0,
    RowInserted = 1,
    ColumnDeleted = 2,
    RowDeleted = 3,
    ColumnReportFlag = 4,
    RowReportFlag = 5,
    CellText = 6,        // "Текст"
    CellFormat = 7,      // "Формат ячейки"
    CellFormula = 8,     // formula set over a selection
    CellBinding = 9,     // "Данные из проекта", "Подменить источник данных"
    CellReference = 10,  // "Данные из справочника"
    CellMacro = 11,      // "Установить макрос"
    CellsMerged = 12,
    CellsUnmerged = 13,
    CellsCleared = 14,   // "Очистить", Delete key
    CellsPasted = 15,    // paste, cut and paste
    CellsFromData = 16,  // "Данные из файла", cells written by a macro
    Resized = 17,        // "Свойства таблицы": the row and column counts
};

// Whether undoing or redoing a record of this kind changes what formulas read.
constexpr bool undoSetsRecalculation(UndoKind k) {
    const int n = static_cast<int>(k);
    return n == 6 || n == 8 || n == 9 || n == 10 || (n >= 12 && n <= 16);
}

// Everything a cell holds: its grid record and its entries (or their absence)
// in the four content maps.
struct CellImage {
    CellKey key;
    TableCell cell;
    std::optional<std::string> text;
    std::optional<phonotab::CellBinding> binding;
    std::optional<phonotab::CellFormula> formula;
    std::optional<std::string> macro;
};

// A formula or macro text as it was before a deletion rewrote it beyond what
// re-inserting the row or column gives back (references turned into "?").
struct RewrittenText {
    CellKey key;
    bool isMacro = false;
    std::string text;
};

struct UndoRecord {
    UndoKind kind = UndoKind::CellText;
    int index = 0;          // row or column of a structure or flag record; rows to go back to of a resize
    int templateIndex = 0;  // template row or column of an insertion; columns to go back to of a resize
    std::vector<CellImage> cells;
    std::vector<RewrittenText> rewritten;
};

class UndoHistory {
public:
    static constexpr std::size_t Capacity = 10;

    // Discards the redo part, appends the record and drops the oldest beyond ten.
    void record(UndoRecord r);
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < records_.size(); }
    // The record to undo (the position steps back), or null.
    UndoRecord* stepBack();
    // The record to redo (the position steps forward), or null.
    UndoRecord* stepForward();
    void clear();
    std::size_t size() const { return records_.size(); }
    std::size_t position() const { return position_; }
    const UndoRecord& at(std::size_t i) const { return records_[i]; }

    // Records are numbered in the order they were recorded: the number of the
    // last one (there must be one), and a record by its number while the
    // history still keeps it. A record undone and then replaced by a new one
    // hands its number on, so numbers are for the records of a stretch
    // without undo.
    std::size_t numberOfLast() const { return dropped_ + records_.size() - 1; }
    UndoRecord* numbered(std::size_t number) {
        return number >= dropped_ && number - dropped_ < records_.size() ? &records_[number - dropped_] : nullptr;
    }

private:
    std::deque<UndoRecord> records_;
    std::size_t position_ = 0;
    std::size_t dropped_ = 0;  // records dropped from the front or cleared
};

}  // namespace phonotab
