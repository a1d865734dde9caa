// Fuzzes the reader of the summary's remembered parameter lists ("report.cfg"):
// whatever it reads must write and read back to the same lists and bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/project/ReportConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace phonotab;
    const ReportConfig cfg = ReportConfig::parse(ByteSpan(data, size));
    const std::vector<std::uint8_t> written = cfg.serialize();
    const ReportConfig back = ReportConfig::parse(written);
    if (back.lists() != cfg.lists()) std::abort();
    if (back.serialize() != written) std::abort();
    return 0;
}
