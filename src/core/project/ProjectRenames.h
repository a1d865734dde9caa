// Names that the project's tables use: the reference names of the project's
// files (read by the cells' data bindings) and the names of reference books
// (read by "#book#index" formulas). Renaming a name renames its uses with it,
// so that no table silently loses its values.
#pragma once

#include <string>
#include <string_view>

#include "core/project/ProjectState.h"

namespace phonotab {

// How many bindings of the project's tables read the source.
int sourceUses(const ProjectState& state, std::string_view sourceName);
// Points every binding of the old source at the new name; the tables touched
// are marked modified and recalculated.
void renameSourceUses(ProjectState& state, std::string_view oldName, const std::string& newName);

// How many "#book#index" references of the project's tables read the book:
// formulas of that form, and the same form inside cell macros ("B2=#book#3").
int bookUses(const ProjectState& state, std::string_view book);
int bookUses(const ReportTable& table, std::string_view book);
// Rewrites the book's name in those formulas and macros (the index stays as
// written); the tables touched are marked modified and recalculated. The
// table form serves tables open in windows outside the project; it tells
// whether the table changed.
void renameBookUses(ProjectState& state, std::string_view oldBook, std::string_view newBook);
bool renameBookUses(ReportTable& table, std::string_view oldBook, std::string_view newBook);

}  // namespace phonotab
