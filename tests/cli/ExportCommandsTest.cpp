#include <gtest/gtest.h>

#include <filesystem>

#include "DemoData.h"
#include "GoldenFile.h"
#include "TestSupport.h"
#include "core/base/TextCodec.h"
#include "core/measurement/RecordDump.h"
#include "core/project/ReportConfig.h"
#include "core/project/SummaryColumns.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(CliExports, DumpOneOrJoinedAndEncoding) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 1, 1));
    writeBytes(dir.file("b.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 15, 9, 30, 15}, 2, 2));
    ASSERT_EQ(runCli("dump " + dir.file("a.bin") + " -o " + dir.file("a.txt")).status, 0);
    EXPECT_TRUE(matchesGolden("dump/one.txt", readText(dir.file("a.txt"))));
    // Joined: one file, the records numbered anew for each data file.
    ASSERT_EQ(runCli("dump --joined " + dir.file("a.bin") + " " + dir.file("b.bin") + " -o " + dir.file("j.txt")).status, 0);
    EXPECT_TRUE(matchesGolden("dump/joined.txt", readText(dir.file("j.txt"))));
    ASSERT_EQ(runCli("--encoding cp1251 dump " + dir.file("a.bin") + " -o " + dir.file("c.txt")).status, 0);
    EXPECT_EQ(readText(dir.file("c.txt")), utf8ToCp1251(goldenBytes("dump/one.txt")));
    EXPECT_EQ(runCli("dump " + dir.file("a.bin") + " " + dir.file("b.bin") + " -o " + dir.file("x.txt")).status, 2);
    EXPECT_EQ(runCli("dump " + dir.file("none.bin") + " -o " + dir.file("x.txt")).status, 1);
}

TEST(CliExports, SummaryRemembersItsColumnsPerKindOfFile) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 2, 1));
    const std::string cfg = dir.file("report.cfg");
    CliRun r = runCli("summary " + dir.file("a.bin") + " -o " + dir.file("s.csv") +
                      " --column 0:1:2 --band 0 --no-vin --config " + cfg);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(matchesGolden("summary/chosen_columns.csv", readText(dir.file("s.csv"))));
    ASSERT_EQ(ReportConfig::load(cfg).list(60101).size(), 1u);
    // Without --column the stored list is used (and the serial number is back).
    r = runCli("summary " + dir.file("a.bin") + " -o " + dir.file("t.csv") + " --config " + cfg);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(matchesGolden("summary/stored_columns.csv", readText(dir.file("t.csv"))));
    // Different types: the message, nothing written.
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    r = runCli("summary " + dir.file("a.bin") + " " + dir.file("v.bin") + " -o " + dir.file("u.csv") + " --column 0:0:0");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Разные типы файлов"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("u.csv")));
    EXPECT_EQ(runCli("summary " + dir.file("a.bin") + " -o " + dir.file("w.csv") + " --column 1:2").status, 2);
    EXPECT_EQ(runCli("summary " + dir.file("a.bin") + " -o " + dir.file("w.csv")).status, 2);
}

// The summary dialog's columns ("Все" of every family) head the batch tool's
// summary exactly as the dialog names them.
TEST(CliExports, SummaryColumnsOfTheDialogModelMatchTheBatchTool) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 2, 1));
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    for (const std::string file : {"a.bin", "v.bin"}) {
        std::uint16_t type = 0;
        ASSERT_TRUE(readSummaryType(dir.file(file), type));
        Result<SummaryColumnModel> model = SummaryColumnModel::forType(demoDesc(), type);
        ASSERT_TRUE(model.ok()) << file;
        std::string args, expected = "Имя файла; ";
        int count = 0;
        for (int f : model->families())
            for (const ReportColumn& c : model->allColumns(f, 0)) {
                const auto code = static_cast<std::uint32_t>(c.code);
                args += " --column " + std::to_string(code >> 24) + ":" + std::to_string((code >> 8) & 0xFF) + ":" +
                        std::to_string(code & 0xFF);
                expected += c.name + "; ";
                ++count;
            }
        ASSERT_GT(count, 1) << file;
        const CliRun r = runCli("summary " + dir.file(file) + " -o " + dir.file("s.csv") +
                                " --no-date --no-time --no-vin --no-duration" + args);
        ASSERT_EQ(r.status, 0) << r.out;
        const std::string text = readText(dir.file("s.csv"));
        EXPECT_EQ(text.substr(0, text.find('\n')), expected) << file;
    }
    EXPECT_FALSE(SummaryColumnModel::forType(demoDesc(), 1).ok());
}

// A dump or summary that fails leaves no partial output and no temporary file:
// an existing output stays as it was, a new one is not made.
TEST(CliExports, FailedExportLeavesNoPartialOutput) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 2, 1));
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    writeBytes(dir.file("old.txt"), {'o', 'l', 'd'});
    const std::string a = dir.file("a.bin");
    const struct {
        std::string args;
        const char* output;
    } cases[] = {
        {"dump --joined " + a + " " + dir.file("none.bin") + " -o ", "new.txt"},
        {"dump --joined " + a + " " + dir.file("none.bin") + " -o ", "old.txt"},
        {"summary " + a + " " + dir.file("v.bin") + " --column 0:0:0 -o ", "old.txt"},
        {"summary " + a + " " + dir.file("none.bin") + " --column 0:0:0 -o ", "new.txt"},
    };
    for (const auto& c : cases) {
        const CliRun r = runCli(c.args + dir.file(c.output));
        EXPECT_EQ(r.status, 1) << c.args << r.out;
    }
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.bin", "old.txt", "v.bin"}));
    EXPECT_EQ(readText(dir.file("old.txt")), "old");
}
