#include "core/measurement/MntScan.h"

namespace phonotab {

namespace {
constexpr std::uint64_t kProgressBytes = 1u << 22;  // a progress report every 4 MiB scanned
}  // namespace

MntScanResult ScanMntFile(ByteSpan file, std::uint32_t recordSize, std::uint16_t typeCode, const Progress& progress) {
    MntScanResult r;
    if (recordSize == 0 || file.size() < recordSize) return r;
    r.recordOffsets.push_back(0);
    std::uint64_t offset = recordSize;
    std::uint64_t nextReport = kProgressBytes;
    while (offset + 4 <= file.size()) {
        if (offset >= nextReport) {
            if (!progress.report(static_cast<double>(offset) / static_cast<double>(file.size()))) break;
            nextReport = offset + kProgressBytes;
        }
        const std::uint32_t v = loadU32(file.data() + offset);
        const std::uint16_t low = static_cast<std::uint16_t>(v & 0xFFFF);
        if (low == kMntBlockMarker) {
            if (file.size() - offset < kMntBlockSize) break;
            r.blocks.push_back({static_cast<std::uint16_t>(v >> 16), offset});
            offset += kMntBlockSize;
        } else if (low == typeCode) {
            if (file.size() - offset < recordSize) break;
            r.recordOffsets.push_back(offset);
            offset += recordSize;
        } else {
            break;
        }
    }
    return r;
}

MntHistogramSets FindMntHistogramSets(const std::vector<MntBlock>& blocks, std::uint32_t recordSize) {
    MntHistogramSets s;
    std::size_t first = blocks.size(), second = blocks.size();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].tag != 0) continue;
        ++s.tagZeroBlocks;
        if (first == blocks.size())
            first = i;
        else if (second == blocks.size())
            second = i;
    }
    if (s.tagZeroBlocks < 2) return s;
    s.firstBlock = first;
    s.blocksPerSet = second - first;
    // The last block of a complete set carries the tag of the block just before
    // the second tag-0 block; everything after the last such block is an
    // incomplete set.
    const std::uint16_t lastTag = blocks[second - 1].tag;
    std::size_t last = second - 1;
    for (std::size_t i = blocks.size(); i-- > second - 1;) {
        if (blocks[i].tag == lastTag) {
            last = i;
            break;
        }
    }
    s.setCount = (last + 1 - first) / s.blocksPerSet;

    auto contiguous = [&](std::size_t i) {  // block i directly follows block i-1
        return i > 0 && blocks[i].offset == blocks[i - 1].offset + kMntBlockSize;
    };
    std::size_t runStart = first;
    while (contiguous(runStart)) --runStart;
    std::size_t lastRunStart = blocks.size() - 1;
    while (contiguous(lastRunStart)) --lastRunStart;
    auto recordBefore = [&](std::size_t i) -> std::int64_t {
        return blocks[i].offset >= recordSize ? static_cast<std::int64_t>(blocks[i].offset - recordSize) : -1;
    };
    s.firstRunRecordOffset = recordBefore(runStart);
    s.lastRunRecordOffset = recordBefore(lastRunStart);
    return s;
}

}  // namespace phonotab
