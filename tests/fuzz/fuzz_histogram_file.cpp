// Fuzzes reading a histogram result file back (any .txt a user opens).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/acoustics/HistogramFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    phonotab::HistogramFile h;
    if (phonotab::readHistogramFile(std::string(reinterpret_cast<const char*>(data), size), h)) {
        std::size_t most = 0;
        for (const auto& s : h.series) most = std::max(most, s.second.size());
        (void)phonotab::histogramClassLabels(h, std::min<std::size_t>(most, 4096));
    }
    return 0;
}
