// Fuzzes the reader of the converter's text dumps.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/measurement/LdlDump.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)phonotab::ParseLdlDump(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
