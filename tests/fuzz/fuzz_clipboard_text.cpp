// Fuzzes pasting clipboard text into a table: the first byte picks the target
// cell, the rest is the text. The pasted table must copy back, give sound
// HTML clipboard bytes, and undo to what it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/tables/io/TableClipboardText.h"
#include "core/tables/TableDrawing.h"
#include "core/tables/io/TableFile.h"
#include "core/tables/io/TableHtml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    if (size < 1) return 0;
    ReportTable t(5, 4);
    t.formulas[{3, 4}] = CellFormula{"SUM(A1:C4)", 0, FormulaState::Pending};
    t.cell(0, 2).flags |= cellflag::RowExcluded;
    const std::vector<std::uint8_t> before = TableFile::SaveBytes(t);

    const CellKey first{data[0] & 0x07, (data[0] >> 3) & 0x07};
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool pasted = PasteTableText(t, first, text);
    const DisplayTexts shown = DrawDisplayTexts(t, TableEnvironment{});
    (void)TableSelectionText(t, shown, CellRect{0, 0, 4, 5});
    const std::optional<ClipboardHtml> html = TableClipboardHtml(t, shown, HtmlColours::Colour);
    if (!html || html->bytes.empty() || html->bytes.back() != '\0' || html->endHtml + 1 != html->bytes.size() ||
        html->bytes.compare(html->startHtml, 6, "<HTML>") != 0)
        std::abort();
    if (pasted && !t.Undo()) std::abort();
    if (TableFile::SaveBytes(t) != before) std::abort();
    return 0;
}
