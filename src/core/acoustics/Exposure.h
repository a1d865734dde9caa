// Sound exposure over the work range: the sound exposure level SEL of what was
// measured, and the daily exposure level LEX,8h of workplaces,
// LEX,8h = LAeq,Te + 10 lg(Te / 8 h), with Te the exposure time.
#pragma once

#include "core/base/Result.h"

namespace phonotab {

struct ExposureFigures {
    double leq = 0.0;             // over the counted samples
    double measuredSeconds = 0.0;  // counted samples × sample period
    double sel = 0.0;             // Leq + 10 lg(measured / 1 s)
    double exposureSeconds = 0.0;  // Te
    bool exposureGiven = false;   // Te was given, not the work range's duration
    double lex8h = 0.0;
};

// Leq + 10 lg(seconds / 1 s).
double soundExposureLevel(double leq, double seconds);
// Leq + 10 lg(Te / 8 h).
double dailyExposureLevel(double leq, double exposureSeconds);

// The largest exposure time the user may give.
constexpr double kMaxExposureHours = 8760.0;
// Refusal 6910 unless 0 < hours <= kMaxExposureHours.
Status checkExposureHours(double hours);

}  // namespace phonotab
