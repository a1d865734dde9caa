#include "core/measurement/SeriesReader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "core/measurement/RecordDecoder.h"

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
    if (!s.map_.open(file.path)) return Message(msg::CannotOpen, file.path);
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

namespace {

// One parameter's values from n equally spaced records, by the encoding of
// its field. On x86-64 two values at a time in SSE2 registers, converted
// exactly as one at a time: every u16, i32 and u32 is a double, and the
// scales are powers of two.
//
// Streamed: non-temporal stores, for a whole series of a large file, which
// is not read again before it has left the caches anyway. A plain store first
// reads the line it writes from memory; a streamed one does not, when the
// line is written whole: out 64-byte aligned and the block a multiple of 8
// values (partial lines are still right, only slower). out must be 16-byte
// aligned for streaming; the caller fences before others read the values.
#if defined(__x86_64__)
template <bool Streamed>
void decodeColumn(unsigned encoding, const std::uint8_t* p, std::size_t stride, std::size_t n, double* out) {
    auto put = [out](std::size_t i, __m128d v) {
        if constexpr (Streamed)
            _mm_stream_pd(out + i, v);
        else
            _mm_storeu_pd(out + i, v);
    };
    std::size_t i = 0;
    switch (encoding) {
        case 0: {
            const __m128i zero = _mm_setzero_si128();
            const __m128d scale = _mm_set1_pd(1.0 / 256.0);
            for (; i + 2 <= n; i += 2) {
                const std::uint32_t pair = loadU16(p + i * stride) | (std::uint32_t{loadU16(p + (i + 1) * stride)} << 16);
                const __m128i ints = _mm_unpacklo_epi16(_mm_cvtsi32_si128(static_cast<int>(pair)), zero);
                put(i, _mm_mul_pd(_mm_cvtepi32_pd(ints), scale));
            }
            for (; i < n; ++i) out[i] = loadU16(p + i * stride) * (1.0 / 256.0);
            break;
        }
        case 5: {
            const __m128d scale = _mm_set1_pd(1.0 / 65536.0);
            for (; i + 2 <= n; i += 2) {
                const std::uint64_t pair = loadU32(p + i * stride) | (std::uint64_t{loadU32(p + (i + 1) * stride)} << 32);
                put(i, _mm_mul_pd(_mm_cvtepi32_pd(_mm_cvtsi64_si128(static_cast<long long>(pair))), scale));
            }
            for (; i < n; ++i) out[i] = static_cast<std::int32_t>(loadU32(p + i * stride)) * (1.0 / 65536.0);
            break;
        }
        case 7: {
            // 2^52 + u in the bits of a double, less 2^52: u exactly.
            const __m128i high = _mm_set1_epi64x(0x4330000000000000);
            const __m128d two52 = _mm_set1_pd(4503599627370496.0);
            for (; i + 2 <= n; i += 2) {
                const __m128i bits = _mm_or_si128(
                    _mm_set_epi64x(loadU32(p + (i + 1) * stride), loadU32(p + i * stride)), high);
                put(i, _mm_sub_pd(_mm_castsi128_pd(bits), two52));
            }
            for (; i < n; ++i) out[i] = static_cast<double>(loadU32(p + i * stride));
            break;
        }
        default:
            std::fill(out, out + n, 0.0);
    }
}
#else
template <bool Streamed>
void decodeColumn(unsigned encoding, const std::uint8_t* p, std::size_t stride, std::size_t n, double* out) {
    switch (encoding) {
        case 0:
            for (std::size_t i = 0; i < n; ++i) out[i] = loadU16(p + i * stride) * (1.0 / 256.0);
            break;
        case 5:
            for (std::size_t i = 0; i < n; ++i)
                out[i] = static_cast<std::int32_t>(loadU32(p + i * stride)) * (1.0 / 65536.0);
            break;
        case 7:
            for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<double>(loadU32(p + i * stride));
            break;
        default:
            std::fill(out, out + n, 0.0);
    }
}
#endif

void streamFence() {
#if defined(__x86_64__)
    _mm_sfence();
#endif
}

// One parameter's values from a block of equally spaced records; a tight
// loop per parameter over a block that stays in the cache.
void extractColumn(const ValueLocator& where, const std::uint8_t* block, std::size_t stride, std::size_t n,
                   double* out, bool streamed = false) {
    const unsigned encoding = field::encoding(where.fieldCode);
    if (streamed && reinterpret_cast<std::uintptr_t>(out) % 16 == 0)
        decodeColumn<true>(encoding, block + where.offset, stride, n, out);
    else
        decodeColumn<false>(encoding, block + where.offset, stride, n, out);
}

// Equally spaced records (record and CBF files): read in blocks with plain
// reads, which costs the same as copying the bytes from the page cache. A
// block is small enough to stay in the core's own cache while each parameter
// is taken from it, and a multiple of 8 records, so that each block writes
// whole cache lines of every series. The range is split between threads at
// multiples of 8 records too; each reads and writes only its own part.
Status extractContiguous(const MeasurementFile& file, const std::vector<ValueLocator>& where,
                         const std::vector<std::size_t>& present, std::int64_t first, std::int64_t count,
                         std::vector<Series>& out, const Progress& progress, const ExtractionTuning& tuning) {
    const int fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Message(msg::CannotOpen, file.path);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const std::size_t rs = file.recordSize;
    const std::size_t perBlock = std::max<std::size_t>(8, tuning.blockBytes / rs / 8 * 8);
    const bool streamed = static_cast<std::uint64_t>(count) * sizeof(double) * present.size() >= tuning.streamedBytes;
    std::atomic<bool> stop{false};

    auto work = [&](std::int64_t from, std::int64_t to, bool reports) {
        std::vector<std::uint8_t> buf(perBlock * rs);
        for (std::int64_t done = from; done < to && !stop.load(std::memory_order_relaxed);) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(to - done, static_cast<std::int64_t>(perBlock)));
            const std::uint64_t at = file.dataOffset + static_cast<std::uint64_t>(first + done) * rs;
            std::size_t got = 0;
            while (got < n * rs) {
                const ssize_t r = ::pread(fd, buf.data() + got, n * rs - got, static_cast<off_t>(at + got));
                if (r <= 0) break;
                got += static_cast<std::size_t>(r);
            }
            const std::size_t whole = std::min(n, got / rs);  // a file cut short since loading: no values
            for (std::size_t k : present) {
                double* dst = out[k].data() + done;
                extractColumn(where[k], buf.data(), rs, whole, dst, streamed);
                std::fill(dst + whole, dst + n, kNoValue);
            }
            done += static_cast<std::int64_t>(n);
            const double fraction =
                static_cast<double>(done - from) / static_cast<double>(std::max<std::int64_t>(to - from, 1));
            if (reports ? !progress.report(fraction) : progress.cancelled()) stop = true;
        }
        if (streamed) streamFence();  // the streamed stores reach memory before the thread is joined
    };

    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * rs;
    const unsigned threads = bytes < tuning.threadedBytes ? 1u
                             : tuning.threads > 0  ? tuning.threads
                                                   : std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> pool;
    const std::int64_t part = ((count + threads - 1) / threads + 7) / 8 * 8;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work, std::min<std::int64_t>(count, part * t), std::min<std::int64_t>(count, part * (t + 1)), false);
    work(0, std::min<std::int64_t>(count, part), true);
    for (auto& th : pool) th.join();
    ::close(fd);
    if (stop) return Message(msg::Cancelled);
    return {};
}

// Where each code lies in a sample; absent for a field that does not fit.
std::vector<ValueLocator> locateAll(const MeasurementFile& file, std::span<const FieldCode> codes) {
    std::vector<ValueLocator> where;
    const std::size_t sampleSize = file.isMonitoring() ? kMonitoringEntryWords * 2 : file.recordSize;
    for (FieldCode code : codes) {
        where.push_back(locateParameter(file, code));
        // A field that does not fit in a sample is as absent as a missing one.
        if (where.back().present() && static_cast<std::size_t>(where.back().offset) + where.back().size > sampleSize)
            where.back() = ValueLocator{};
    }
    return where;
}

}  // namespace

bool SeriesBlockReader::suits(const MeasurementFile& file) { return !file.isMonitoring() && !file.isMnt; }

Result<SeriesBlockReader> SeriesBlockReader::open(const MeasurementFile& file, std::span<const FieldCode> codes) {
    SeriesBlockReader r;
    r.file_ = &file;
    r.where_ = locateAll(file, codes);
    r.fd_ = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (r.fd_ < 0) return Message(msg::CannotOpen, file.path);
    ::posix_fadvise(r.fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return r;
}

SeriesBlockReader::SeriesBlockReader(SeriesBlockReader&& other) noexcept
    : file_(other.file_), fd_(other.fd_), where_(std::move(other.where_)), records_(std::move(other.records_)) {
    other.fd_ = -1;
}

SeriesBlockReader::~SeriesBlockReader() {
    if (fd_ >= 0) ::close(fd_);
}

void SeriesBlockReader::read(std::int64_t first, std::int64_t count, std::vector<std::vector<double>>& out) {
    const std::size_t rs = file_->recordSize;
    const std::size_t n = static_cast<std::size_t>(std::max<std::int64_t>(count, 0));
    records_.resize(n * rs);
    const std::uint64_t at = file_->dataOffset + static_cast<std::uint64_t>(first) * rs;
    std::size_t got = 0;
    while (got < n * rs) {
        const ssize_t r = ::pread(fd_, records_.data() + got, n * rs - got, static_cast<off_t>(at + got));
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    const std::size_t whole = rs ? std::min(n, got / rs) : 0;
    for (std::size_t k = 0; k < where_.size(); ++k) {
        if (!where_[k].present()) continue;
        std::vector<double>& v = out[k];
        const std::size_t old = v.size();
        v.resize(old + n);
        extractColumn(where_[k], records_.data(), rs, whole, v.data() + old);
        std::fill(v.data() + old + whole, v.data() + old + n, kNoValue);
    }
}

Result<std::vector<Series>> ExtractSeries(const MeasurementFile& file, std::span<const FieldCode> codes,
                                                      std::int64_t first, std::int64_t count,
                                                      const Progress& progress,
                                                      const ExtractionTuning& tuning) {
    std::vector<Series> out(codes.size());
    first = std::clamp<std::int64_t>(first, 0, file.count);
    count = std::clamp<std::int64_t>(count, 0, file.count - first);

    const std::vector<ValueLocator> where = locateAll(file, codes);
    std::vector<std::size_t> present;
    for (std::size_t k = 0; k < codes.size(); ++k) {
        if (where[k].present()) {
            present.push_back(k);
            // Uninitialised: every element is written below, by the thread
            // that reads its records (which then also takes its page faults).
            // A large series is aligned to huge pages (allocateLargeArray).
            out[k].resize(static_cast<std::size_t>(count));
        }
    }
    if (present.empty() || count == 0) return out;

    if (!file.isMonitoring() && !(file.isMnt && !file.histogramMode())) {
        Status s = extractContiguous(file, where, present, first, count, out, progress, tuning);
        if (!s) return s.error();
        return out;
    }

    Result<SampleSource> src = SampleSource::open(file);
    if (!src) return src.error();
    constexpr std::int64_t kChunk = 1 << 16;
    for (std::int64_t base = 0; base < count; base += kChunk) {
        const std::int64_t end = std::min(count, base + kChunk);
        for (std::int64_t i = base; i < end; ++i) {
            const ByteSpan s = src->sample(first + i);
            for (std::size_t k : present) out[k][static_cast<std::size_t>(i)] = where[k].read(s);
        }
        if (!progress.report(static_cast<double>(end) / static_cast<double>(count))) return Message(msg::Cancelled);
    }
    return out;
}

}  // namespace phonotab
