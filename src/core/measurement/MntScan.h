// Histogram blocks interleaved with the records of "mnt" record files.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/Bytes.h"
#include "core/base/Progress.h"

namespace phonotab {

constexpr std::size_t kMntBlockSize = 4096;
constexpr std::uint16_t kMntBlockMarker = 0xAAAA;

struct MntBlock {
    std::uint16_t tag = 0;
    std::uint64_t offset = 0;
};

struct MntScanResult {
    std::vector<std::uint64_t> recordOffsets;  // header record included
    std::vector<MntBlock> blocks;
};

// Walks the file from the end of the header record: a u32 whose low word is
// 0xAAAA starts a 4096-byte block, one whose low word is the type code starts a
// record; anything else (or a block or record cut off by the end of the file)
// ends the scan.
// A stop asked for through the progress ends the scan early (the caller then
// discards the result).
MntScanResult ScanMntFile(ByteSpan file, std::uint32_t recordSize, std::uint16_t typeCode,
                          const Progress& progress = {});

// The complete histogram sets among the blocks. A set runs from a tag-0 block
// to the next; blocks before the first tag-0 block and those of an incomplete
// last set are discarded.
struct MntHistogramSets {
    int tagZeroBlocks = 0;
    std::size_t firstBlock = 0;     // index of the first tag-0 block
    std::size_t blocksPerSet = 0;
    std::size_t setCount = 0;
    // The data records just before the contiguous run of blocks that ends at the
    // first tag-0 block, and just before the last run (-1 when outside the file).
    std::int64_t firstRunRecordOffset = -1;
    std::int64_t lastRunRecordOffset = -1;

    std::uint64_t blockOffset(const std::vector<MntBlock>& blocks, std::size_t set, std::size_t inSet) const {
        return blocks[firstBlock + set * blocksPerSet + inSet].offset;
    }
};

MntHistogramSets FindMntHistogramSets(const std::vector<MntBlock>& blocks, std::uint32_t recordSize);

}  // namespace phonotab
