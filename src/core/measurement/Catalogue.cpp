#include "core/measurement/Catalogue.h"

#include <cmath>

#include "core/base/CFormat.h"
#include "core/base/Message.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

namespace phonotab {

std::string instrumentName(const TeleDesc& desc, std::uint32_t instrumentCode) {
    return desc.instrumentName(instrumentCode);
}

std::string familyCaption(const RecordLayout& layout, int family) {
    return family >= 1 && family <= 3 ? layout.titles[static_cast<std::size_t>(family - 1)] : std::string();
}

std::string detectorName(const RecordLayout& layout, int detector) {
    if (detector < 0) return {};
    auto it = layout.detectorNames.find(static_cast<std::uint32_t>(detector));
    return it == layout.detectorNames.end() ? std::string() : it->second;
}

long bandNamePosition(const RecordLayout& layout, int family, int band) {
    long pos;
    switch (family) {
        case 1: pos = static_cast<long>(layout.octaveBandNameEntry) + 3L * band; break;
        case 2: pos = static_cast<long>(layout.octaveBandNameEntry) - 1 + band; break;
        case 3: pos = static_cast<long>(layout.furtherLevelNameEntry) + band; break;
        default: return -1;
    }
    return pos >= 0 ? pos : -1;
}

std::string frequencyCaption(double hz) {
    if (std::floor(hz + 0.5) < 1000) return cformat("%.6lg", hz);
    if (std::floor(hz / 1000 + 0.5) >= 1000) return cformat("%.6lgm", hz * 1e-6);
    return cformat("%.6lgk", hz / 1000);
}

std::string bandCaption(const TeleDesc& desc, const RecordLayout& layout, const MeasurementRecord* record,
                        int family, int band, BandForm form) {
    if (family < 1 || family > 3 || band < 0) return {};
    if (record) {
        const auto& axis = record->frequencyAxes[static_cast<std::size_t>(family - 1)];
        if (static_cast<std::size_t>(band) < axis.size()) {
            if (form == BandForm::List) return Message(407, band + 1).text();
            return frequencyCaption(axis[static_cast<std::size_t>(band)]);
        }
    }
    const long pos = bandNamePosition(layout, family, band);
    return pos >= 0 ? desc.bandName(static_cast<std::size_t>(pos)) : std::string();
}

std::string channelCaption(int channel, bool longForm) {
    return Message(longForm ? 207 : 406, channel + 1).text();
}

std::string parameterCaption(FieldCode code, const TeleDesc& desc, const RecordLayout& layout,
                             const MeasurementRecord* record) {
    if (field::isStoredHistogram(code)) return tr(text::StoredHistogramField);
    if (field::isSynthesizedLeq(code)) return tr(text::SynthesizedLeqField);
    if (field::isInstrumentPercentile(code)) {
        const int ch = static_cast<int>((code >> 12) & 0xF);
        const int idx = static_cast<int>(code & 0xFF);
        const int points = layout.pointsPerEntry();
        if (record && points > 0 && ch < kMaxChannels) {
            const auto& stats = record->channels[static_cast<std::size_t>(ch)].statistics;
            const std::size_t e = static_cast<std::size_t>(idx / points), p = static_cast<std::size_t>(idx % points);
            if (e < stats.size() && p < stats[e].points.size()) return stats[e].points[p].label;
        }
        return {};
    }
    if (!field::isMeasuredValue(code)) return {};
    const int fam = static_cast<int>(field::family(code));
    const int det = static_cast<int>(field::detector(code, layout.longIndex));
    const int band = static_cast<int>(field::band(code, layout.longIndex));
    std::string out;
    if (layout.channelCount > 1) out = channelCaption(static_cast<int>(field::channel(code)), true) + ", ";
    out += detectorName(layout, det);
    const std::string b = bandCaption(desc, layout, record, fam, band, BandForm::Text);
    if (!b.empty()) out += ", " + b;
    return out;
}

}  // namespace phonotab
