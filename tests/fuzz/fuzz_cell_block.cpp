// Fuzzes the private cell block read on paste: the bytes minus the last two are
// the block, the last two the target cell; the high bit of the column byte picks
// the other open table as the target. Whatever the paste did, undoing it must
// give the target table back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/tables/io/CellBlockPaste.h"
#include "core/tables/TableCommands.h"
#include "core/tables/io/TableFile.h"

namespace {

phonotab::ReportTable sampleTable(int rows, int columns) {
    using namespace phonotab;
    ReportTable t(rows, columns);
    t.texts[{0, 0}] = "caption";
    t.texts[{1, 2}] = "12.5";
    t.formulas[{2, 3}] = CellFormula{"SUM(A1:B3)+$C$1", 0, FormulaState::Pending};
    t.formulas[{3, 0}] = CellFormula{"B3*2", 0, FormulaState::Pending};
    t.bindings[{0, 4}] = CellBinding{"yard", 0x11000102, 2, 58.4};
    t.macros[{1, 1}] = "RHIDE 3";
    t.cell(0, 1).flags |= cellflag::RowExcluded;
    t.cell(2, 0).flags |= cellflag::ColumnExcluded;
    MergeCellsCommand(t, CellRect{1, 3, 3, 5});
    t.clearUndoHistory();
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    if (size < 2) return 0;
    ReportTable a = sampleTable(6, 5);
    ReportTable b = sampleTable(4, 7);
    OpenTables open(1);  // a is table 1, b table 2
    open.add(a);
    open.add(b);
    const std::uint8_t columnByte = data[size - 2];
    const std::uint8_t rowByte = data[size - 1];
    ReportTable& target = (columnByte & 0x80) ? b : a;
    const CellKey at{columnByte & 0x7F, rowByte};

    const std::vector<std::uint8_t> before = TableFile::SaveBytes(target);
    const CellPasteOutcome r = PasteCellBlock(open, target, ByteSpan(data, size - 2), at);
    for (const auto& [k, v] : target.formulas)
        if (!target.inside(k)) std::abort();
    if (r.pasted) {
        if (!target.Undo()) std::abort();
        if (TableFile::SaveBytes(target) != before) std::abort();
    } else if (TableFile::SaveBytes(target) != before) {
        std::abort();
    }
    return 0;
}
