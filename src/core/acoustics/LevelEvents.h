// Noise events: runs of the level at or above a threshold, runs closer than a
// merge gap joined into one event, events shorter than a minimum duration
// dropped. Each event gives its start, end, Lmax and its time, its Leq and its
// SEL (LAE = Leq + 10 lg(duration / 1 s)). The detector takes the counted
// samples of the work range one by one, as the period indicators walk them.
#pragma once

#include <cstdint>
#include <vector>

#include "core/base/Result.h"

namespace phonotab {

struct EventCriteria {
    double threshold = 0.0;     // dB: a sample at or above it is loud
    double minSeconds = 0.0;    // an event shorter than this is dropped
    double mergeSeconds = 0.0;  // runs less than this apart are one event
    bool operator==(const EventCriteria&) const = default;
};

// Refusal 6909 unless the threshold is finite and the durations are 0 to 86400 s.
Status checkEventCriteria(const EventCriteria& c);

// The clock time of the samples of the work range: civil seconds (see
// CalendarTime) of sample t counted from the first sample of the work range.
struct SampleClock {
    double origin = 0.0;     // the clock time of the file's sample 0 (record start + span begin)
    std::int64_t first = 0;  // the work range's first sample
    double period = 1.0;     // seconds between samples
    double at(std::int64_t t) const { return origin + static_cast<double>(first + t) * period; }
};

struct LevelEvent {
    double start = 0.0;  // clock time of its first sample
    double end = 0.0;    // clock time of the end of its last loud sample's interval
    double lmax = 0.0, lmaxTime = 0.0;
    double leq = 0.0;  // over its counted samples, the quieter ones between merged runs included
    double sel = 0.0;  // Leq + 10 lg(duration / 1 s)
    std::int64_t samples = 0;
    std::size_t periodRow = 0;  // the period row it starts in
    double duration() const { return end - start; }
};

class EventDetector {
public:
    EventDetector(const EventCriteria& criteria, const SampleClock& clock) : criteria_(criteria), clock_(clock) {}

    // One counted sample: t in increasing order, its level and energy, and the
    // row (any index the caller counts by) its energy is credited to.
    void add(std::int64_t t, double level, double energy, std::size_t row);
    // Whether a sample of this level can change anything: a loud one, or any while an event is open.
    bool takes(double level) const { return open_ || level >= criteria_.threshold; }
    // Ends the event still open; call once after the last sample.
    void finish();

    const std::vector<LevelEvent>& events() const { return events_; }
    // The energy of the accepted events' samples per row (index = row).
    const std::vector<double>& rowEnergy() const { return rowEnergy_; }

private:
    struct RowShare {
        std::size_t row;
        double energy;
    };
    struct Stretch {  // samples of an event, or of the quiet stretch after its last loud run
        double energy = 0.0;
        std::int64_t count = 0;
        std::vector<RowShare> rows;
        void add(double e, std::size_t row);
        void clear();
    };
    void close();

    EventCriteria criteria_;
    SampleClock clock_;
    bool open_ = false;
    std::int64_t startT_ = 0, endT_ = 0;  // loud samples [startT_, endT_)
    double lmax_ = 0.0;
    std::int64_t lmaxT_ = 0;
    std::size_t startRow_ = 0;
    Stretch event_, quiet_;
    std::vector<LevelEvent> events_;
    std::vector<double> rowEnergy_;
};

}  // namespace phonotab
