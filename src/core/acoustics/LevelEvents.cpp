#include "core/acoustics/LevelEvents.h"

#include <cmath>

#include "core/acoustics/LevelAccumulator.h"

namespace phonotab {

Status checkEventCriteria(const EventCriteria& c) {
    constexpr double kDay = 86400.0;
    if (!std::isfinite(c.threshold) || !(c.minSeconds >= 0.0 && c.minSeconds <= kDay) ||
        !(c.mergeSeconds >= 0.0 && c.mergeSeconds <= kDay))
        return Message(msg::EventSettingsOutOfRange);
    return {};
}

void EventDetector::Stretch::add(double e, std::size_t row) {
    energy += e;
    ++count;
    if (rows.empty() || rows.back().row != row)
        rows.push_back({row, e});
    else
        rows.back().energy += e;
}

void EventDetector::Stretch::clear() {
    energy = 0.0;
    count = 0;
    rows.clear();
}

void EventDetector::add(std::int64_t t, double level, double energy, std::size_t row) {
    if (level >= criteria_.threshold) {
        const bool continues = open_ && (t == endT_ || static_cast<double>(t - endT_) * clock_.period < criteria_.mergeSeconds);
        if (continues) {
            // The quiet samples between the runs belong to the event.
            event_.energy += quiet_.energy;
            event_.count += quiet_.count;
            for (const RowShare& r : quiet_.rows) {
                if (!event_.rows.empty() && event_.rows.back().row == r.row)
                    event_.rows.back().energy += r.energy;
                else
                    event_.rows.push_back(r);
            }
            quiet_.clear();
        } else {
            if (open_) close();
            open_ = true;
            startT_ = t;
            startRow_ = row;
            lmax_ = level;
            lmaxT_ = t;
        }
        event_.add(energy, row);
        if (level > lmax_) {
            lmax_ = level;
            lmaxT_ = t;
        }
        endT_ = t + 1;
        return;
    }
    if (!open_) return;
    // No loud sample after this one can still be merged: the event ends here.
    if (static_cast<double>(t + 1 - endT_) * clock_.period >= criteria_.mergeSeconds) {
        close();
        return;
    }
    quiet_.add(energy, row);
}

void EventDetector::finish() {
    if (open_) close();
}

void EventDetector::close() {
    open_ = false;
    const double duration = static_cast<double>(endT_ - startT_) * clock_.period;
    if (duration >= criteria_.minSeconds && event_.count > 0) {
        LevelEvent e;
        e.start = clock_.at(startT_);
        e.end = clock_.at(endT_);
        e.lmax = lmax_;
        e.lmaxTime = clock_.at(lmaxT_);
        e.samples = event_.count;
        e.leq = energyLevel(event_.energy, static_cast<double>(event_.count));
        e.sel = duration > 0.0 ? e.leq + 10.0 * std::log10(duration) : e.leq;
        e.periodRow = startRow_;
        events_.push_back(e);
        for (const RowShare& r : event_.rows) {
            if (rowEnergy_.size() <= r.row) rowEnergy_.resize(r.row + 1, 0.0);
            rowEnergy_[r.row] += r.energy;
        }
    }
    event_.clear();
    quiet_.clear();
}

}  // namespace phonotab
