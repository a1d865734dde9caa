#include "core/acoustics/StoredHistograms.h"

#include <cmath>

#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/ZoneSegments.h"

namespace phonotab {

Result<StoredHistogramReader> StoredHistogramReader::open(const MeasurementFile& file) {
    StoredHistogramReader r;
    r.file_ = &file;
    if (!file.isMonitoring() && !r.map_.open(file.path)) return Message(msg::CannotOpen, file.path);
    return r;
}

bool StoredHistogramReader::stationCounts(std::int64_t i, int stream, std::vector<std::uint32_t>& out) const {
    const auto& list = stream == 0 ? file_->monitoring.firstHistograms : file_->monitoring.secondHistograms;
    if (i < 0 || static_cast<std::size_t>(i) >= list.size()) return false;
    out.resize(512);
    for (int k = 0; k < 512; ++k) out[static_cast<std::size_t>(k)] = list[static_cast<std::size_t>(i)].count(k);
    return true;
}

bool StoredHistogramReader::runningCounters(std::int64_t i, int stream, std::vector<std::uint32_t>& out) const {
    const MntHistogramSets& sets = file_->histogramSets;
    if (i < 0 || static_cast<std::size_t>(i) >= sets.setCount || stream < 0 ||
        static_cast<std::size_t>(stream) >= sets.blocksPerSet)
        return false;
    const std::uint64_t offset = sets.blockOffset(file_->blocks, static_cast<std::size_t>(i), static_cast<std::size_t>(stream));
    const ByteSpan bytes = map_.bytes();
    if (offset + kMntBlockSize > bytes.size()) return false;
    out.resize(kStoredClasses);
    for (int k = 0; k < kStoredClasses; ++k) out[static_cast<std::size_t>(k)] = loadU32(bytes.data() + offset + 4 * k);
    return true;
}

namespace {

// The running counters of interval i and of the interval before it; the
// counters read for one interval serve as the "before" of the next.
class CounterPairs {
public:
    explicit CounterPairs(const StoredHistogramReader& r, int stream) : r_(r), stream_(stream) {}
    bool read(std::int64_t i) {
        if (i == 0) return false;  // the first interval has nothing to differ from
        if (have_ == i - 1) {
            previous.swap(counts);
        } else if (!r_.runningCounters(i - 1, stream_, previous)) {
            have_ = -1;
            return false;
        }
        have_ = r_.runningCounters(i, stream_, counts) ? i : -1;
        return have_ == i;
    }
    std::vector<std::uint32_t> counts, previous;

private:
    const StoredHistogramReader& r_;
    int stream_;
    std::int64_t have_ = -1;  // the interval whose counters `counts` holds
};

}  // namespace

Status loadStoredHistogram(const MeasurementFile& file, const CalcSettings& settings, const RangeSet& ranges,
                           int stream, bool both, Series& data, Series& data2) {
    data.assign(kStoredClasses, 0.0);
    data2.clear();
    if (both) data2.assign(kStoredClasses, 0.0);
    if (!file.histogramMode()) return {};
    Result<StoredHistogramReader> reader = StoredHistogramReader::open(file);
    if (!reader) return reader.error();
    const std::vector<SampleSegment> segments = classifySamples(ranges, settings);
    std::vector<std::uint32_t> counts;
    CounterPairs pairs(*reader, stream);
    for (const SampleSegment& seg : segments) {
        if (seg.excluded && !both) continue;
        for (std::int64_t t = seg.begin; t < seg.end; ++t) {
            const std::int64_t i = settings.firstSample + t;
            auto add = [&](int cls, double c) {
                data[static_cast<std::size_t>(cls)] += c;
                if (both && !seg.excluded) data2[static_cast<std::size_t>(cls)] += c;
            };
            if (reader->isStation()) {
                if (!reader->stationCounts(i, stream, counts)) continue;
                for (int k = 0; k < 512; ++k) {
                    const std::uint32_t c = counts[static_cast<std::size_t>(k)];
                    add(2 * k, std::floor(c / 2.0));
                    add(2 * k + 1, c - std::floor(c / 2.0));
                }
            } else {
                if (!pairs.read(i)) continue;
                for (int k = 0; k <= 1021; ++k) {
                    const std::uint32_t now = pairs.counts[static_cast<std::size_t>(k)];
                    const std::uint32_t before = pairs.previous[static_cast<std::size_t>(k)];
                    if (now > before) add(k + 2, static_cast<double>(now - before));
                }
            }
        }
    }
    return {};
}

Status loadSynthesizedLeq(const MeasurementFile& file, int stream, Series& data) {
    data.clear();
    if (!file.histogramMode()) return {};
    Result<StoredHistogramReader> reader = StoredHistogramReader::open(file);
    if (!reader) return reader.error();
    const std::int64_t n = reader->intervals();
    data.assign(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), 0.0);
    std::vector<std::uint32_t> counts;
    CounterPairs pairs(*reader, stream);
    for (std::int64_t i = 0; i < n; ++i) {
        double energy = 0.0, total = 0.0;
        if (reader->isStation()) {
            if (!reader->stationCounts(i, stream, counts)) continue;
            for (int k = 0; k < 512; ++k) {
                const double c = counts[static_cast<std::size_t>(k)];
                energy += c * std::pow(10.0, (0.5 * k + 0.25) * 0.1);
                total += c;
            }
        } else {
            if (!pairs.read(i)) continue;
            for (int k = 0; k < kStoredClasses; ++k) {
                const std::uint32_t now = pairs.counts[static_cast<std::size_t>(k)];
                const std::uint32_t before = pairs.previous[static_cast<std::size_t>(k)];
                if (now <= before) continue;
                const double c = static_cast<double>(now - before);
                energy += c * std::pow(10.0, (0.25 * k + 0.125) * 0.1);
                total += c;
            }
        }
        data[static_cast<std::size_t>(i)] = total > 0 ? energyLevel(energy, total) : 0.0;
    }
    return {};
}

}  // namespace phonotab
