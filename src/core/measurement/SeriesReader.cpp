#include "measurement/SeriesReader.h"

#include <algorithm>

#include "measurement/RecordDecoder.h"

namespace phonotab {

double ValueLocator::read(ByteSpan sample) const {
    if (offset < 0 || sample.size() < static_cast<std::size_t>(offset) + size) return kNoValue;
    return decodeMeasuredValue(fieldCode, sample.data() + offset);
}

ValueLocator locateParameter(const MeasurementFile& file, FieldCode code) {
    const RecordLayout& l = file.layout;
    std::vector<FieldCode> candidates{code};
    if (field::isMeasuredValue(code) && field::encoding(code) == 0) {
        const unsigned high = (code >> 24) & 0xF;  // kind's top nibble: 1 or 2
        const FieldCode other = (code & ~0x0F000000u) | ((high == 1 ? 2u : 1u) << 24);
        candidates = {code, other, code | 0x50000000u, other | 0x50000000u};
    }
    for (FieldCode c : candidates) {
        const int off = l.offsetOf(c);
        if (off < 0) continue;
        ValueLocator v;
        v.offset = off;
        v.fieldCode = c;
        v.size = field::size(c);
        return v;
    }
    return {};
}

Result<SampleSource> SampleSource::open(const MeasurementFile& file) {
    SampleSource s;
    s.file_ = &file;
    if (file.isMonitoring()) {
        const auto& entries = file.monitoring.entries;
        s.entryBytes_.reserve(entries.size() * kMonitoringEntryWords * 2);
        for (const auto& e : entries)
            for (std::uint16_t w : e) {
                s.entryBytes_.push_back(static_cast<std::uint8_t>(w & 0xFF));
                s.entryBytes_.push_back(static_cast<std::uint8_t>(w >> 8));
            }
        return s;
    }
    if (!s.map_.open(file.path)) return Message(105, file.path);
    return s;
}

ByteSpan SampleSource::sample(std::int64_t i) const {
    if (i < 0 || i >= file_->count) return {};
    if (file_->isMonitoring()) {
        const std::size_t n = kMonitoringEntryWords * 2;
        const std::size_t at = static_cast<std::size_t>(i) * n;
        if (at + n > entryBytes_.size()) return {};
        return ByteSpan(entryBytes_.data() + at, n);
    }
    const std::int64_t off = file_->recordOffset(i);
    const ByteSpan bytes = map_.bytes();
    if (off < 0 || static_cast<std::uint64_t>(off) >= bytes.size()) return {};
    const std::size_t avail = bytes.size() - static_cast<std::size_t>(off);
    return bytes.subspan(static_cast<std::size_t>(off), std::min<std::size_t>(avail, file_->recordSize));
}

Result<std::vector<std::vector<double>>> ExtractSeries(const MeasurementFile& file, std::span<const FieldCode> codes,
                                                      std::int64_t first, std::int64_t count,
                                                      const ProgressFn& progress) {
    std::vector<std::vector<double>> out(codes.size());
    first = std::clamp<std::int64_t>(first, 0, file.count);
    count = std::clamp<std::int64_t>(count, 0, file.count - first);

    std::vector<ValueLocator> where;
    std::vector<std::size_t> present;
    for (std::size_t k = 0; k < codes.size(); ++k) {
        where.push_back(locateParameter(file, codes[k]));
        if (where.back().present()) {
            present.push_back(k);
            out[k].resize(static_cast<std::size_t>(count));
        }
    }
    if (present.empty() || count == 0) return out;

    Result<SampleSource> src = SampleSource::open(file);
    if (!src) return src.error();
    constexpr std::int64_t kChunk = 1 << 16;
    for (std::int64_t base = 0; base < count; base += kChunk) {
        const std::int64_t end = std::min(count, base + kChunk);
        for (std::int64_t i = base; i < end; ++i) {
            const ByteSpan s = src->sample(first + i);
            for (std::size_t k : present) out[k][static_cast<std::size_t>(i)] = where[k].read(s);
        }
        if (progress && !progress(static_cast<double>(end) / static_cast<double>(count))) return Message(5006);
    }
    return out;
}

}  // namespace phonotab
