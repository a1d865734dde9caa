// What a cell macro does to its table: assignments to cells and the row and
// column commands RSHOW, RHIDE, INSCP, DELCP and SCOPY, with their undo.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/tables/ReportTable.h"

namespace phonotab {

// Collects the before-images of the cells a macro changes into one undo record
// (kind "cells from data"), so that a whole run undoes in one step. A
// structural change (INSCP, DELCP) moves cells: the record collected so far is
// stored first, and the change records its own.
class MacroChangeLog {
public:
    explicit MacroChangeLog(ReportTable& table) : table_(table) {}
    // Keeps the image of a cell before its first change in this record.
    void touch(CellKey cell);
    // Stores the collected record, if any.
    void flush();
    // A change that records its own undo (structure).
    void noteStructureChange() { changed_ = true; }
    bool changed() const { return changed_; }

private:
    ReportTable& table_;
    UndoRecord record_{UndoKind::CellsFromData, 0, 0, {}, {}};
    std::set<CellKey> seen_;
    bool changed_ = false;
};

// A row or column argument of a command: rows as numbers ("5"), columns as
// letters ("C"), a range of either with ":"; indices 0-based.
struct MacroAxisArgument {
    bool column = false;
    int first = 0;
    int last = 0;
    bool single() const { return first == last; }
};
std::optional<MacroAxisArgument> ParseAxisArgument(std::string_view text);

// A target of an assignment: a cell or a range ("B2", "B2:D4", "$" allowed),
// normalised; nothing when it is neither.
std::optional<CellRect> ParseCellTarget(std::string_view text);

// Writes a result text into every cell of the target that lies in the table
// and is not covered; the cells lose their bindings and formulas.
void AssignCells(ReportTable& table, CellRect target, const std::string& text, MacroChangeLog& log);

// Runs a command statement ("(" read as a blank, ")" as ","). Returns false
// when the statement is no command or its arguments do not fit, and nothing
// changed.
bool RunMacroCommand(ReportTable& table, std::string_view statement, MacroChangeLog& log);

}  // namespace phonotab
