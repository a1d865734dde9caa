#include "core/tables/FormulaReplication.h"

#include <vector>

#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/TableCommands.h"

namespace phonotab {

std::string upperCaseFormula(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string InitialFormulaText(const ReportTable& table, const TableSelection& selection) {
    const CellKey topLeft{selection.rect.left, selection.rect.top};
    auto it = table.formulas.find(topLeft);
    if (it == table.formulas.end() || (!it->second.text.empty() && it->second.text[0] == '#')) return {};
    return it->second.text;
}

void ReplicateFormula(ReportTable& table, const TableSelection& selection, const std::string& text) {
    std::string running = upperCaseFormula(text);
    std::vector<CellKey> cells(selection.cells.begin(), selection.cells.end());
    RecordCellsForUndo(table, UndoKind::CellFormula, cells);
    const bool singleRow = selection.rect.top == selection.rect.bottom - 1;
    // An emptied formula takes the formula away: the cell would show "???" for ever.
    const bool erase = running.find_first_not_of(" \t\r\n") == std::string::npos;
    for (CellKey k : cells) {
        if (!table.inside(k) || table.covered(k.column, k.row)) continue;
        if (erase) {
            table.formulas.erase(k);
            continue;
        }
        table.formulas[k] = CellFormula{running, 0.0, FormulaState::Pending};
        if (singleRow)
            ShiftReferences(running, std::nullopt, 1, 0, false, true);
        else
            ShiftReferences(running, std::nullopt, 0, 1, false, true);
    }
    table.SetModified();
    table.RequestRecalculation();
}

}  // namespace phonotab
