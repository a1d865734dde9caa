#include <gtest/gtest.h>

#include "../../platform/SheetReader.h"
#include "../TableTestSupport.h"
#include "core/tables/TableCommands.h"
#include "core/tables/io/TableWorkbookExport.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(TableWorkbookExport, FontPointsOfTheSizeSteps) {
    const int expected[] = {8, 8, 10, 12, 13, 17, 24, 36, 36};
    for (std::uint32_t step = 0; step <= 8; ++step)
        EXPECT_EQ(workbookFontPoints(step | cellfont::Bold), expected[step]) << step;
}

TEST(TableWorkbookExport, AReaderSeesMergesValuesFormatsAndHiddenRows) {
    ScratchDir dir;
    Sheet s(4, 3);
    s.text("A1", "Шум на площадке").text("A2", "день\r\nночь").text("B2", "55").formula("C2", "1/");
    s.text("C3", "excluded row").text("A4", "<b> & 1");
    ASSERT_TRUE(MergeCellsCommand(s.t, CellRect{0, 0, 3, 1}));  // A1:C1
    TableCell& caption = s.t.cell(at("A1"));
    caption.font = 3 | cellfont::Bold | cellfont::Italic;
    caption.fontFace = "Times New Roman";
    caption.alignment = cellalign::HCentre | (cellalign::Middle << 16);
    caption.textColour = 0x0000FF;  // red
    caption.background = 0xFFFF00;  // cyan, as 0x00BBGGRR
    s.t.cell(at("B2")).alignment = cellalign::Right | (cellalign::Bottom << 16);
    s.t.cell(at("A1")).height = 40;
    s.t.cell(at("A1")).width = 100;
    s.t.cell(at("B1")).width = 6;
    s.t.cell(at("A3")).flags |= cellflag::RowExcluded;
    s.t.cell(at("C1")).flags |= cellflag::ColumnExcluded;
    s.draw();
    ASSERT_TRUE(ExportTableWorkbook(s.t, s.drawn, dir.file("t.xlsx")).ok());

    const auto sheet = readSheetWithOpenpyxl(dir.file("t.xlsx"));
    ASSERT_EQ(sheet.count("error"), 0u) << sheetValue(sheet, "error");
    EXPECT_EQ(sheetValue(sheet, "merges"), "A1:C1");
    EXPECT_EQ(sheetValue(sheet, "A1.value"), "Шум на площадке");
    EXPECT_EQ(sheetValue(sheet, "A1.font"), "Times New Roman");
    EXPECT_EQ(sheetValue(sheet, "A1.size"), "12");
    EXPECT_EQ(sheetValue(sheet, "A1.bold"), "1");
    EXPECT_EQ(sheetValue(sheet, "A1.italic"), "1");
    EXPECT_EQ(sheetValue(sheet, "A1.colour"), "FFFF0000");
    EXPECT_EQ(sheetValue(sheet, "A1.fill"), "FF00FFFF");
    EXPECT_EQ(sheetValue(sheet, "A1.halign"), "center");
    EXPECT_EQ(sheetValue(sheet, "A1.valign"), "center");
    EXPECT_EQ(sheetValue(sheet, "A1.numfmt"), "@");
    EXPECT_EQ(sheetValue(sheet, "A2.value"), "день\\nночь");
    EXPECT_EQ(sheetValue(sheet, "A2.wrap"), "1");
    EXPECT_EQ(sheetValue(sheet, "A2.colour"), "FF000000");
    EXPECT_EQ(sheetValue(sheet, "A2.fill"), "");  // white stays unfilled
    EXPECT_EQ(sheetValue(sheet, "A2.size"), "8");
    EXPECT_EQ(sheetValue(sheet, "A2.font"), "Arial");
    EXPECT_EQ(sheetValue(sheet, "B2.value"), "55");  // text, not a number
    EXPECT_EQ(sheetValue(sheet, "B2.type"), "str");
    EXPECT_EQ(sheetValue(sheet, "B2.halign"), "right");
    EXPECT_EQ(sheetValue(sheet, "B2.wrap"), "0");
    EXPECT_EQ(sheetValue(sheet, "C2.value"), "");  // "???" left empty
    EXPECT_EQ(sheetValue(sheet, "C2.numfmt"), "@");
    EXPECT_EQ(sheetValue(sheet, "A4.value"), "<b> & 1");
    // 40 px -> 30 points; 20 px -> 15 points (the default height); row 3 hidden.
    EXPECT_EQ(sheetValue(sheet, "row1.height"), "30");
    EXPECT_EQ(sheetValue(sheet, "row3.hidden"), "1");
    EXPECT_NE(sheetValue(sheet, "row2.hidden"), "1");
    EXPECT_EQ(sheetValue(sheet, "colC.hidden"), "1");
    EXPECT_EQ(sheetValue(sheet, "colA.hidden"), "0");
    EXPECT_GE(std::stod(sheetValue(sheet, "colA.width")), 14.0);  // 100 / 7 characters
    EXPECT_LT(std::stod(sheetValue(sheet, "colA.width")), 15.0);
    EXPECT_EQ(sheetValue(sheet, "colB.hidden"), "1");  // 6 / 7 = 0 characters wide
}

TEST(TableWorkbookExport, OverlappingBlocksFromAFileStillGiveAValidWorkbook) {
    // Flags no merge command makes: B1 starts a block of its own inside A1's.
    ScratchDir dir;
    Sheet s(2, 3);
    s.text("A1", "outer").text("B2", "inner");
    s.t.cell(at("B1")).flags = cellflag::CoveredFromLeft;
    s.t.cell(at("A2")).flags = cellflag::CoveredFromAbove;
    s.t.cell(at("C2")).flags = cellflag::CoveredFromLeft;
    s.draw();
    ASSERT_TRUE(ExportTableWorkbook(s.t, s.drawn, dir.file("t.xlsx")).ok());
    const auto sheet = readSheetWithOpenpyxl(dir.file("t.xlsx"));
    ASSERT_EQ(sheet.count("error"), 0u) << sheetValue(sheet, "error");
    EXPECT_EQ(sheetValue(sheet, "merges"), "A1:B2");
    EXPECT_EQ(sheetValue(sheet, "A1.value"), "outer");
}
