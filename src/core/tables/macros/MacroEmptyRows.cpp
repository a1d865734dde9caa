#include "core/tables/macros/MacroEmptyRows.h"

#include <charconv>
#include <set>
#include <string_view>

#include "core/tables/TableCellCommands.h"
#include "core/tables/macros/MacroText.h"

namespace phonotab {

namespace {

// The cells a macro writes into, and the rows it copies into whole.
void collectTargets(const std::string& macro, std::set<CellKey>& cells, std::set<int>& rows) {
    for (const std::string& variant : SplitMacroVariants(StripMacroText(macro)))
        for (const std::string& statement : SplitMacroStatements(variant)) {
            if (const std::size_t eq = statement.find('='); eq != std::string::npos) {
                for (CellKey k : ReferencedCells(statement.substr(0, eq))) cells.insert(k);
                continue;
            }
            if (!startsWithWord(statement, 0, "SCOPY")) continue;
            // "SCOPY X, Y" or "SCOPY(X, Y)": X is the row copied into.
            std::string_view rest = std::string_view(statement).substr(5);
            while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '(')) rest.remove_prefix(1);
            const std::string_view first = trimMacroBlanks(rest.substr(0, rest.find_first_of(",)")));
            int row = 0;
            const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), row);
            if (error == std::errc() && end == first.data() + first.size() && row >= 1) rows.insert(row - 1);
        }
}

}  // namespace

std::vector<int> RowsLeftEmptyByMacros(const ReportTable& table, const DisplayTexts& shown) {
    if (table.macros.empty()) return {};
    std::set<CellKey> targets;
    std::set<int> copiedRows;
    for (const auto& [cell, macro] : table.macros) collectTargets(macro, targets, copiedRows);

    std::vector<int> out;
    for (int row = 0; row < table.rowCount(); ++row) {
        bool written = copiedRows.count(row) != 0;
        if (!written)
            for (const CellKey& k : targets)
                written |= k.row == row && table.inside(k) && !table.macros.count(k);
        if (!written) continue;
        bool empty = true;
        for (int column = 0; column < table.columnCount() && empty; ++column) {
            if (table.cell(column, row).flags & cellflag::CoveredFromAbove) empty = false;
            else if (!table.macros.count({column, row}) && !shown.at(column, row).empty()) empty = false;
        }
        if (empty) out.push_back(row);
    }
    return out;
}

}  // namespace phonotab
