// The private clipboard block of copied or cut table cells: which table they
// come from, whether they were cut, and the rectangle. It travels under the
// private clipboard type and is read back on paste; since any program can put
// bytes under that type, reading checks every field.
//
// 24 bytes, little-endian:
//   0  uint32  identifier of the source table (OpenTables)
//   4  uint32  1 = cut, 0 = copy
//   8  int32   first column     12  int32  first row
//  16  int32   last column      20  int32  last row     (inclusive)
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/base/Bytes.h"
#include "core/tables/CellKey.h"

namespace phonotab {

struct CellBlock {
    static constexpr std::size_t Size = 24;

    std::uint32_t sourceTable = 0;
    bool cut = false;
    CellRect rect;  // right and bottom exclusive, as everywhere in the tables

    std::array<std::uint8_t, Size> bytes() const;
    // The block, or nothing when the bytes are not one: a size other than 24, a
    // cut flag other than 0 or 1, a reversed rectangle or one that leaves the
    // largest table (1000 x 1000).
    static std::optional<CellBlock> read(ByteSpan bytes);
};

}  // namespace phonotab
