#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/base/MappedFile.h"
#include "core/tables/io/TableFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A small report: levels, their energetic sum, a limit from a reference book
// and a merged caption.
ReportTable reportTable() {
    ReportTable t(3, 4);
    t.name = "Шум на площадке";
    t.texts[{0, 0}] = "Точка";
    t.texts[{0, 1}] = "День";
    t.texts[{1, 1}] = "60";
    t.texts[{2, 1}] = "60";
    t.cell(2, 0).flags = cellflag::CoveredFromLeft;
    t.formulas[{3, 1}] = CellFormula{"ESUM(B2:C2)", 0, FormulaState::Pending};
    t.formulas[{3, 2}] = CellFormula{"#Нормы#1", 0, FormulaState::Pending};
    t.cell(3, 1).numberFormat = 2;
    t.bindings[{1, 2}] = CellBinding{"yard", 0x11000102, 2, 58.44};
    t.macros[{0, 2}] = "RHIDE 3";
    return t;
}

}  // namespace

TEST(CliTable, RenderPrintsEveryCellAfterAFullDrawing) {
    ScratchDir dir;
    ReportTable t = reportTable();
    ASSERT_TRUE(TableFile::Save(t, dir.file("t.tbl")).ok());
    ASSERT_TRUE(writeBytes(dir.file("RefMap.txt"), {}));
    const std::string refmap = "NAME: Нормы\n45 Ночь\n55 День\n";
    ASSERT_TRUE(writeBytes(dir.file("RefMap.txt"), std::vector<std::uint8_t>(refmap.begin(), refmap.end())));

    CliRun r = runCli("table render " + dir.file("t.tbl"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "Точка\t\t\t\nДень\t60\t60\t63.01\n\t58.4\t\t???\n");
    r = runCli("table render " + dir.file("t.tbl") + " --refbooks " + dir.file("RefMap.txt"));
    EXPECT_EQ(r.out, "Точка\t\t\t\nДень\t60\t60\t63.01\n\t58.4\t\t55.0\n");
    r = runCli("--encoding cp1251 table render " + dir.file("t.tbl"));
    EXPECT_EQ(r.out.substr(0, 5), "\xD2\xEE\xF7\xEA\xE0");  // "Точка"
}

TEST(CliTable, SaveWritesTheCurrentVersion) {
    ScratchDir dir;
    ReportTable t = reportTable();
    ASSERT_TRUE(writeBytes(dir.file("v12.tbl"), TableFile::SaveBytes(t)));
    CliRun r = runCli("table save " + dir.file("v12.tbl") + " -o " + dir.file("out.tbl"));
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<std::uint8_t> out;
    ASSERT_TRUE(readFileBytes(dir.file("out.tbl"), out));
    EXPECT_EQ(out, TableFile::SaveBytes(t));

    // A version-1 file (the header alone) comes out as version 12 with default cells.
    ASSERT_TRUE(writeBytes(dir.file("v1.tbl"), {'T', 'B', 'L', 'S', 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0}));
    r = runCli("table save " + dir.file("v1.tbl") + " -o " + dir.file("v1out.tbl"));
    ASSERT_EQ(r.status, 0) << r.out;
    ReportTable back;
    ASSERT_TRUE(readFileBytes(dir.file("v1out.tbl"), out));
    EXPECT_EQ(out[5], 12);
    ASSERT_TRUE(TableFile::Load(back, dir.file("v1out.tbl"), nullptr).ok());
    EXPECT_EQ(back.name, "v1");
    EXPECT_EQ(back.columnCount(), 2);
    EXPECT_EQ(back.cell(1, 0).width, 70);
}

TEST(CliTable, ShowListsCellsAndMaps) {
    ScratchDir dir;
    ReportTable t = reportTable();
    ASSERT_TRUE(TableFile::Save(t, dir.file("t.tbl")).ok());
    const CliRun r = runCli("table show " + dir.file("t.tbl"));
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* part : {"\"name\": \"Шум на площадке\"", "\"rows\": 3", "\"columns\": 4", "\"numberFormat\": 2",
                             "\"fontFace\": \"Arial\"", "\"text\": \"ESUM(B2:C2)\"", "\"source\": \"yard\"",
                             "\"parameterCode\": 285212930", "\"value\": 58.44", "\"text\": \"RHIDE 3\""})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

TEST(CliTable, RefusedFiles) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("bad.tbl"), {'T', 'B', 'L', 'X', 0, 12, 0, 0, 0}));
    for (const char* cmd : {"render", "show"}) {
        const CliRun r = runCli(std::string("table ") + cmd + " " + dir.file("bad.tbl"));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "Ошибка в формате файла\n");
    }
    CliRun r = runCli("table save " + dir.file("bad.tbl") + " -o " + dir.file("out.tbl"));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.tbl")));
    r = runCli("table render " + dir.file("missing.tbl"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Не могу открыть файл"), std::string::npos);
    EXPECT_EQ(runCli("table save " + dir.file("bad.tbl")).status, 2);
}
