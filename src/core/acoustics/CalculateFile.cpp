#include "core/acoustics/CalculateFile.h"

#include <algorithm>
#include <cmath>
#include <atomic>
#include <limits>
#include <memory>
#include <thread>

#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/LevelSource.h"
#include "core/acoustics/ParameterName.h"
#include "core/acoustics/ResultFiles.h"
#include "core/acoustics/StoredHistograms.h"
#include "core/acoustics/WindowStatistics.h"
#include "core/acoustics/ZoneSegments.h"

namespace phonotab {

CalcFile openForCalculation(MeasurementFile file) {
    CalcFile cf;
    cf.settings.samplePeriod = file.timeStep;
    cf.settings.fileSamples = file.count;
    cf.settings.firstSample = 0;
    cf.settings.sampleCount = file.count;
    cf.settings.histogramMode = file.histogramMode();
    cf.settings.scanInterval = cf.settings.scanStep = kInitialScanSeconds;
    cf.ranges = RangeSet(file.duration);
    cf.file = std::move(file);
    return cf;
}

int entryCorrectionIndex(const ParameterEntry& e, const RecordLayout& layout) {
    const FieldCode c = e.code;
    if (((c >> 24) & 0xF) != 1) return -1;
    const int family = static_cast<int>((c >> 20) & 0xF);
    if (family < 1 || family > 3) return -1;
    const int band = static_cast<int>(c & 0xFF);
    if (band >= layout.bandCount[static_cast<std::size_t>(family - 1)]) return -1;
    return correctionIndex(family, band);
}

namespace {

// The share of the progress that reading the series takes; the windows' statistics take the rest.
constexpr double kLoadShare = 0.7;

// Every entry and sub-entry of a list, in order.
template <typename F>
void forEachEntry(std::vector<ParameterEntry>& list, F&& f) {
    for (auto& e : list) {
        f(e);
        for (auto& s : e.subEntries) f(s);
    }
}

// Samples in a time span, snapped the way scan settings are: floor(x/period + 0.5).
std::int64_t wholeSamples(double seconds, double period) {
    const double n = std::floor(seconds / period + 0.5);
    if (!(n > 0)) return 0;
    return n >= 9e18 ? std::numeric_limits<std::int64_t>::max() / 2 : static_cast<std::int64_t>(n);
}

// Whether an entry's series is extracted from the samples (not built from
// stored histograms).
bool extractedFromSamples(const ParameterEntry& e) {
    const ParameterKind kind = parameterKind(e.code);
    return kind != ParameterKind::StoredHistogram && kind != ParameterKind::SynthesizedLeq;
}

// Loads the series of the entries that have none: the measured levels of the
// whole file in one pass (unless streamed: those are left to the
// calculation), stored histograms over the work range.
Status loadSeries(CalcFile& cf, std::vector<ParameterEntry*>& all, const Progress& progress,
                  bool streamed = false) {
    std::vector<FieldCode> codes;
    std::vector<ParameterEntry*> levelEntries;
    for (ParameterEntry* e : all) {
        const ParameterKind kind = parameterKind(e->code);
        if (kind == ParameterKind::StoredHistogram) {
            // The counts follow the work range and the zones: rebuilt on every load.
            const bool both = e->twoVariants() && cf.settings.includeExclusionsUncorrected;
            e->data.clear();
            e->data2.clear();
            if (Status s = loadStoredHistogram(cf.file, cf.settings, cf.ranges, histogramStream(e->code), both,
                                               e->data, e->data2);
                !s)
                return s;
            e->loaded = true;
            continue;
        }
        if (e->loaded) continue;
        if (kind == ParameterKind::SynthesizedLeq) {
            if (Status s = loadSynthesizedLeq(cf.file, histogramStream(e->code), e->data); !s) return s;
            e->loaded = true;
            continue;
        }
        if (cf.file.histogramMode()) {  // levels have no samples among stored histograms
            e->data.clear();
            e->loaded = true;
            continue;
        }
        if (streamed) continue;
        codes.push_back(e->code);
        levelEntries.push_back(e);
    }
    if (codes.empty()) return {};
    auto series = ExtractSeries(cf.file, codes, 0, cf.file.count, progress);
    if (!series) return series.error();
    for (std::size_t i = 0; i < levelEntries.size(); ++i) {
        levelEntries[i]->data = std::move((*series)[i]);
        levelEntries[i]->loaded = true;
    }
    return {};
}

void computeTimeSeries(CalcFile& cf, ParameterEntry& e, const std::vector<SampleSegment>& segments,
                       const WindowPlan& plan, bool rangeHistogram) {
    const CalcSettings& s = cf.settings;
    const std::int64_t first = s.firstSample, n = s.sampleCount;
    if (static_cast<std::int64_t>(e.data.size()) < first + n) {
        // Nothing to compute from (a parameter the file does not store): every
        // window is empty and reports zeros.
        const std::vector<SampleSegment> noSamples;
        const std::vector<double> noCorrections;
        const double none = kNoValue;
        computeWindows(&none, noSamples, noCorrections, VariantRule{}, plan, s, e.first);
        if (e.twoVariants()) computeWindows(&none, noSamples, noCorrections, VariantRule{}, plan, s, e.second);
        return;
    }
    const double* data = e.data.data() + first;
    const std::vector<double> corr = segmentCorrections(segments, cf.ranges, entryCorrectionIndex(e, cf.file.layout));
    if (e.twoVariants()) {
        computeWindows(data, segments, corr, VariantRule{false, s.includeExclusionsUncorrected}, plan, s, e.first,
                       rangeHistogram);
        computeWindows(data, segments, corr, VariantRule{true, false}, plan, s, e.second, rangeHistogram);
    } else {
        computeWindows(data, segments, corr, VariantRule{true, false}, plan, s, e.first, rangeHistogram);
    }
}

// The scanners fed from one parameter's series.
struct SeriesScanners {
    std::vector<std::unique_ptr<WindowScanner>> scanners;
    std::vector<double> held;    // samples [heldFrom, read so far)
    std::int64_t heldFrom = 0;
};

// One pass over the work range, a block at a time: each block is appended to
// what the scanners still need of every series, and the rest is dropped.
// keepGoing gets the share done after each block; false stops the pass.
template <typename KeepGoing>
bool scanSeries(SeriesBlockReader& reader, std::vector<SeriesScanners>& series, std::int64_t first, std::int64_t n,
                KeepGoing&& keepGoing) {
    constexpr std::int64_t kBlock = 1 << 15;
    std::vector<std::vector<double>> blocks(series.size());
    for (std::int64_t done = 0; done < n;) {
        const std::int64_t count = std::min(kBlock, n - done);
        for (SeriesScanners& ss : series) {
            if (ss.scanners.empty()) continue;  // a parameter the file does not store
            std::int64_t needed = done;
            for (const auto& sc : ss.scanners) needed = std::min(needed, sc->neededFrom());
            const auto drop = static_cast<std::ptrdiff_t>(needed - ss.heldFrom);
            if (drop > 0) {
                ss.held.erase(ss.held.begin(), ss.held.begin() + drop);
                ss.heldFrom = needed;
            }
        }
        for (std::size_t k = 0; k < series.size(); ++k) std::swap(blocks[k], series[k].held);
        reader.read(first + done, count, blocks);
        for (std::size_t k = 0; k < series.size(); ++k) std::swap(blocks[k], series[k].held);
        done += count;
        for (SeriesScanners& ss : series)
            for (const auto& sc : ss.scanners) sc->advance(ss.held.data(), ss.heldFrom, done);
        if (!keepGoing(static_cast<double>(done) / static_cast<double>(n))) return false;
    }
    for (SeriesScanners& ss : series)
        for (const auto& sc : ss.scanners) sc->finish();
    return true;
}

// The windows of the entries whose series are read a block at a time. With
// two processors, a second pass beside the first counts the classes and
// reads the percentiles while the first sums the levels. False when a stop
// was asked for.
bool computeStreamed(CalcFile& cf, const std::vector<std::pair<ParameterEntry*, bool>>& entries,
                     const std::vector<SampleSegment>& segments, const WindowPlan& plan, const Progress& progress,
                     std::vector<Message>& messages) {
    const CalcSettings& s = cf.settings;
    std::vector<FieldCode> codes;
    for (const auto& [e, rangeHistogram] : entries) codes.push_back(e->code);
    Result<SeriesBlockReader> reader = SeriesBlockReader::open(cf.file, codes);
    Result<SeriesBlockReader> secondReader = reader && std::thread::hardware_concurrency() > 1
                                                 ? SeriesBlockReader::open(cf.file, codes)
                                                 : Result<SeriesBlockReader>(Message(msg::Cancelled));
    if (!reader) messages.push_back(reader.error());  // the series stay empty: zero results
    const bool split = reader && secondReader;
    using Parts = WindowScanner::Parts;

    std::vector<std::vector<double>> corrections(entries.size());
    std::vector<SeriesScanners> first(entries.size()), second(split ? entries.size() : 0);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        // Plain names, not a structured binding: the lambda below captures them (Debian 12's clang refuses that).
        ParameterEntry* const e = entries[k].first;
        const bool rangeHistogram = entries[k].second;
        if (!reader || !reader->present(k)) {
            computeTimeSeries(cf, *e, segments, plan, rangeHistogram);  // nothing to compute from
            continue;
        }
        corrections[k] = segmentCorrections(segments, cf.ranges, entryCorrectionIndex(*e, cf.file.layout));
        auto add = [&, range = rangeHistogram](VariantRule rule, VariantResults& results) {
            first[k].scanners.push_back(std::make_unique<WindowScanner>(
                segments, corrections[k], rule, plan, s, results, range, split ? Parts::Levels : Parts::All));
            if (split)
                second[k].scanners.push_back(std::make_unique<WindowScanner>(segments, corrections[k], rule, plan, s,
                                                                             results, range, Parts::Classes));
        };
        if (e->twoVariants()) {
            add(VariantRule{false, s.includeExclusionsUncorrected}, e->first);
            add(VariantRule{true, false}, e->second);
        } else {
            add(VariantRule{true, false}, e->first);
        }
    }
    if (!reader) return true;

    std::atomic<bool> stop{false};
    std::thread classes;
    if (split)
        classes = std::thread([&] {
            scanSeries(*secondReader, second, s.firstSample, s.sampleCount,
                       [&](double) { return !stop.load(std::memory_order_relaxed) && !progress.cancelled(); });
        });
    const bool finished = scanSeries(*reader, first, s.firstSample, s.sampleCount,
                                     [&](double share) { return progress.report(share); });
    if (!finished) stop = true;
    if (classes.joinable()) classes.join();
    return finished && !progress.cancelled();
}

void evaluateHistogramVariant(const CalcSettings& s, const Series& counts, VariantResults& r) {
    if (counts.size() < static_cast<std::size_t>(kStoredClasses)) return;
    LevelAccumulator acc;
    acc.reset(s.histogram);
    const StoredHistogramValues v = EvaluateStoredHistogram(s.histogram, counts.data(), acc, kHistogramSamplePeriod);
    if (v.hasValue) {
        r.minima.push_back(v.minimum);
        r.maxima.push_back(v.maximum);
        r.leqs.push_back(v.leq);
        r.durations.push_back(v.duration);
    }
    r.histogramCount = r.leqCount = v.total;
    r.classCounts = acc.classes;
    // One result or none: percentiles only beside a minimum, maximum and Leq.
    if (v.hasValue)
        ComputePercentiles(s.histogram, acc.classes, v.total, r.percentiles, r.insufficient);
    else
        r.insufficient = true;
}

// True when the entry asks for something and the calculation found no sample
// for it in any window: its result rows would hold nothing but zeros.
bool yieldedNoValue(const ParameterEntry& e, bool histogramMode) {
    if (!e.flags.anyStatistic() && !e.flags.histogram) return false;
    if (parameterKind(e.code) == ParameterKind::SynthesizedLeq) return false;  // plotted, never computed
    if (histogramMode) return e.first.leqs.empty();
    return !e.first.counted;
}

}  // namespace

CalcReport CalculateFile(CalcFile& cf, const TeleDesc& desc, const CalcRequest& request) {
    CalcReport report;
    CalcSettings& s = cf.settings;
    // Settings that would break the windows or the classes (a project can
    // store anything) compute nothing and write nothing.
    if (Status st = checkCalcSettings(s); !st) {
        report.messages.push_back(st.error());
        return report;
    }
    s.windowStarts.clear();
    s.histogramMode = cf.file.histogramMode();

    std::vector<ParameterEntry*> all;
    std::vector<ParameterEntry*> owners;  // entries whose flags decide the messages
    auto collect = [&](std::vector<ParameterEntry>& list) {
        for (auto& e : list) {
            owners.push_back(&e);
            all.push_back(&e);
            for (auto& sub : e.subEntries) {
                sub.flags.uncorrected = e.flags.uncorrected;  // sub-entries follow their entry
                all.push_back(&sub);
            }
        }
    };
    if (!request.quiet) collect(cf.entries);
    if (request.extraEntries) collect(*request.extraEntries);
    for (ParameterEntry* e : all) e->clearResults();

    // The batch tool's measured levels are read while their windows are computed.
    const bool streamed = !request.keepSeries && !s.histogramMode && SeriesBlockReader::suits(cf.file);
    if (Status st = loadSeries(cf, all, request.progress.part(0.0, kLoadShare), streamed); !st) {
        if (st.error().id == msg::Cancelled) {
            report.cancelled = true;
            return report;
        }
        report.messages.push_back(st.error());  // the series stay empty: zero results
    }

    if (s.histogramMode) {
        // One result per stored-histogram entry, no windows; other entries get none.
        for (ParameterEntry* e : all) {
            if (parameterKind(e->code) != ParameterKind::StoredHistogram) continue;
            evaluateHistogramVariant(s, e->data, e->first);
            if (!e->data2.empty()) evaluateHistogramVariant(s, e->data2, e->second);
        }
    } else {
        // Scan settings snapped to whole samples (a period of 0 leaves them: its
        // samples share one instant, so there is a single window).
        WindowPlan plan = WindowPlan::single(s.sampleCount);
        if (s.samplePeriod > 0) {
            s.scanInterval = std::floor(s.scanInterval / s.samplePeriod + 0.5) * s.samplePeriod;
            s.scanStep = std::floor(s.scanStep / s.samplePeriod + 0.5) * s.samplePeriod;
            if (s.scanning)
                plan = WindowPlan::scanning(s.sampleCount, wholeSamples(s.scanStep, s.samplePeriod),
                                            wholeSamples(s.scanInterval, s.samplePeriod));
        }
        const std::vector<SampleSegment> segments = classifySamples(cf.ranges, s);
        if (streamed) {
            std::vector<std::pair<ParameterEntry*, bool>> pending;  // entries and whether they want the range histogram
            for (ParameterEntry* owner : owners) {
                auto add = [&](ParameterEntry& e) {
                    if (!e.loaded && extractedFromSamples(e)) pending.emplace_back(&e, owner->flags.histogram);
                };
                add(*owner);
                for (auto& sub : owner->subEntries) add(sub);
            }
            if (!computeStreamed(cf, pending, segments, plan, request.progress.part(0.0, kLoadShare),
                                 report.messages)) {
                report.cancelled = true;
                return report;
            }
        }
        for (std::size_t k = 0; k < owners.size(); ++k) {
            ParameterEntry* owner = owners[k];
            if (!request.progress.report(kLoadShare + (1.0 - kLoadShare) * static_cast<double>(k) /
                                                          static_cast<double>(owners.size()))) {
                report.cancelled = true;
                return report;
            }
            // Sub-entries are computed like entries of their own; the histogram
            // over the work range is only wanted for the histogram file.
            const bool rangeHistogram = owner->flags.histogram;
            auto compute = [&](ParameterEntry& e) {
                if (streamed && !e.loaded && extractedFromSamples(e)) return;  // computed above
                if (parameterKind(e.code) != ParameterKind::SynthesizedLeq)  // plotted, never computed
                    computeTimeSeries(cf, e, segments, plan, rangeHistogram);
            };
            compute(*owner);
            for (auto& sub : owner->subEntries) compute(sub);
        }
        const std::int64_t windows = plan.windowCount();
        s.windowStarts.reserve(static_cast<std::size_t>(windows));
        for (std::int64_t k = 0; k < windows; ++k)
            s.windowStarts.push_back(sampleTime(s, cf.ranges, plan.start(k)));
    }

    bool insufficient = false;
    for (ParameterEntry* e : owners) {
        if (!e->flags.percentiles && !e->flags.histogram) continue;
        auto raised = [](const ParameterEntry& x) { return x.first.insufficient || x.second.insufficient; };
        insufficient |= raised(*e);
        for (const auto& sub : e->subEntries) insufficient |= raised(sub);
    }

    if (request.progress.cancelled()) {
        report.cancelled = true;
        return report;
    }
    for (const ParameterEntry* e : owners) {
        if (!yieldedNoValue(*e, s.histogramMode)) continue;
        const std::string name = e->displayName.empty()
                                     ? ParameterName(e->code, NamingContext{&desc, &cf.file.layout, &cf.file.header}).name
                                     : e->displayName;
        report.messages.push_back(Message(msg::NoValueForParameter, name));
    }
    if (!request.quiet) {
        ResultFileContext ctx;
        ctx.dataPath = cf.file.path;
        ctx.mode = cf.file.workMode;
        ctx.instrumentName = desc.instrumentName(cf.file.instrumentCode);
        ctx.vin = cf.file.vin;
        ctx.naming = NamingContext{&desc, &cf.file.layout, &cf.file.header};
        ctx.settings = &s;
        ctx.options = request.options;
        ctx.encoding = request.encoding;
        ctx.fromParametersWindow = request.fromParametersWindow;
        for (Message& m : WriteFileResults(ctx, cf.entries, request.sharedOutput)) report.messages.push_back(std::move(m));
    }
    if (insufficient) report.messages.push_back(Message(msg::InsufficientSamples));
    return report;
}

}  // namespace phonotab

namespace phonotab {

Status loadEntrySeries(CalcFile& cf, const Progress& progress) {
    std::vector<ParameterEntry*> all;
    for (ParameterEntry& e : cf.entries) all.push_back(&e);
    return loadSeries(cf, all, progress);
}

}  // namespace phonotab
