// Running the macro of a table cell.
//
// A macro is a small script stored upper-cased in a cell:
//   /* a comment */                      removed before anything else
//   variant one --- variant two          the user picks one from a menu
//   SELS{title,option,...}               replaced by the option the user picks
//   SELN{title,option,...}               replaced by its number (from 1)
//   FIX{r1c1}                            items that stay fixed for the run
//   CHECK{t1}                            the loaded file must match the items
//   A1 = B1*2; #X = {b3}; C1 = [TEXT]#X  assignments (values, texts, named values)
//   RHIDE 5; RSHOW C; INSCP 6,5; DELCP 7; SCOPY 8,5   row and column commands
// Any "{...}" data address makes the macro ask for a data file and a
// parameter of it; "{...}" in an expression reads a value of that file.
//
// Every question goes through MacroDialogs. A dismissed variant menu, file
// dialog or parameter dialog, an unreadable data address, a file that does
// not load or a failed check ends the run; what was changed before stays and
// undoes in one step.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/tables/DataFileAccess.h"
#include "core/tables/ReportTable.h"
#include "core/tables/TableDrawing.h"

namespace phonotab {

class MacroDialogs : public DataFileDialogs {
public:
    // The popup menu of the variants; nothing when dismissed.
    virtual std::optional<std::size_t> chooseVariant(const std::vector<std::string>& variants) = 0;
    // The popup menu of a choice: the title (greyed), a separator, the options;
    // the 0-based option, nothing when dismissed.
    virtual std::optional<std::size_t> chooseOption(const std::string& title, const std::vector<std::string>& options) = 0;
};

enum class MacroEnd {
    NoMacro,    // the cell holds none
    Completed,  // every statement was run
    Cancelled,  // the user dismissed a menu or dialog
    Failed,     // a message was shown and the run stopped
};

// Runs the macro of the cell. env supplies the reference books and sources for
// the formulas the macro evaluates; loader (may be null: no file can be read)
// loads the data files it asks for. When anything changed the table is marked
// modified and a full recalculation is requested.
MacroEnd RunMacro(ReportTable& table, CellKey cell, MacroDialogs& dialogs, DataFileLoader* loader,
                  const TableEnvironment& env);

}  // namespace phonotab
