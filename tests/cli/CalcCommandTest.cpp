#include <gtest/gtest.h>

#include <sys/time.h>

#include <cstdlib>
#include <filesystem>

#include "DemoData.h"
#include "GoldenFile.h"
#include "TestSupport.h"
#include "core/base/TextCodec.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {
// Result files begin with the data file's path and its last-write time in
// local time: the time is fixed here (20/05/24 09:00:00 UTC) and the path is
// compared as "<dir>/street.bin".
std::string demoFile(const ScratchDir& dir, int records = 300) {
    const std::string path = dir.file("street.bin");
    writeBytes(path, fixtures::makeSlmFile(demoSource(), {2024, 5, 20, 9, 0, 0}, records, 1));
    const timeval written[2] = {{1716195600, 0}, {1716195600, 0}};
    ::utimes(path.c_str(), written);
    ::setenv("TZ", "UTC", 1);
    return path;
}
}  // namespace

TEST(CliCalc, WritesResultFilesIntoANewFolder) {
    ScratchDir dir;
    const std::string data = demoFile(dir);
    const std::string out = dir.file("results/deeper");
    const CliRun r = runCli("calc " + data + " -o " + out +
                            " --param 0x01300100:min,max,leq,pct,hist:2 --param 17825792:leq --scan 60:30 "
                            "--exclude 10:20 --exclude 15:40 --correct 100:200:3.0=1.5,3.1=-2 --classes 30:0.5:200 "
                            "--percentiles 10,90");
    ASSERT_EQ(r.status, 0) << r.out;
    // Scanned windows, the sub-entry's row, percentiles and the histogram file;
    // the second parameter is given by the decimal code of 0x01100000.
    const std::pair<const char*, const char*> files[] = {{"street_A_Быстро.txt", "calc/scan_A_fast.txt"},
                                                         {"street_A_Быстро_H.txt", "calc/scan_A_fast_H.txt"},
                                                         {"street_31,5 Гц_Экв.txt", "calc/scan_31.5Hz_eq.txt"}};
    for (const auto& [written, golden] : files) {
        ASSERT_TRUE(std::filesystem::exists(out + "/" + written)) << written;
        EXPECT_TRUE(matchesGolden(golden, withScratchFolder(readText(out + "/" + written), dir)));
    }
}

TEST(CliCalc, OptionsOfTheLayout) {
    ScratchDir dir;
    const std::string data = demoFile(dir);
    const std::string options = " --param 0x01300100:leq,uncorr --csv --single-file --plain --no-leq-time";
    CliRun r = runCli("calc " + data + " -o " + dir.file("o") + options);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(matchesGolden("calc/one_file_plain.csv", withScratchFolder(readText(dir.file("o/street.csv")), dir)));
    // The same file in the 8-bit Cyrillic code page.
    r = runCli("--encoding cp1251 calc " + data + " -o " + dir.file("c") + options);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(withScratchFolder(readText(dir.file("c/street.csv")), dir),
              utf8ToCp1251(goldenBytes("calc/one_file_plain.csv")));
}

TEST(CliCalc, MessagesAndExitStatus) {
    ScratchDir dir;
    const std::string data = demoFile(dir, 50);
    // Fewer than 100 samples for percentiles: the message, still a success.
    CliRun r = runCli("calc " + data + " -o " + dir.file("o") + " --param 0x01300100:pct");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Недостаточно данных для расчета Ln"), std::string::npos) << r.out;
    // A result file that cannot be created.
    std::filesystem::create_directories(dir.file("o2/street_A_Быстро.txt/blocked"));
    r = runCli("calc " + data + " -o " + dir.file("o2") + " --param 0x01300100:leq --param 0x01300000:leq");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Не могу открыть файл"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("o2/street_A_Экв.txt")));  // the others are written
    // Usage errors.
    for (const char* bad : {"--param 0x01300100:avg", "--param zz:leq", "--param 0x01300100:leq:0",
                            "--param 0x01300100:leq --scan 10", "--param 0x01300100:leq --exclude 1",
                            "--param 0x01300100:leq --correct 1:2:4.0=1", "--param 0x01300100:leq --classes 1:2",
                            "--param 0x01300100:leq --range 5:0", "--param 0x01300100:leq --range -1:10"}) {
        r = runCli("calc " + data + " -o " + dir.file("o3") + " " + bad);
        EXPECT_EQ(r.status, 2) << bad << ": " << r.out;
    }
    EXPECT_EQ(runCli("calc " + dir.file("missing.bin") + " -o " + dir.file("o4") + " --param 1:leq").status, 1);
}

TEST(CliCalc, ValuesThatBreakTheCalculationAreRefused) {
    ScratchDir dir;
    const std::string data = demoFile(dir, 120);
    for (const char* bad : {"--classes 20:0:100", "--classes 20:-1:100", "--classes 20:1:0", "--scan -5:1",
                            "--scan 10:0", "--percentiles 150,-3", "--percentiles 0", "--percentiles 100",
                            "--exclude 500:600"}) {
        const CliRun r = runCli("calc " + data + " -o " + dir.file("bad") + " --param 0x01300100:pct " + bad);
        EXPECT_EQ(r.status, 1) << bad << ": " << r.out;
        EXPECT_FALSE(r.out.empty()) << bad;
        EXPECT_FALSE(std::filesystem::exists(dir.file("bad/street_A_Быстро.txt"))) << bad;
    }
}

TEST(CliCalc, AZoneReachingPastTheRecordIsCutToIt) {
    ScratchDir dir;
    const std::string data = demoFile(dir, 310);  // 0 … 309 s
    const CliRun r = runCli("calc " + data + " -o " + dir.file("o") + " --param 0x01300100:leq --exclude 300:310");
    ASSERT_EQ(r.status, 0) << r.out;
    // Samples 300 … 309 are left out: 300 s of Leq time remain.
    EXPECT_NE(readText(dir.file("o/street_A_Быстро.txt")).find("Время Leq\t300\t"), std::string::npos);
}

TEST(CliCalc, StoredHistogramCodesWithChannelAndPositionLoad) {
    ScratchDir dir;
    const std::string data = dir.file("station.bin");
    writeBytes(data, fixtures::makeStationFile(demoSource(), {2024, 5, 20, 9, 0, 0}, 400, 100, 7));
    CliRun r = runCli("calc " + data + " -o " + dir.file("o") + " --mode histograms --param 0x20260100:min,max,leq");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string text = readText(dir.file("o/station_Гистогр. A_Экв.txt"));
    EXPECT_NE(text.find("Leq: Гистогр. A, Экв\nA\t6"), std::string::npos) << text;
    // A parameter with no value says so and fails instead of writing empty rows.
    r = runCli("calc " + data + " -o " + dir.file("o2") + " --mode histograms --param 0x01300000:leq");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("не дал ни одного значения"), std::string::npos) << r.out;
}
