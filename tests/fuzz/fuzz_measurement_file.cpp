// Fuzzes loading a data file of any kind and decoding its records, against the
// demonstration description (embedded at build time from the compiled file).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "InstrumentFiles.h"
#include "TeleDescSource.h"
#include "base/MappedFile.h"
#include "measurement/Catalogue.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RecordDecoder.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    const ByteSpan bytes(data, size);
    for (const char* name : {"f.bin", "f.mnt"}) {
        for (FileWorkMode mode : {FileWorkMode::Samples, FileWorkMode::Histograms, FileWorkMode::Records}) {
            Result<MeasurementFile> f = LoadMeasurementFromBytes(name, bytes, mode, desc());
            if (!f.ok()) continue;
            // Decode a few records as the readers would.
            for (std::int64_t i = 0; i < f->count && i < 8; ++i) {
                const std::int64_t off = f->recordOffset(i);
                if (off < 0 || static_cast<std::uint64_t>(off) >= size) continue;
                MeasurementRecord r;
                f->layout.sizeRecord(r);
                r.typeCode = f->typeCode;
                DecodeRecord(f->layout, bytes.subspan(static_cast<std::size_t>(off)), false, r);
                (void)parameterCaption(0x01300100, desc(), f->layout, &r);
            }
            (void)f->sampleTime(f->count);
        }
    }
    return 0;
}
