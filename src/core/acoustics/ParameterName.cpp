#include "core/acoustics/ParameterName.h"

#include "core/acoustics/ParameterEntry.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"
#include "core/measurement/Catalogue.h"

namespace phonotab {

namespace {

std::string bandName(const NamingContext& ctx, int family, int band) {
    if (ctx.header) {
        const auto& axis = ctx.header->frequencyAxes[static_cast<std::size_t>(family - 1)];
        if (band >= 0 && static_cast<std::size_t>(band) < axis.size())
            return frequencyCaption(axis[static_cast<std::size_t>(band)]) + " " + tr(text::HertzUnit);
    }
    return bandCaption(*ctx.desc, *ctx.layout, nullptr, family, band, BandForm::List);
}

ParameterNames measuredNames(FieldCode code, const NamingContext& ctx) {
    const bool longIndex = ctx.layout->longIndex;
    const int family = static_cast<int>(field::family(code));
    const int band = static_cast<int>(field::band(code, longIndex));
    const int detector = static_cast<int>(field::detector(code, longIndex));
    ParameterNames n;
    n.bandText = bandName(ctx, family, band);
    const std::string det = detectorName(*ctx.layout, detector);
    std::string shortName, longName;
    auto add = [&](const std::string& part) {
        if (part.empty()) return;
        if (!shortName.empty()) shortName += "_";
        if (!longName.empty()) longName += ", ";
        shortName += part;
        longName += part;
    };
    if (ctx.layout->channelCount > 1) {
        const int channel = static_cast<int>(field::channel(code));
        shortName = channelCaption(channel, false);
        longName = channelCaption(channel, true);
    }
    add(n.bandText);
    add(det);
    n.name = shortName;
    n.fullName = longName;
    return n;
}

}  // namespace

ParameterNames ParameterName(FieldCode code, const NamingContext& ctx) {
    ParameterNames n;
    if (!ctx.desc || !ctx.layout) return n;
    switch (parameterKind(code)) {
        case ParameterKind::MeasuredLevel: return measuredNames(code, ctx);
        case ParameterKind::InstrumentPercentile: {
            const int ch = static_cast<int>((code >> 12) & 0xF);
            const int idx = static_cast<int>(code & 0xFF);
            const int points = ctx.layout->pointsPerEntry();
            if (ctx.header && points > 0 && ch < kMaxChannels) {
                const auto& stats = ctx.header->channels[static_cast<std::size_t>(ch)].statistics;
                const auto e = static_cast<std::size_t>(idx / points), p = static_cast<std::size_t>(idx % points);
                if (e < stats.size() && p < stats[e].points.size()) n.name = stats[e].points[p].label;
            }
            n.fullName = n.bandText = n.name;
            return n;
        }
        case ParameterKind::StoredHistogram:
        case ParameterKind::SynthesizedLeq: {
            // Named after the p-th measured-level code of channel c of the instrument.
            const unsigned channel = (code >> 12) & 0xF;
            const int position = static_cast<int>(code & 0xFF);
            const std::string prefix = tr(parameterKind(code) == ParameterKind::StoredHistogram ? 408 : 409) + " ";
            int seen = 0;
            for (FieldCode c : ctx.layout->codes) {
                if (!field::isMeasuredValue(c) || field::channel(c) != channel) continue;
                if (seen++ == position) {
                    const ParameterNames base = measuredNames(c, ctx);
                    n.name = prefix + base.name;
                    n.fullName = prefix + base.fullName;
                    n.bandText = base.bandText;
                    return n;
                }
            }
            n.name = n.fullName = prefix;
            n.name.pop_back();
            n.fullName.pop_back();
            return n;
        }
        case ParameterKind::Other: break;
    }
    return n;
}

}  // namespace phonotab
