#include <gtest/gtest.h>

#include <cmath>

#include "DemoData.h"
#include "InstrumentFiles.h"
#include "TestSupport.h"
#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/ParameterChooser.h"
#include "core/acoustics/StoredHistograms.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A station file with `n` histogram blocks; each first-stream histogram holds
// `count` in 0.5-dB class `cls`, the second stream twice as much.
std::string stationFile(const ScratchDir& dir, int blocks, int cls, std::uint32_t count) {
    const fixtures::RecordBuilder header = fixtures::stationHeader(demoSource(), {2024, 1, 1, 0, 0, 0});
    std::vector<fixtures::MonitoringItem> items;
    for (int b = 0; b < blocks; ++b) {
        fixtures::MonitoringItem e;
        e.entry = {0x3C00, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        items.push_back(e);
        fixtures::MonitoringItem h;
        h.histogram = true;
        h.first.words[static_cast<std::size_t>(2 * cls)] = static_cast<std::uint16_t>(count);
        h.second.words[static_cast<std::size_t>(2 * cls)] = static_cast<std::uint16_t>(2 * count);
        items.push_back(h);
    }
    const std::string path = dir.file("station.bin");
    writeBytes(path, fixtures::writeMonitoringStream(header, items));
    return path;
}

CalcFile open(const std::string& path) {
    Result<MeasurementFile> f = LoadMeasurementFile(path, FileWorkMode::Histograms, demoDesc());
    EXPECT_TRUE(f.ok());
    return openForCalculation(std::move(*f));
}

}  // namespace

TEST(StoredHistograms, StationCountsAreSplitIntoQuarterDecibelClasses) {
    ScratchDir dir;
    CalcFile cf = open(stationFile(dir, 3, 200, 7));
    ASSERT_EQ(cf.file.count, 3);
    Series data, data2;
    ASSERT_TRUE(loadStoredHistogram(cf.file, cf.settings, cf.ranges, 0, false, data, data2).ok());
    EXPECT_EQ(data[400], 9.0);   // floor(7/2) from each of three intervals
    EXPECT_EQ(data[401], 12.0);  // 7 − 3 from each
    EXPECT_TRUE(data2.empty());

    // An excluded interval goes only into the first series when both variants are kept.
    ASSERT_TRUE(cf.ranges.AddExclusionZone(550, 650).ok());  // the second interval, at 600 s
    ASSERT_TRUE(loadStoredHistogram(cf.file, cf.settings, cf.ranges, 1, true, data, data2).ok());
    EXPECT_EQ(data[400] + data[401], 3 * 14.0);
    EXPECT_EQ(data2[400] + data2[401], 2 * 14.0);
    ASSERT_TRUE(loadStoredHistogram(cf.file, cf.settings, cf.ranges, 1, false, data, data2).ok());
    EXPECT_EQ(data[400] + data[401], 2 * 14.0);
}

TEST(StoredHistograms, HistogramModeCalculationAndSynthesizedLevels) {
    ScratchDir dir;
    CalcFile cf = open(stationFile(dir, 2, 200, 100));  // 100 counts in 100.0–100.5 dB
    ParameterEntry h;
    h.code = kStoredHistogramCode;
    h.flags.leq = h.flags.maximum = h.flags.percentiles = true;
    ParameterEntry synth;
    synth.code = kSynthesizedLeqCode;
    cf.entries = {h, synth};
    CalcRequest req;
    req.quiet = true;
    req.extraEntries = &cf.entries;
    const CalcReport report = CalculateFile(cf, demoDesc(), req);
    const ParameterEntry& e = cf.entries[0];
    ASSERT_EQ(e.first.leqs.size(), 1u);
    EXPECT_EQ(e.first.maxima[0], 100.25);
    EXPECT_EQ(e.first.minima[0], 100.0);
    EXPECT_NEAR(e.first.leqs[0], 10 * std::log10((100 * std::pow(10, 10.0125) + 100 * std::pow(10, 10.0375)) / 200), 1e-9);
    EXPECT_DOUBLE_EQ(e.first.durations[0], 200 * kHistogramSamplePeriod);
    EXPECT_EQ(e.first.histogramCount, 200);
    ASSERT_EQ(cf.entries[1].data.size(), 2u);
    EXPECT_NEAR(cf.entries[1].data[0], 10 * std::log10(std::pow(10, 10.025)), 1e-9);
    EXPECT_TRUE(cf.entries[1].first.leqs.empty());
    EXPECT_TRUE(report.messages.empty());
}

TEST(StoredHistograms, MntRunningCountersDifferFromTheirPredecessor) {
    ScratchDir dir;
    const auto bytes = fixtures::makeDosimeterMnt(demoSource(), {2024, 5, 23, 8, 0, 0}, 40, 10, 1);
    const std::string path = dir.file("d.mnt");
    writeBytes(path, bytes);
    CalcFile cf = open(path);
    ASSERT_EQ(cf.file.count, 4);
    Series data, data2, synth;
    ASSERT_TRUE(loadStoredHistogram(cf.file, cf.settings, cf.ranges, 0, false, data, data2).ok());
    // Each set adds 10 records × 10 counts; the first set has no predecessor.
    double total = 0;
    for (double c : data) total += c;
    EXPECT_EQ(total, 3 * 100.0);
    ASSERT_TRUE(loadSynthesizedLeq(cf.file, 0, synth).ok());
    ASSERT_EQ(synth.size(), 4u);
    EXPECT_EQ(synth[0], 0.0);
    EXPECT_GT(synth[1], 70.0);
}

TEST(StoredHistograms, EveryHistogramItemOfTheChooserLoadsAndCalculates) {
    ScratchDir dir;
    CalcFile cf = open(stationFile(dir, 2, 200, 100));  // stream 0: 100 counts a block, stream 1: 200
    const ParameterChooser chooser(NamingContext{&demoDesc(), &cf.file.layout, &cf.file.header}, true);
    int histograms = 0, synthesized = 0;
    for (int mode : chooser.modes(3, 0)) {
        for (const ChooserBand& item : chooser.bands(3, 0, mode)) {
            const ParameterKind kind = parameterKind(item.code);
            if (kind != ParameterKind::StoredHistogram && kind != ParameterKind::SynthesizedLeq) continue;
            ParameterEntry e = ParameterChooser::build(item, 1);
            e.flags.leq = e.flags.percentiles = true;
            std::vector<ParameterEntry> extra = {e};
            CalcRequest req;
            req.quiet = true;
            req.extraEntries = &extra;
            const CalcReport report = CalculateFile(cf, demoDesc(), req);
            EXPECT_TRUE(report.messages.empty()) << item.text;
            const std::int64_t perBlock = histogramStream(item.code) == 0 ? 100 : 200;
            if (kind == ParameterKind::StoredHistogram) {
                ++histograms;
                ASSERT_EQ(extra[0].first.leqs.size(), 1u) << item.text;
                EXPECT_EQ(extra[0].first.histogramCount, 2 * perBlock) << item.text;  // two blocks
                EXPECT_EQ(extra[0].first.percentiles[0].size(), 1u) << item.text;
            } else {
                ++synthesized;
                ASSERT_EQ(extra[0].data.size(), 2u) << item.text;  // one level per stored interval
                EXPECT_GT(extra[0].data[0], 100.0) << item.text;
            }
        }
    }
    EXPECT_GT(histograms, 1);
    EXPECT_EQ(histograms, synthesized);
}
