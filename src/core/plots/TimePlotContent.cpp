#include "core/plots/TimePlotContent.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/MessageIds.h"
#include "core/measurement/MeasurementRecord.h"

namespace phonotab {

double unitSeconds(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::Minutes: return 60.0;
        case TimeUnit::Hours: return 3600.0;
        default: return 1.0;
    }
}

const char* unitCaption(TimeUnit unit) {
    switch (unit) {
        case TimeUnit::Minutes: return "min";
        case TimeUnit::Hours: return "hours";
        default: return "sec";
    }
}

std::int64_t TimePlotContent::sampleAtSeconds(double seconds) const {
    if (!(period > 0)) return 0;
    const double k = std::floor((seconds - origin) / period + 0.5);
    if (!std::isfinite(k)) return 0;
    return static_cast<std::int64_t>(std::clamp(k, -9e15, 9e15));
}

namespace {

// The curve of one series: viewed in place, or copied with its no-value marks
// made NaN so that the engine leaves them out instead of drawing a drop to 0 dB.
TimePlotCurve curveOf(const ParameterEntry& e) {
    TimePlotCurve c;
    c.code = e.code;
    c.colour = (e.colour & 0xFFFFFFu) | 0x80000000u;
    c.first = 0;
    c.count = static_cast<std::int64_t>(e.data.size());
    c.source = e.data.data();
    const auto begin = e.data.begin(), end = e.data.end();
    if (std::find(begin, end, kNoValue) == end) {
        c.samples = e.data.data();
        return c;
    }
    c.gaps = std::make_shared<std::vector<double>>(begin, end);
    std::replace(c.gaps->begin(), c.gaps->end(), kNoValue, std::numeric_limits<double>::quiet_NaN());
    c.samples = c.gaps->data();
    return c;
}

}  // namespace

TimePlotContent buildTimePlotContent(const CalcFile& file, const TimePlotOptions& options,
                                     const TimePlotContent* shown) {
    TimePlotContent c;
    c.clock = !options.relative;
    c.unit = c.clock ? 1.0 : unitSeconds(options.unit);
    c.timeOrigin = toCivilSeconds(file.file.startTime);
    c.period = file.settings.samplePeriod;
    c.origin = file.ranges.span().begin;
    c.x0 = c.origin / c.unit;
    c.dx = c.period / c.unit;

    for (const ParameterEntry& e : file.entries) {
        if (!e.flags.plot) continue;
        // A stored histogram's series is its 1024 class counts, not levels in time
        // (and it is rebuilt on every calculation): never a curve.
        if (parameterKind(e.code) == ParameterKind::StoredHistogram) continue;
        if (e.data.size() < 2) continue;  // the engine draws no curve of fewer than two samples
        const TimePlotCurve* same = nullptr;
        if (shown)
            for (const TimePlotCurve& old : shown->curves)
                if (old.code == e.code && old.source == e.data.data() &&
                    old.count == static_cast<std::int64_t>(e.data.size()))
                    same = &old;
        c.curves.push_back(same ? *same : curveOf(e));
        c.curves.back().colour = (e.colour & 0xFFFFFFu) | 0x80000000u;
        c.longest = std::max(c.longest, c.curves.back().count);
    }

    // Each zone is a pair of boundaries: the first a plain boundary, the second
    // fills the band between them with the colour and hides both lines.
    auto addZones = [&](int exclusion, std::uint32_t colour) {
        for (std::size_t i = 0; i < file.ranges.zoneCount(); ++i) {
            const RangeZone& z = file.ranges.zone(i);
            if (z.exclusion != exclusion) continue;
            c.zones.push_back({c.xOfSeconds(z.begin), colour});
            c.zones.push_back({c.xOfSeconds(z.end), colour | GraphZone::kFillsBand});
        }
    };
    addZones(0, kCorrectionZoneColour);
    addZones(1, kExclusionZoneColour);
    return c;
}

bool sameCurves(const TimePlotContent& a, const TimePlotContent& b) {
    if (a.curves.size() != b.curves.size()) return false;
    for (std::size_t i = 0; i < a.curves.size(); ++i) {
        const TimePlotCurve &x = a.curves[i], &y = b.curves[i];
        if (x.code != y.code || x.samples != y.samples || x.first != y.first || x.count != y.count ||
            x.colour != y.colour)
            return false;
    }
    return true;
}

void applyTimePlotContent(const TimePlotContent& content, PaneSet& set, int paneId, const TimePlotContent* shown) {
    GraphPane& pane = set.addPane(paneId);
    const bool keep = shown && sameCurves(content, *shown) &&
                      pane.series().size() == content.curves.size() && set.paneCount() == 1;
    if (!keep) set.clearContent();
    std::uint32_t flags = pane.flags();
    flags = content.clock ? flags | paneflag::kTimeAxis : flags & ~paneflag::kTimeAxis;
    pane.setFlags(flags);
    pane.setTimeOrigin(content.timeOrigin);
    set.setXMapping(content.x0, content.dx);
    if (!keep)
        for (const TimePlotCurve& curve : content.curves)
            set.addSeries(paneId, curve.samples, curve.first, curve.count, curve.colour);
    pane.setZones(content.zones);
}

Result<SecondsRange> markerRange(const GraphPane& pane, const TimePlotContent& content) {
    if (!pane.markerSet(1) || !pane.markerSet(2)) return Message(msg::MarkersNotSet);
    const IndexRange vis = pane.visibleRange();
    double lo = pane.xOf(vis.first), hi = pane.xOf(vis.last);
    if (lo > hi) std::swap(lo, hi);
    // Markers beyond the same end of the view would clamp to one point; the
    // user scrolled away from them, which is not an empty range.
    const double m1 = pane.marker(1).x, m2 = pane.marker(2).x;
    if ((m1 < lo && m2 < lo) || (m1 > hi && m2 > hi)) return Message(msg::MarkersOutsideView);
    double a = std::clamp(m1, lo, hi), b = std::clamp(m2, lo, hi);
    if (a > b) std::swap(a, b);
    if (!(a < b)) return Message(msg::MarkersCoincide);
    return SecondsRange{content.secondsOfX(a), content.secondsOfX(b)};
}

std::vector<std::size_t> zonesAt(const RangeSet& ranges, double seconds) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < ranges.zoneCount(); ++i)
        if (ranges.zone(i).contains(seconds)) out.push_back(i);
    return out;
}

Status setWorkRangeFromSeconds(CalcSettings& settings, const RangeSet& ranges, const TimePlotContent& content,
                               SecondsRange range) {
    const std::int64_t total = spanSampleTotal(ranges, settings);
    const std::int64_t lo = std::clamp<std::int64_t>(content.sampleAtSeconds(range.begin), 0, total - 1);
    const std::int64_t hi = std::clamp<std::int64_t>(content.sampleAtSeconds(range.end), 0, total - 1);
    if (lo >= hi) return Message(msg::MarkersCoincide);
    SetWorkRange(settings, ranges, lo, hi);
    return {};
}

}  // namespace phonotab
