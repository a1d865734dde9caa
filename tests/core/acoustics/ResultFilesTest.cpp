#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

#include "DemoData.h"
#include "InstrumentFiles.h"
#include "TestSupport.h"
#include "core/acoustics/CalculateFile.h"
#include "core/acoustics/HistogramFile.h"
#include "core/acoustics/ResultFiles.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A sound level meter file whose Fast A levels are given (C = A + 5), one record a second.
std::string writeLevels(const ScratchDir& dir, const std::string& name, const std::vector<double>& laf) {
    const auto& src = demoSource();
    const fixtures::TypeSource* type = nullptr;
    for (const auto& t : src.types)
        if (t.typeCode == fixtures::kSlmType) type = &t;
    std::vector<fixtures::RecordBuilder> recs;
    for (std::size_t i = 0; i < laf.size(); ++i) {
        fixtures::RecordBuilder r(type->codes, type->effectiveRecordSize());
        r.setRaw(0x50040000, 0xA1B2C3);
        r.setRaw(0x201C0000, fixtures::kSlmInstrument);
        r.setDateTime(fromCivilSeconds(toCivilSeconds({2021, 3, 15, 10, 0, 0}) + static_cast<std::int64_t>(i)));
        r.setLevel(0x01300100, laf[i]);
        r.setLevel(0x01300101, laf[i] + 5);
        recs.push_back(r);
    }
    const std::string path = dir.file(name);
    writeBytes(path, fixtures::joinRecords(recs));
    struct utimbuf times {1615803011, 1615803011};  // 15/03/21 10:10:11 UTC
    utime(path.c_str(), &times);
    return path;
}

struct CalcRun {
    CalcFile cf;
    CalcReport report;
};

CalcRun calculate(const std::string& path, std::vector<ParameterEntry> entries, const ResultOptions& options,
              FileWorkMode mode = FileWorkMode::Records, const std::function<void(CalcFile&)>& prepare = {}) {
    Result<MeasurementFile> f = LoadMeasurementFile(path, mode, demoDesc());
    EXPECT_TRUE(f.ok());
    CalcRun run{openForCalculation(std::move(*f)), {}};
    run.cf.entries = std::move(entries);
    if (prepare) prepare(run.cf);
    CalcRequest req;
    req.options = options;
    run.report = CalculateFile(run.cf, demoDesc(), req);
    return run;
}

ParameterEntry fastA(bool sub = true) {
    ParameterEntry e;
    e.code = 0x01300100;
    e.flags.minimum = e.flags.maximum = e.flags.leq = e.flags.percentiles = true;
    if (sub) {
        ParameterEntry c;
        c.code = 0x01300101;
        e.subEntries.push_back(c);
    }
    return e;
}

ResultOptions optionsFor(const ScratchDir& dir) {
    ResultOptions o;
    o.resultFolder = dir.path().string() + "/";
    o.baseName = "m";
    return o;
}

}  // namespace

TEST(ResultFiles, GroupedLayoutWithASubEntry) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70, 60, 70});
    const CalcRun run = calculate(path, {fastA()}, optionsFor(dir));
    ASSERT_EQ(run.report.messages.size(), 1u);
    EXPECT_EQ(run.report.messages[0].id, 310);  // 4 samples are too few for percentiles
    EXPECT_EQ(readText(dir.file("m_A_Быстро.txt")),
              path +
                  "\n15/03/21\n10:10:11\nзапись\nШумомер SLM-101\n00A1B2C3\n"
                  "Maximum: A, Быстро\nA\t70\t\nC\t75\t\n"
                  "Minimum: A, Быстро\nA\t60\t\nC\t65\t\n"
                  "Leq: A, Быстро\nA\t67.4036\t\nВремя Leq\t4\t\nC\t72.4036\t\n"
                  "Percentile L5: A, Быстро\nA\t71\t\nC\t76\t\n"
                  "Percentile L95: A, Быстро\nA\t61\t\nC\t66\t\n");
}

TEST(ResultFiles, TwoVariantsPlainLayoutCsvAndScanTimes) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70, 60, 70});
    ParameterEntry e = fastA(false);
    e.flags.uncorrected = true;
    e.flags.percentiles = false;
    ResultOptions o = optionsFor(dir);
    o.grouped = false;
    o.csv = true;
    calculate(path, {e}, o, FileWorkMode::Records, [](CalcFile& cf) {
        Corrections c{};
        c[static_cast<std::size_t>(correctionIndex(3, 0))] = 10.0;
        ASSERT_TRUE(cf.ranges.AddCorrectionZone(2, 3, c).ok());  // the last two samples
        cf.settings.scanning = true;
        cf.settings.scanInterval = 2;
        cf.settings.scanStep = 2;
    });
    const std::string text = readText(dir.file("m_A_Быстро.csv"));
    EXPECT_NE(text.find("ScanTime;00:00:00;00:00:02\n"), std::string::npos) << text;
    EXPECT_NE(text.find("A, Быстро A\nMaximum без корр.;70;70;\nMaximum с корр.;70;80;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("LEq без корр.;67.4036;67.4036;\nLEq с корр.;67.4036;77.4036;\n"
                        "Время LEq без корр.;2;2;\nВремя LEq с корр.;2;2;\n"),
              std::string::npos)
        << text;
}

TEST(ResultFiles, TwoVariantsGroupedWithoutLeqTime) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70});
    ParameterEntry e = fastA();
    e.flags = {};
    e.flags.leq = e.flags.uncorrected = true;
    ResultOptions o = optionsFor(dir);
    o.noLeqTime = true;
    calculate(path, {e}, o);
    const std::string text = readText(dir.file("m_A_Быстро.txt"));
    EXPECT_EQ(text.substr(text.find("Leq:")),
              "Leq: A, Быстро\nA без корр.\t67.4036\t\nA с корр.\t67.4036\t\n"
              "C без корр.\t72.4036\t\nC с корр.\t72.4036\t\n");
}

TEST(ResultFiles, OneFileSharedHeaderAndReplacement) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70});
    ParameterEntry a = fastA(false);
    a.flags = {};
    a.flags.maximum = true;
    ParameterEntry c = a;
    c.code = 0x01300101;
    ResultOptions o = optionsFor(dir);
    o.singleFile = true;
    calculate(path, {a, c}, o);
    calculate(path, {a, c}, o);  // the second run replaces the file
    const std::string text = readText(dir.file("m.txt"));
    EXPECT_EQ(text.substr(0, 1 + path.size()), "\n" + path);
    EXPECT_EQ(text.find(path, 2), std::string::npos);  // one header
    EXPECT_NE(text.find("Maximum: A, Быстро\nA\t70\t\n\nMaximum: C, Быстро\nC\t75\t\n"), std::string::npos) << text;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // m.bin, m.txt
}

TEST(ResultFiles, FileNamesNoFileWithoutStatisticsAndUnwritableFolders) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70});
    ParameterEntry named = fastA(false);
    named.displayName = "a/b:c";
    ParameterEntry nothing = fastA(false);
    nothing.flags = {};
    nothing.flags.plot = true;
    calculate(path, {named, nothing}, optionsFor(dir));
    EXPECT_TRUE(std::filesystem::exists(dir.file("m_a~b c.txt")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

    ResultOptions bad = optionsFor(dir);
    bad.resultFolder = "/nonexistent-folder/";
    const CalcRun run = calculate(path, {fastA(false), named}, bad);
    ASSERT_GE(run.report.messages.size(), 2u);
    EXPECT_EQ(run.report.messages[0].id, 105);
    EXPECT_EQ(run.report.messages[1].id, 105);
}

TEST(ResultFiles, HistogramFileAndReadingItBack) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60.5, 70.2, 60.7});
    ParameterEntry e = fastA();
    e.flags = {};
    e.flags.histogram = true;
    calculate(path, {e}, optionsFor(dir), FileWorkMode::Records, [](CalcFile& cf) {
        cf.settings.histogram.lower = 50;
        cf.settings.histogram.classes = 30;
    });
    EXPECT_FALSE(std::filesystem::exists(dir.file("m_A_Быстро.txt")));  // no statistic asked
    const std::string text = readText(dir.file("m_A_Быстро_H.txt"));
    std::string counts(32, '0');
    EXPECT_EQ(text.substr(0, text.find('\t')), "#comment_histo: 50 80 1 0\nHistogram: A, Быстро\nA");
    HistogramFile h;
    ASSERT_TRUE(readHistogramFile(text, h));
    EXPECT_EQ(h.lower, 50);
    EXPECT_EQ(h.upper, 80);
    EXPECT_EQ(h.seriesName, "Histogram: A, Быстро\nA");
    ASSERT_EQ(h.series.size(), 2u);
    EXPECT_EQ(h.series[0].first, "A");
    ASSERT_EQ(h.series[0].second.size(), 32u);
    EXPECT_EQ(h.series[0].second[11], 2);  // 60.5 and 60.7 in [60, 61)
    EXPECT_EQ(h.series[0].second[21], 1);
    EXPECT_EQ(h.series[1].second[26], 1);  // C: 75.2
    const auto labels = histogramClassLabels(h, 32);
    EXPECT_EQ(labels[0], "<50");
    EXPECT_EQ(labels[1], "<51\n[50 - 51]");
    EXPECT_EQ(labels[31], ">=80");
    EXPECT_FALSE(readHistogramFile("no tag here\n", h));
}

TEST(ResultFiles, SampleModeWritesNoPercentilesNorHistograms) {
    ScratchDir dir;
    const std::string path = dir.file("st.bin");
    writeBytes(path, fixtures::makeStationFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 12, 5, 1));
    ParameterEntry e;
    e.code = 0x01300100;
    e.flags.leq = e.flags.percentiles = e.flags.histogram = true;
    const CalcRun run = calculate(path, {e}, optionsFor(dir), FileWorkMode::Samples);
    const std::string text = readText(dir.file("m_A_Быстро.txt"));
    EXPECT_NE(text.find("выборка\n"), std::string::npos);
    EXPECT_NE(text.find("Leq: A, Быстро"), std::string::npos);
    EXPECT_EQ(text.find("Percentile"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("m_A_Быстро_H.txt")));
}

TEST(ResultFiles, ExcludedWindowsKeepEveryRowAlignedWithTheWindowTimes) {
    // Five windows of two samples; the second and third hold only excluded samples.
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 60, 70, 70, 80, 80, 65, 65, 75, 75});
    ParameterEntry e = fastA(false);
    e.flags.minimum = e.flags.maximum = false;
    const CalcRun run = calculate(path, {e}, optionsFor(dir), FileWorkMode::Records, [](CalcFile& cf) {
        ASSERT_TRUE(cf.ranges.AddExclusionZone(2, 5).ok());
        cf.settings.scanning = true;
        cf.settings.scanInterval = cf.settings.scanStep = 2;
    });
    const std::string text = readText(dir.file("m_A_Быстро.txt"));
    EXPECT_NE(text.find("ScanTime\t00:00:00\t00:00:02\t00:00:04\t00:00:06\t00:00:08\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Leq: A, Быстро\nA\t60\t0\t0\t65\t75\t\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Percentile L5: A, Быстро\nA\t61\t0\t0\t66\t76\t\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Percentile L95: A, Быстро\nA\t61\t0\t0\t66\t76\t\n"), std::string::npos) << text;
}

TEST(ResultFiles, AParameterWithoutAnyValueSaysSo) {
    ScratchDir dir;
    const std::string path = writeLevels(dir, "m.bin", {60, 70});
    ParameterEntry missing;
    missing.code = 0x01300500;  // a detector the file does not store
    missing.flags.leq = true;
    const CalcRun run = calculate(path, {fastA(false), missing}, optionsFor(dir));
    std::vector<int> ids;
    for (const Message& m : run.report.messages) ids.push_back(m.id);
    EXPECT_EQ(ids, (std::vector<int>{msg::NoValueForParameter, msg::InsufficientSamples}));
    EXPECT_EQ(run.report.messages[0].severity(), Severity::Failure);
}
