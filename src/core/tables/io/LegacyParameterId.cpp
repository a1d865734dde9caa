#include "core/tables/io/LegacyParameterId.h"

namespace phonotab {

namespace {

// Old ids counted the parameters of a family in bands of 10 (or 7, or 3); each
// band maps to a family code and a detector index.
struct Band {
    int limit;  // i below this belongs to the band
    int offset;
    std::uint32_t family;
};

std::uint32_t fromBands(std::uint32_t base, int i, const Band* bands, int count) {
    for (int b = 0; b < count; ++b)
        if (i < bands[b].limit) {
            const auto n = static_cast<std::uint32_t>(i - bands[b].offset);
            return base | (bands[b].family << 20) | (n << 8);
        }
    return base;
}

}  // namespace

std::int32_t ConvertLegacyParameterId(std::int32_t old, std::int32_t x, std::int32_t fileType) {
    const std::int32_t k = fileType >= 60001 ? fileType - 60000 : fileType;
    if (k == 0) return 0;
    const std::uint32_t stripped = static_cast<std::uint32_t>(old) & 0x0FFFFFFFu;
    const int i = static_cast<int>(stripped % 40);
    const std::uint32_t c = (stripped / 40) & 15;
    const std::uint32_t base = (c << 16) | (static_cast<std::uint32_t>(x) & 0xFF);

    static constexpr Band kTens[] = {{10, 0, 0x11}, {20, 10, 0x12}, {31, 20, 0x13}};
    static constexpr Band kSevens[] = {{7, 0, 0x11}, {14, 7, 0x12}, {21, 14, 0x13}};
    static constexpr Band kTensFrom12[] = {{10, 0, 0x12}, {20, 10, 0x13}};
    static constexpr Band kThrees[] = {{3, 0, 0x12}, {6, 3, 0x13}};
    static constexpr std::int32_t kFixed17[] = {0x1300601, 0x1300801, 0x1300401, 0x1300501, 0x1300201, 0x1300301, 0x1300001,
                                                0x1300101, 0x1300700, 0x20260000, 0x20260001, 0x270000, 0x270001};

    std::uint32_t r = base;
    switch (k) {
        case 1: case 2: case 3: case 4: case 5: case 8: case 9: case 10: case 13: case 21:
            r = fromBands(base, i, kTens, 3);
            break;
        case 6: case 11:
            r = fromBands(base, i, kSevens, 3);
            break;
        case 7: case 12:
            r = fromBands(base, i, kTensFrom12, 2);
            break;
        case 22: case 23:
            r = fromBands(base, i, kThrees, 2);
            break;
        case 17:
            return i < 13 ? kFixed17[i] : 0;
        default:
            break;
    }
    return static_cast<std::int32_t>(r);
}

}  // namespace phonotab
