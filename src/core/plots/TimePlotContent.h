// What the time plot shows of the current file: a curve per parameter with the
// plot flag, the correction and exclusion zones as bands, and the x mapping.
//
// Curves and zones share one time origin: the start of the record. Sample k of
// the file (its index in the parameter's series) sits at x = (span begin + k ×
// period) ÷ unit, and a zone from a to b seconds at a ÷ unit … b ÷ unit, so a
// zone always covers exactly the samples the calculation leaves out or corrects,
// wherever the work range starts.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/acoustics/CalculateFile.h"
#include "core/base/Result.h"
#include "core/plots/GraphZone.h"
#include "core/plots/PaneSet.h"

namespace phonotab {

enum class TimeUnit { Seconds = 0, Minutes = 1, Hours = 2 };

// Seconds of one unit: 1, 60 or 3600.
double unitSeconds(TimeUnit unit);
// The x caption after a unit change: "sec", "min" or "hours".
const char* unitCaption(TimeUnit unit);

struct TimePlotOptions {
    TimeUnit unit = TimeUnit::Seconds;
    bool relative = false;  // off: clock time of the record (x in seconds)
};

// Zone colour indices of the graph engine's table.
constexpr std::uint32_t kCorrectionZoneColour = 46;  // yellow
constexpr std::uint32_t kExclusionZoneColour = 44;   // light red

struct TimePlotCurve {
    FieldCode code = 0;
    std::uint32_t colour = 0;       // colour word: 0x00BBGGRR with bit 31 set
    const double* samples = nullptr;
    std::int64_t first = 0;         // index of samples[0]
    std::int64_t count = 0;
    // A copy with the no-value marks replaced by NaN (never drawn); empty when
    // the entry's own series has none and is viewed in place.
    std::shared_ptr<std::vector<double>> gaps;
    const double* source = nullptr;  // the entry's own series
};

struct TimePlotContent {
    double unit = 1.0;         // seconds of one x unit
    double origin = 0.0;       // seconds of x = 0 from the record start (the span begin)
    double x0 = 0.0, dx = 1.0; // x of sample k = x0 + k × dx
    double period = 1.0;       // seconds between samples
    bool clock = true;         // x labels are clock times from timeOrigin
    std::int64_t timeOrigin = 0;  // civil seconds of the record start
    std::vector<TimePlotCurve> curves;
    std::vector<GraphZone> zones;  // boundary pairs, correction zones first
    std::int64_t longest = 0;      // samples of the longest curve

    // x of a time in seconds from the record start, and back.
    double xOfSeconds(double seconds) const { return seconds / unit; }
    double secondsOfX(double x) const { return x * unit; }
    // The sample index nearest to a time in seconds from the record start.
    std::int64_t sampleAtSeconds(double seconds) const;
};

// The content of the current file's time plot. The entries' series must be
// loaded; entries without samples are left out, as are stored histograms
// (class counts, not levels in time).
// With the content shown now for the same file, a curve whose entry still views
// the same samples is taken over as it is (the ten million samples of a long
// file are not searched for no-value marks again after a zone edit).
TimePlotContent buildTimePlotContent(const CalcFile& file, const TimePlotOptions& options,
                                     const TimePlotContent* shown = nullptr);

// Whether two contents of the same file draw the same curves (the same
// parameters viewing the same samples in the same colours).
bool sameCurves(const TimePlotContent& a, const TimePlotContent& b);

// Puts the content into pane paneId of the set (created when missing): removes
// every series and zone, adds the curves and zones, sets the x mapping and the
// time axis. A zoom the set holds stays as it was. With the content the pane
// shows now (of the same file) and the same curves, only zones, mapping and
// axis change: the series and their min/max pyramids stay (a zone edit).
void applyTimePlotContent(const TimePlotContent& content, PaneSet& set, int paneId,
                          const TimePlotContent* shown = nullptr);

// The range between the pane's markers, each end clamped to the visible x
// range, as seconds from the record start (begin ≤ end). Refused with a message
// when a marker is not set or the two stand at the same time.
struct SecondsRange {
    double begin = 0, end = 0;
};
Result<SecondsRange> markerRange(const GraphPane& pane, const TimePlotContent& content);

// The zones (0-based, the span not counted) whose closed span holds the time,
// in list order.
std::vector<std::size_t> zonesAt(const RangeSet& ranges, double seconds);

// The work range over the sample indices of a seconds range: [lo, hi] of the
// samples nearest its ends. Refused when both ends fall on one sample.
Status setWorkRangeFromSeconds(CalcSettings& settings, const RangeSet& ranges, const TimePlotContent& content,
                               SecondsRange range);

}  // namespace phonotab
