#include "core/measurement/MonitoringStream.h"

namespace phonotab {

namespace {
constexpr std::size_t kProgressBlocks = 4096;  // a progress report every 4 MiB parsed
}  // namespace

MonitoringData ParseMonitoringStream(ByteSpan file, const Progress& progress) {
    MonitoringData out;
    std::vector<MonitoringEntry> pending;
    enum class State { Idle, Entry, Marker, Histogram } state = State::Idle;
    int markerCount = 0;
    MonitoringEntry entry{};
    std::size_t entryFill = 0;
    std::vector<std::uint16_t> histogram;
    histogram.reserve(2 * kMonitoringHistogramWords);

    const std::size_t blocks = file.size() / 1024;
    for (std::size_t blk = 0; blk < blocks; ++blk) {
        if (blk % kProgressBlocks == 0 &&
            !progress.report(static_cast<double>(blk) / static_cast<double>(blocks)))
            break;
        const std::size_t begin = blk == 0 ? kMonitoringStreamStart : blk * 1024;
        const std::size_t end = (blk + 1) * 1024;
        for (std::size_t off = begin; off + 2 <= end; off += 2) {
            const std::uint16_t w = loadU16(file.data() + off);
            switch (state) {
                case State::Idle:
                    if (w == 0xFFFF) {
                        state = State::Marker;
                        markerCount = 2;
                    } else {
                        entry = {};
                        entry[0] = w;
                        entryFill = 1;
                        state = State::Entry;
                    }
                    break;
                case State::Entry:
                    entry[entryFill++] = w;
                    if (entryFill == kMonitoringEntryWords) {
                        pending.push_back(entry);
                        state = State::Idle;
                    }
                    break;
                case State::Marker:
                    if (w != 0xFFFF) {
                        state = State::Idle;  // the word is dropped
                    } else if (++markerCount == 9) {
                        // A histogram block begins: the entries read so far belong before it.
                        out.entries.insert(out.entries.end(), pending.begin(), pending.end());
                        pending.clear();
                        histogram.clear();
                        state = State::Histogram;
                    }
                    break;
                case State::Histogram:
                    histogram.push_back(w);
                    if (histogram.size() == 2 * kMonitoringHistogramWords) {
                        MonitoringHistogram first, second;
                        std::copy(histogram.begin(), histogram.begin() + kMonitoringHistogramWords, first.words.begin());
                        std::copy(histogram.begin() + kMonitoringHistogramWords, histogram.end(), second.words.begin());
                        out.firstHistograms.push_back(first);
                        out.secondHistograms.push_back(second);
                        state = State::Idle;
                    }
                    break;
            }
        }
    }
    out.entries.insert(out.entries.end(), pending.begin(), pending.end());
    return out;
}

}  // namespace phonotab
