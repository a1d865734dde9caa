#include "core/acoustics/ParameterEntry.h"

namespace phonotab {

void VariantResults::clear() { *this = VariantResults{}; }

void ParameterEntry::clearResults() {
    first.clear();
    second.clear();
    for (auto& s : subEntries) s.clearResults();
}

ParameterKind parameterKind(FieldCode code) {
    if ((code >> 16) == 0x2026) return ParameterKind::StoredHistogram;
    if ((code >> 16) == 0x0027) return ParameterKind::SynthesizedLeq;
    if (field::isInstrumentPercentile(code)) return ParameterKind::InstrumentPercentile;
    if (field::isMeasuredValue(code)) return ParameterKind::MeasuredLevel;
    return ParameterKind::Other;
}

int histogramStream(FieldCode code) {
    // Bit 0 of the code picks the stream for both kinds: 0x20260000 and
    // 0x00270000 are the first stream, 0x20260001 the second, and a code the
    // parameter chooser builds from a channel and position follows the same rule.
    return static_cast<int>(code & 1u);
}

}  // namespace phonotab
