#include "core/tables/io/CellBlockPaste.h"

#include <algorithm>
#include <set>

#include "core/tables/io/CellBlock.h"
#include "core/tables/formula/ShiftReferences.h"

namespace phonotab {

namespace {

constexpr std::uint32_t kReportBits = cellflag::RowExcluded | cellflag::ColumnExcluded;

CellRect clipTo(CellRect r, const ReportTable& t) {
    r.right = std::min(r.right, t.columnCount());
    r.bottom = std::min(r.bottom, t.rowCount());
    return r;
}

// Cells outside both rectangles whose formula or macro text the shift after a
// cut rewrites: their images go into the undo record too.
std::set<CellKey> textsRewrittenByShift(const ReportTable& t, CellRect source, CellRect target, int dc, int dr) {
    std::set<CellKey> keys;
    auto outside = [&](CellKey k) {
        return !source.contains(k.column, k.row) && !target.contains(k.column, k.row);
    };
    auto check = [&](CellKey k, const std::string& text) {
        if (!outside(k)) return;
        std::string shifted = text;
        ShiftReferences(shifted, source, dc, dr, false, false);
        if (shifted != text) keys.insert(k);
    };
    for (const auto& [k, f] : t.formulas) check(k, f.text);
    for (const auto& [k, m] : t.macros) check(k, m);
    return keys;
}

}  // namespace

CellPasteOutcome PasteCellBlock(const OpenTables& tables, ReportTable& target, ByteSpan bytes, CellKey at) {
    const std::optional<CellBlock> block = CellBlock::read(bytes);
    if (!block || !target.inside(at)) return {};
    const ReportTable* source = tables.find(block->sourceTable);
    if (!source) return {};
    const bool sameTable = source == &target;
    if (sameTable && at.column == block->rect.left && at.row == block->rect.top) return {};
    const bool cut = block->cut && sameTable;

    // The part of the block that exists in the source and fits into the target.
    CellRect from = clipTo(block->rect, *source);
    const int width = std::min(from.right - from.left, target.columnCount() - at.column);
    const int height = std::min(from.bottom - from.top, target.rowCount() - at.row);
    if (width <= 0 || height <= 0) return {};
    from.right = from.left + width;
    from.bottom = from.top + height;
    const CellRect to{at.column, at.row, at.column + width, at.row + height};
    const int dc = to.left - from.left;
    const int dr = to.top - from.top;

    // Before-images of every cell the paste changes.
    UndoRecord undo;
    undo.kind = UndoKind::CellsPasted;
    for (int c = to.left; c < to.right; ++c)
        for (int r = to.top; r < to.bottom; ++r) undo.cells.push_back(target.imageOf({c, r}));
    if (cut) {
        for (int c = from.left; c < from.right; ++c)
            for (int r = from.top; r < from.bottom; ++r)
                if (!to.contains(c, r)) undo.cells.push_back(target.imageOf({c, r}));
        for (CellKey k : textsRewrittenByShift(target, from, to, dc, dr)) undo.cells.push_back(target.imageOf(k));
    }

    // Walk against the direction of the move, so that inside one table every
    // source cell is read before the paste overwrites it.
    const int firstRow = dr > 0 ? height - 1 : 0, rowStep = dr > 0 ? -1 : 1;
    const int firstColumn = dc > 0 ? width - 1 : 0, columnStep = dc > 0 ? -1 : 1;
    for (int i = 0, r = firstRow; i < height; ++i, r += rowStep) {
        for (int j = 0, c = firstColumn; j < width; ++j, c += columnStep) {
            CellImage image = source->imageOf({from.left + c, from.top + r});
            image.key = {to.left + c, to.top + r};
            const std::uint32_t ownReportBits = target.cell(image.key).flags & kReportBits;
            image.cell.flags = (image.cell.flags & ~kReportBits) | ownReportBits;
            target.restoreImage(image);
        }
    }

    if (cut) {
        for (int c = from.left; c < from.right; ++c)
            for (int r = from.top; r < from.bottom; ++r) {
                if (to.contains(c, r)) continue;
                const CellKey k{c, r};
                target.texts.erase(k);
                target.bindings.erase(k);
                target.formulas.erase(k);
                target.macros.erase(k);
            }
        for (auto& [k, f] : target.formulas) ShiftReferences(f.text, from, dc, dr, false, false);
        for (auto& [k, m] : target.macros) ShiftReferences(m, from, dc, dr, false, false);
    }

    target.RecordUndo(std::move(undo));
    target.SetModified();
    target.RequestRecalculation();
    return {true, cut};
}

}  // namespace phonotab
