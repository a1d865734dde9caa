#include "core/tables/io/CellBlock.h"

#include <algorithm>

#include "core/tables/ReportTable.h"

namespace phonotab {

std::array<std::uint8_t, CellBlock::Size> CellBlock::bytes() const {
    ByteWriter w;
    w.u32(sourceTable);
    w.u32(cut ? 1 : 0);
    w.i32(rect.left);
    w.i32(rect.top);
    w.i32(rect.right - 1);
    w.i32(rect.bottom - 1);
    std::array<std::uint8_t, Size> out{};
    std::copy_n(w.data().begin(), Size, out.begin());
    return out;
}

std::optional<CellBlock> CellBlock::read(ByteSpan bytes) {
    if (bytes.size() != Size) return std::nullopt;
    ByteReader r(bytes);
    CellBlock b;
    b.sourceTable = r.u32();
    const std::uint32_t cut = r.u32();
    const std::int32_t firstColumn = r.i32();
    const std::int32_t firstRow = r.i32();
    const std::int32_t lastColumn = r.i32();
    const std::int32_t lastRow = r.i32();
    if (!r.ok() || cut > 1) return std::nullopt;
    if (firstColumn < 0 || firstRow < 0 || lastColumn < firstColumn || lastRow < firstRow ||
        lastColumn >= ReportTable::MaxColumns || lastRow >= ReportTable::MaxRows)
        return std::nullopt;
    b.cut = cut == 1;
    b.rect = CellRect{firstColumn, firstRow, lastColumn + 1, lastRow + 1};
    return b;
}

}  // namespace phonotab
