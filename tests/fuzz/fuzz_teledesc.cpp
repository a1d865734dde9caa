// Fuzzes the telemetry description reader.
#include <cstddef>
#include <cstdint>

#include "core/measurement/RecordLayout.h"
#include "core/measurement/TeleDesc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    Result<TeleDesc> d = parseTeleDesc(ByteSpan(data, size), "Русский");
    if (d.ok()) {
        for (const auto& [code, type] : d->types) {
            Result<RecordLayout> l = BuildLayout(*d, code);
            if (l.ok()) {
                MeasurementRecord r;
                l->sizeRecord(r);
            }
        }
    }
    return 0;
}
