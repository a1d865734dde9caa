// Fuzzes the formula language: the input's lines become the cells of a small
// table (formulas when a line starts with "=", texts otherwise), which is drawn;
// each line is also evaluated on its own and its references shifted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/project/ReferenceBooks.h"
#include "core/tables/FormulaEvaluator.h"
#include "core/tables/formula/ShiftReferences.h"
#include "core/tables/TableCommands.h"
#include "core/tables/TableDrawing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    static const ReferenceBooks books = [] {
        ReferenceBooks b;
        b.referenceBooks["B"] = {{60, "a"}, {70, "b"}};
        return b;
    }();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ReportTable t(6, 6);
    if (size > 0 && (data[0] & 1)) MergeCellsCommand(t, CellRect{1, 1, 3, 3});
    std::size_t pos = 0;
    int slot = 0;
    std::vector<std::string> lines;
    while (pos <= input.size() && slot < 36) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string_view::npos) end = input.size();
        std::string line(input.substr(pos, end - pos));
        const CellKey k{slot % 6, slot / 6};
        if (!line.empty() && line[0] == '=')
            t.formulas[k] = CellFormula{line.substr(1), 0, FormulaState::Pending};
        else
            t.texts[k] = line;
        lines.push_back(std::move(line));
        ++slot;
        pos = end + 1;
    }
    const DisplayTexts shown = DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    // Each line is shifted one of six ways, picked by its position: an input
    // costs one shift a line while the corpus covers all six.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        (void)EvaluateFormulaText(t, shown, lines[i], &books);
        std::string shifted = lines[i];
        const int d = i % 6 < 3 ? -1 : 1;
        switch (i % 3) {
            case 0: ShiftReferences(shifted, shiftRegionFrom(0, 2), 0, d, true, false); break;
            case 1: ShiftReferences(shifted, std::nullopt, d, 0, false, true); break;
            default: ShiftReferences(shifted, CellRect{1, 1, 3, 3}, d, d, false, false); break;
        }
    }
    // Structural changes rewrite every formula; the drawing must still hold.
    DeleteRowCommand(t, 2);
    InsertColumnCommand(t, 1, 0);
    (void)DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    while (t.Undo()) {
    }
    (void)DrawDisplayTexts(t, TableEnvironment{&books, nullptr});
    return 0;
}
