#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "TestSupport.h"
#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/LevelAccumulator.h"
#include "core/acoustics/ZoneSegments.h"
#include "core/base/CFormat.h"

using namespace phonotab;

namespace {

// The plain sequential algorithm: every window summed sample by sample, every
// sample's zones walked in list order.
struct Reference {
    VariantResults first, second;
};

Reference referenceCalc(const CalcSettings& s, const RangeSet& r, const ParameterEntry& e, int corrIdx) {
    Reference ref;
    const std::int64_t n = s.sampleCount;
    std::int64_t start = 0, end = n, nStep = 0, nInt = 0;
    if (s.scanning && s.samplePeriod > 0) {
        nStep = static_cast<std::int64_t>(std::floor(s.scanStep / s.samplePeriod + 0.5));
        if (nStep > 0) {
            nInt = static_cast<std::int64_t>(std::floor(s.scanInterval / s.samplePeriod + 0.5));
            end = std::min(n, nInt);
        }
    }
    for (;;) {
        LevelAccumulator a1, a2;
        a1.reset(s.histogram);
        a2.reset(s.histogram);
        std::int64_t c1 = 0, c2 = 0;
        for (std::int64_t t = start; t < end; ++t) {
            const double time = static_cast<double>(s.firstSample + t) * s.samplePeriod + r.span().begin;
            bool excluded = false;
            double corr = 0.0;
            for (std::size_t z = 0; z < r.zoneCount(); ++z) {
                const RangeZone& zone = r.zone(z);
                if (!zone.contains(time)) continue;
                if (zone.exclusion) {
                    excluded = true;
                    break;
                }
                if (corrIdx >= 0) corr += zone.corrections[static_cast<std::size_t>(corrIdx)];
            }
            if (excluded && !s.includeExclusionsUncorrected) continue;
            if (excluded && !e.twoVariants()) continue;
            const double v = e.data[static_cast<std::size_t>(s.firstSample + t)];
            if (v == kNoValue) continue;
            if (e.twoVariants()) {
                AccumulateSample(s.histogram, v, a1);
                ++c1;
                if (!excluded) {
                    AccumulateSample(s.histogram, v + corr, a2);
                    ++c2;
                }
            } else {
                AccumulateSample(s.histogram, v + corr, a1);
                ++c1;
            }
        }
        auto finish = [&](LevelAccumulator& a, std::int64_t c, VariantResults& out) {
            if (c > 0) {
                out.minima.push_back(a.minimum);
                out.maxima.push_back(a.maximum);
                out.leqs.push_back(10 * std::log10(a.energy / static_cast<double>(c)));
                out.durations.push_back(static_cast<double>(c) * s.samplePeriod);
            } else {
                for (auto* v : {&out.minima, &out.maxima, &out.leqs, &out.durations}) v->push_back(0.0);
            }
            ComputePercentiles(s.histogram, a.classes, c, out.percentiles, out.insufficient);
        };
        finish(a1, c1, ref.first);
        if (e.twoVariants()) finish(a2, c2, ref.second);
        if (end < n && nStep > 0) {
            start += nStep;
            end = start + nInt;
            if (end <= n) continue;
        }
        break;
    }
    return ref;
}

std::string asLg(const std::vector<double>& v) {
    std::string out;
    for (double x : v) out += formatLg(x) + " ";
    return out;
}

void expectSame(const VariantResults& got, const VariantResults& want, const std::string& what) {
    EXPECT_EQ(got.minima, want.minima) << what;
    EXPECT_EQ(got.maxima, want.maxima) << what;
    EXPECT_EQ(got.durations, want.durations) << what;
    EXPECT_EQ(got.percentiles, want.percentiles) << what;
    // Sums of overlapping windows are added in another order: equal as printed.
    EXPECT_EQ(asLg(got.leqs), asLg(want.leqs)) << what;
}

}  // namespace

TEST(CalculateFile, WindowsEqualThePlainSequentialAlgorithmOnRandomData) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> level(20.0, 140.0);
    for (int round = 0; round < 80; ++round) {
        CalcFile cf;
        const std::int64_t total = 200 + static_cast<std::int64_t>(rng() % 3000);
        CalcSettings& s = cf.settings;
        s.samplePeriod = (rng() % 3 == 0) ? 0.1 : 1.0;
        s.fileSamples = total;
        s.firstSample = static_cast<std::int64_t>(rng() % 50);
        s.sampleCount = total - s.firstSample - static_cast<std::int64_t>(rng() % 50);
        s.scanning = rng() % 4 != 0;
        s.scanStep = s.samplePeriod * static_cast<double>(1 + rng() % 40);
        s.scanInterval = s.samplePeriod * static_cast<double>(1 + rng() % 200);
        s.includeExclusionsUncorrected = rng() % 2 == 0;
        s.histogram.excludeEdges = rng() % 3 == 0;
        s.histogram.percentiles = {1, 10, 50, 90, 99};
        if (round % 2) {  // narrow classes, more of them, and other percentiles
            s.histogram.width = 0.1 * static_cast<double>(1 + rng() % 20);
            s.histogram.classes = 10 + static_cast<int>(rng() % 1000);
            s.histogram.percentiles = {static_cast<double>(1 + rng() % 50), 50.5, static_cast<double>(51 + rng() % 48)};
        }
        cf.ranges = RangeSet(static_cast<double>(total - 1) * s.samplePeriod);
        const double span = cf.ranges.span().end;
        for (int z = 0; z < 8; ++z) {
            const double a = span * (rng() % 1000) / 1000.0, b = span * (rng() % 1000) / 1000.0;
            if (rng() % 2) {
                ASSERT_TRUE(cf.ranges.AddExclusionZone(a, b).ok());
            } else {
                Corrections c{};
                c[static_cast<std::size_t>(correctionIndex(3, 0))] = static_cast<double>(rng() % 21) - 10.0;
                ASSERT_TRUE(cf.ranges.AddCorrectionZone(a, b, c).ok());
            }
        }
        std::vector<ParameterEntry> entries(2);
        for (auto& e : entries) {
            e.code = 0x01300000;
            e.loaded = true;
            e.data.resize(static_cast<std::size_t>(total));
            for (auto& v : e.data) v = rng() % 50 == 0 ? kNoValue : level(rng);
        }
        entries[1].flags.uncorrected = true;
        CalcRequest req;
        req.quiet = true;
        req.extraEntries = &entries;
        cf.file.layout.bandCount = {0, 0, 3};
        (void)CalculateFile(cf, TeleDesc{}, req);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Reference ref = referenceCalc(cf.settings, cf.ranges, entries[i], correctionIndex(3, 0));
            const std::string what = "round " + std::to_string(round) + " entry " + std::to_string(i);
            expectSame(entries[i].first, ref.first, what);
            if (entries[i].twoVariants()) expectSame(entries[i].second, ref.second, what + " corrected");
        }
    }
}

TEST(CalculateFile, ScanWindowsAndTheirStarts) {
    CalcFile cf;
    CalcSettings& s = cf.settings;
    s.samplePeriod = 1.0;
    s.fileSamples = s.sampleCount = 22;
    s.scanning = true;
    s.scanInterval = 10.2;  // snapped to 10 samples
    s.scanStep = 4.6;       // snapped to 5
    cf.ranges = RangeSet(21.0);
    std::vector<ParameterEntry> entries(1);
    entries[0].code = 0x01300000;
    entries[0].loaded = true;
    entries[0].data.assign(22, 60.0);
    CalcRequest req;
    req.quiet = true;
    req.extraEntries = &entries;
    CalculateFile(cf, TeleDesc{}, req);
    EXPECT_EQ(s.scanInterval, 10.0);
    EXPECT_EQ(s.scanStep, 5.0);
    EXPECT_EQ(s.windowStarts, (std::vector<double>{0, 5, 10}));  // [15, 25) is dropped
    EXPECT_EQ(entries[0].first.leqs.size(), 3u);
    EXPECT_NEAR(entries[0].first.leqs[0], 60.0, 1e-9);
    EXPECT_EQ(entries[0].first.durations[2], 10.0);

    // An interval longer than the series: one window over everything.
    s.scanInterval = 100;
    CalculateFile(cf, TeleDesc{}, req);
    EXPECT_EQ(s.windowStarts.size(), 1u);
    EXPECT_EQ(entries[0].first.durations, std::vector<double>{22.0});
}

TEST(CalculateFile, NegativeLevelsReportAMaximumOfZeroAndEmptyWindowsZeros) {
    CalcFile cf;
    cf.settings.samplePeriod = 1.0;
    cf.settings.fileSamples = cf.settings.sampleCount = 10;
    cf.ranges = RangeSet(9.0);
    ASSERT_TRUE(cf.ranges.AddExclusionZone(0, 9).ok());
    std::vector<ParameterEntry> entries(2);
    for (auto& e : entries) {
        e.code = 0x01300000;
        e.loaded = true;
        e.data.assign(10, -5.0);
        e.flags.percentiles = true;
    }
    entries[1].flags.uncorrected = true;
    CalcRequest req;
    req.quiet = true;
    req.extraEntries = &entries;
    const CalcReport report = CalculateFile(cf, TeleDesc{}, req);
    // Everything excluded: zeros, the percentile too, and the entry says it found no value.
    EXPECT_EQ(entries[0].first.maxima, std::vector<double>{0.0});
    EXPECT_EQ(entries[0].first.leqs, std::vector<double>{0.0});
    EXPECT_EQ(entries[0].first.percentiles[0], std::vector<double>{0.0});
    // The uncorrected variant still takes the excluded samples.
    EXPECT_EQ(entries[1].first.maxima, std::vector<double>{0.0});
    EXPECT_EQ(entries[1].first.minima, std::vector<double>{-5.0});
    ASSERT_EQ(report.messages.size(), 2u);
    EXPECT_EQ(report.messages[0].id, msg::NoValueForParameter);
    EXPECT_EQ(report.messages[1].id, msg::InsufficientSamples);
}

TEST(CalculateFile, ZeroSamplePeriodGivesOneWindow) {
    CalcFile cf;
    cf.settings.samplePeriod = 0.0;
    cf.settings.fileSamples = cf.settings.sampleCount = 5;
    cf.settings.scanning = true;
    cf.ranges = RangeSet(0.0);
    std::vector<ParameterEntry> entries(1);
    entries[0].code = 0x01300000;
    entries[0].loaded = true;
    entries[0].data.assign(5, 70.0);
    CalcRequest req;
    req.quiet = true;
    req.extraEntries = &entries;
    CalculateFile(cf, TeleDesc{}, req);
    EXPECT_EQ(entries[0].first.leqs.size(), 1u);
    EXPECT_EQ(entries[0].first.durations, std::vector<double>{0.0});
    EXPECT_EQ(cf.settings.scanInterval, 10.0);  // left as it was
}
