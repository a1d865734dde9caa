#include "tables/TableDrawing.h"

#include "base/CFormat.h"
#include "tables/formula/CellNumberFormat.h"
#include "tables/FormulaEvaluator.h"

namespace phonotab {

std::string fileStem(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

void FillDisplayTexts(ReportTable& table, const TableEnvironment& env) {
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c) table.cell(c, r).displayText.clear();

    for (const auto& [k, text] : table.texts)
        if (table.inside(k)) table.cell(k).displayText = text;

    for (const auto& [k, b] : table.bindings) {
        if (!table.inside(k)) continue;
        std::string& shown = table.cell(k).displayText;
        shown = NoValueText;
        if (b.itemIndex < 0) {
            if (env.sources)
                if (std::optional<std::string> path = env.sources->sourceFilePath(b.sourceName)) shown = fileStem(*path);
        } else if (b.value >= 0) {
            shown = cformat("%.1lf", b.value);
        }
    }

    if (table.recalculationRequested()) ResetFormulas(table);
    EvaluatePendingFormulas(table, env.books);
    for (const auto& [k, f] : table.formulas) {
        if (!table.inside(k)) continue;
        TableCell& cell = table.cell(k);
        cell.displayText = f.valid() ? FormatCellNumber(cell.numberFormat, f.value) : NoValueText;
    }
    table.clearRecalculationRequest();
}

CellBox cellBox(const ReportTable& table, int column, int row) {
    CellBox box;
    box.x = GridLeft;
    for (int c = 0; c < column; ++c) box.x += table.cell(c, 0).width;
    box.y = GridTop;
    for (int r = 0; r < row; ++r) box.y += table.cell(0, r).height;
    box.width = table.cell(column, 0).width;
    for (int c = column + 1; c < table.columnCount() && (table.cell(c, row).flags & cellflag::CoveredFromLeft); ++c)
        box.width += table.cell(c, 0).width;
    box.height = table.cell(0, row).height;
    for (int r = row + 1; r < table.rowCount() && (table.cell(column, r).flags & cellflag::CoveredFromAbove); ++r)
        box.height += table.cell(0, r).height;
    return box;
}

}  // namespace phonotab
