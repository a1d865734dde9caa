// Fuzzes loading a data file of any kind and decoding its records, against the
// demonstration description (embedded at build time from the compiled file).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "InstrumentFiles.h"
#include "TeleDescSource.h"
#include "core/base/MappedFile.h"
#include "core/measurement/Catalogue.h"
#include "core/measurement/MeasurementFile.h"
#include "core/measurement/RecordDecoder.h"

namespace {

const phonotab::TeleDesc& desc() {
    static const phonotab::TeleDesc d = [] {
        std::string text, error;
        phonotab::fixtures::TeleDescSource src;
        phonotab::readFileText(PHONOTAB_DEMO_TDSC, text);
        phonotab::fixtures::parseTeleDescSource(text, src, error);
        return *phonotab::parseTeleDesc(phonotab::fixtures::writeTeleDesc(src), "Русский");
    }();
    return d;
}

// Records decoded per input, as the readers would; the record is sized once and
// decoded in place, as the dump does.
constexpr std::int64_t kRecordsDecoded = 8;
// A file that describes its own fields can ask for a quarter of a million
// values per record (each sized and cleared per record); the instruments' own
// layouts hold a few thousand. Larger layouts cost time and find nothing new.
constexpr std::size_t kMaxRecordValues = std::size_t{1} << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    const ByteSpan bytes(data, size);
    // One load per input: its length picks the file name (".mnt" files are
    // scanned for records and histogram blocks) and the work mode, so that the
    // corpus holds every pair while an input costs one load, not six.
    static const char* const kNames[] = {"f.bin", "f.mnt"};
    static const FileWorkMode kModes[] = {FileWorkMode::Samples, FileWorkMode::Histograms, FileWorkMode::Records};
    MeasurementLimits limits;
    limits.maxRecordValues = kMaxRecordValues;
    Result<MeasurementFile> f = LoadMeasurementFromBytes(kNames[size / 3 % 2], bytes, kModes[size % 3], desc(), {}, limits);
    if (!f.ok()) return 0;
    MeasurementRecord r;
    f->layout.sizeRecord(r);
    r.typeCode = f->typeCode;
    for (std::int64_t i = 0; i < f->count && i < kRecordsDecoded; ++i) {
        const std::int64_t off = f->recordOffset(i);
        if (off < 0 || static_cast<std::uint64_t>(off) >= size) continue;
        f->layout.clearValues(r);
        DecodeRecord(f->layout, bytes.subspan(static_cast<std::size_t>(off)), false, r);
        (void)parameterCaption(0x01300100, desc(), f->layout, &r);
    }
    (void)f->sampleTime(f->count);
    return 0;
}
