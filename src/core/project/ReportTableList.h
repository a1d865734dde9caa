// The order of the report's tables, and the illustrations that show a table's
// graph: they name their table by its position, so every move and removal of
// a table carries them along. The report window's table tab menu ("Сместить
// влево/вправо по номерам", "Удалить таблицу") changes the project through these.
#pragma once

#include <cstddef>
#include <vector>

#include "core/project/ProjectState.h"

namespace phonotab {

// Swaps two report tables; each graph illustration keeps showing the table it
// showed. False (nothing changed) for a position outside the list.
bool SwapReportTables(ProjectState& project, std::size_t a, std::size_t b);

// The positions of the illustrations that show the table's graph: they go
// with the table, so the user is asked before it is removed.
std::vector<std::size_t> IllustrationsOfTable(const ProjectState& project, std::size_t table);

// Removes the table and the illustrations of its graph; the illustrations of
// the tables after it follow them down. False (nothing changed) for a
// position outside the list.
bool RemoveReportTable(ProjectState& project, std::size_t table);

}  // namespace phonotab
