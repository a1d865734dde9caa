#include "core/tables/TableDrawing.h"

#include <utility>

#include "core/base/CFormat.h"
#include "core/tables/formula/CellNumberFormat.h"
#include "core/tables/FormulaEvaluator.h"

namespace phonotab {

std::string fileStem(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

DisplayTexts DrawDisplayTexts(ReportTable& table, const TableEnvironment& env) {
    DisplayTexts shown(table.rowCount(), table.columnCount());

    for (const auto& [k, text] : table.texts)
        if (table.inside(k)) shown.set(k, text);

    for (const auto& [k, b] : table.bindings) {
        if (!table.inside(k)) continue;
        std::string text = NoValueText;
        if (b.itemIndex < 0) {
            if (env.sources)
                if (std::optional<std::string> path = env.sources->sourceFilePath(b.sourceName)) text = fileStem(*path);
        } else if (b.value >= 0) {
            text = cformat("%.1lf", b.value);
        }
        shown.set(k, std::move(text));
    }

    if (table.recalculationRequested())
        EvaluateAllFormulas(table, shown, env.books);
    else
        EvaluatePendingFormulas(table, shown, env.books);
    for (const auto& [k, f] : table.formulas) {
        if (!table.inside(k)) continue;
        shown.set(k, f.valid() ? FormatCellNumber(table.cell(k).numberFormat, f.value) : NoValueText);
    }
    table.clearRecalculationRequest();
    return shown;
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
