// Reading parameter values out of a file's samples: one mapping of the file per
// operation, one pass over the samples for all chosen parameters.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/base/MappedFile.h"
#include "core/base/Progress.h"
#include "core/base/Result.h"
#include "core/base/Series.h"
#include "core/measurement/MeasurementFile.h"

namespace phonotab {

// Where a parameter's value lies inside one sample, resolved once.
struct ValueLocator {
    int offset = -1;       // byte offset in the sample; -1 when the sample lacks the field
    FieldCode fieldCode = 0;  // the field actually stored (decides the encoding)
    unsigned size = 0;

    bool present() const { return offset >= 0; }
    // The value in a sample's bytes; the no-value mark when it is not there.
    double read(ByteSpan sample) const;
};

// Finds a parameter's field in the file's layout: the code itself, then the
// code of the other measured-value kind (0x2fc for 0x1fc and back), then either
// of them with encoding nibble 5 (a parameter chosen with encoding 0 whose field
// the instrument stores in 32 bits).
ValueLocator locateParameter(const MeasurementFile& file, FieldCode code);

// Access to the samples of a loaded file (level records, CBF records, "mnt"
// records or monitoring entries). Histogram samples are read elsewhere.
class SampleSource {
public:
    // Maps the file again; 105 when it cannot be opened.
    static Result<SampleSource> open(const MeasurementFile& file);

    std::int64_t count() const { return file_->count; }
    // The bytes of sample i (empty when out of range or cut off).
    ByteSpan sample(std::int64_t i) const;
    ByteSpan fileBytes() const { return map_.bytes(); }

private:
    const MeasurementFile* file_ = nullptr;
    MappedFile map_;
    std::vector<std::uint8_t> entryBytes_;  // monitoring entries as little-endian bytes
};

// Reads the values of chosen parameters a block of samples at a time, for a
// calculation that keeps only the part of each series its windows still
// need. Only files of equally spaced records (record and CBF files) are read
// this way; others are extracted whole.
class SeriesBlockReader {
public:
    static bool suits(const MeasurementFile& file);
    // 105 when the file cannot be opened.
    static Result<SeriesBlockReader> open(const MeasurementFile& file, std::span<const FieldCode> codes);
    SeriesBlockReader(SeriesBlockReader&& other) noexcept;
    SeriesBlockReader& operator=(SeriesBlockReader&&) = delete;
    ~SeriesBlockReader();

    // Whether the file stores parameter k (an absent one gives no values).
    bool present(std::size_t k) const { return where_[k].present(); }
    // Appends the values of samples [first, first + count) of every present
    // parameter k to out[k]; samples a file cut short since loading lacks
    // hold the no-value mark.
    void read(std::int64_t first, std::int64_t count, std::vector<std::vector<double>>& out);

private:
    SeriesBlockReader() = default;
    const MeasurementFile* file_ = nullptr;
    int fd_ = -1;
    std::vector<ValueLocator> where_;
    std::vector<std::uint8_t> records_;  // the bytes of one block, reused
};

// How ExtractSeries reads files of equally spaced records (record and CBF
// files). The defaults suit every file; tests take small sizes to reach block
// boundaries, streamed stores and the split between threads with small files.
struct ExtractionTuning {
    // Bytes of records each thread reads at once: small enough to stay in a
    // core's own cache while every parameter is taken from it.
    std::size_t blockBytes = std::size_t{256} << 10;
    // From this total size of the series on, they are written with streamed
    // stores (they leave the caches before they are read anyway).
    std::uint64_t streamedBytes = std::uint64_t{32} << 20;
    // From this size of the records read on, several threads read them.
    std::uint64_t threadedBytes = std::uint64_t{64} << 20;
    // Threads then; 0: one per processor, at most 8.
    unsigned threads = 0;
};

// Extracts the series of each code over samples [first, first + count) in one
// pass. A parameter the file does not store gives an empty series. Fails with
// 105 when the file cannot be read, 5006 when a stop was asked for through the
// progress. Large record files are read by several threads, each its own part.
Result<std::vector<Series>> ExtractSeries(const MeasurementFile& file, std::span<const FieldCode> codes,
                                                      std::int64_t first, std::int64_t count,
                                                      const Progress& progress = {},
                                                      const ExtractionTuning& tuning = {});

}  // namespace phonotab
