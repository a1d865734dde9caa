// "Данные из проекта": binding the selected cells to the results of the
// project's data sources.
#pragma once

#include <string>
#include <vector>

#include "core/tables/CellCommandDialogs.h"
#include "core/tables/ProjectSourceList.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// Whether bindings (in the walk order of a selection) form one sequence of the
// kind the command creates: one source with parameter codes rising by 1 in the
// low byte, or consecutive data sources of the project (the last one repeated)
// with one parameter code; the same item throughout. None or one binding
// always does.
bool BindingsFormSequence(const std::vector<CellBinding>& bindings, const std::vector<std::string>& sourceNames);

// The command. Nothing happens when the project has no data sources. When a
// selected cell holds a formula, or the bindings already in the selection form
// no sequence, 234 is asked first. The parameter dialog starts with the
// top-left cell's binding and the number of fillable cells. Then each fillable
// cell, column by column and top to bottom, is bound to the current source and
// code with the chosen item (no value yet) and loses its text and formula;
// after each cell the code rises by 1, or with "один параметр по нескольким
// файлам" the source moves to the next one of the project (the last one is
// kept when the list ends). 244 when the chosen source is not in the project,
// 397 when a further source's file type or work mode differs from the first
// one's; the table is left unchanged then.
bool ProjectDataCommand(ReportTable& table, const TableSelection& selection, const ProjectSourceList& sources,
                        CellCommandDialogs& dialogs);

}  // namespace phonotab
