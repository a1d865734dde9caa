#include "core/acoustics/Exposure.h"

#include <cmath>

namespace phonotab {

double soundExposureLevel(double leq, double seconds) { return leq + 10.0 * std::log10(seconds); }

double dailyExposureLevel(double leq, double exposureSeconds) {
    constexpr double kEightHours = 8.0 * 3600.0;
    return leq + 10.0 * std::log10(exposureSeconds / kEightHours);
}

Status checkExposureHours(double hours) {
    if (!(hours > 0.0 && hours <= kMaxExposureHours)) return Message(msg::ExposureTimeOutOfRange);
    return {};
}

}  // namespace phonotab
