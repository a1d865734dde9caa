// The hint the table window shows while the mouse rests on a cell: what the
// cell holds, in words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/tables/ProjectSourceList.h"
#include "core/tables/ReferenceBookLookup.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The reference books with the texts of their entries (hints name them).
class ReferenceBookEntries : public ReferenceBookLookup {
public:
    // The text of the index-th entry of the named book; nothing when the book or
    // the entry is missing.
    virtual std::optional<std::string> referenceText(std::string_view book, long long index) const = 0;
};

struct CellHintEnvironment {
    const ReferenceBookEntries* books = nullptr;
    const ProjectSourceList* sources = nullptr;
};

// The hint of a cell, after what the cell shows (a formula before a binding
// before a user text):
// - a "#book#index" formula: "book, entry text", or "book, value" ("%.2lf")
//   when the entry has no text; the formula text when the entry is missing;
// - any other formula: its text;
// - a bound cell: "name [path]: parameter item", or 244 when the source is
//   not in the project;
// - a user text: the text with its line breaks shown as blanks.
// A cell with a macro adds " (двойной щелчок)". Empty for an empty cell.
std::string CellHintText(const ReportTable& table, CellKey cell, const CellHintEnvironment& env);

// The name of a binding's item: the source's name, minimum, maximum, Leq, its
// time, or the percentile ("Процентиль L%.0lf").
std::string bindingItemName(const CellBinding& binding, const ProjectSourceList* sources);

}  // namespace phonotab
