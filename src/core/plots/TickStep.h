// Choice of the tick step of an axis and of its label format.
//
// Linear axes try the mantissas 1, 0.5, 0.25 and 0.2 (with 0, 1, 2 and 1 extra
// decimals) and take the densest step that keeps labelled ticks at least the
// label spacing apart; labels are shown divided by 10^group, the axis then
// carrying the text "E%+1d". Logarithmic axes take the power of ten.
#pragma once

#include <optional>
#include <string>

namespace phonotab {

struct TickStep {
    double step = 0;       // between labelled (major) ticks
    double firstTick = 0;  // first multiple of step at or above the axis minimum
    double top = 0;        // magnitude of the largest label
    int exponent = 0;      // step = 10^exponent × mantissa
    int group = 0;         // labels are value ÷ 10^group
    int decimals = 0;      // of the labels; below 1 means none

    // "%1.0lf" when decimals < 1, otherwise "%1.<decimals>lf".
    std::string labelFormat() const;
    // A tick value's label: value ÷ 10^group in the label format.
    std::string label(double value) const;
    std::string labelWith(double value, int decimals) const;
};

// low: axis minimum; span: axis maximum − minimum; pixelLength: the axis in
// pixels; spacing: least pixels between labelled ticks; digits: significant
// digits allowed in a label. Nothing when the inputs admit no step (an empty or
// non-finite span, no pixels).
std::optional<TickStep> linearTickStep(double low, double span, int pixelLength, int spacing, int digits);
std::optional<TickStep> logTickStep(double low, double span, int pixelLength, int spacing, int digits);

// "E%+1d" of the group, the text of an axis whose labels are scaled.
std::string exponentText(int group);

}  // namespace phonotab
