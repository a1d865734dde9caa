#include "acoustics/ParameterEntry.h"

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
    if ((code >> 16) == 0x2026) return code == 0x20260001 ? 1 : 0;
    // Synthesized levels: exactly 0x00270000 uses the first stream, any other the second.
    return code == kSynthesizedLeqCode ? 0 : 1;
}

}  // namespace phonotab
