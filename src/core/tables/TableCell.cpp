#include "core/tables/TableCell.h"

#include <algorithm>
#include <cmath>

namespace phonotab::cellfont {

double points(std::uint32_t font) {
    static constexpr double kPoints[] = {9, 11, 12, 13.5, 18, 24, 36};
    const int step = std::clamp(sizeStep(font), 1, 7);
    return kPoints[step - 1];
}

int pixelHeight(std::uint32_t font) { return static_cast<int>(std::floor(points(font) * 1.4666666666666666 + 0.5)); }

}  // namespace phonotab::cellfont
