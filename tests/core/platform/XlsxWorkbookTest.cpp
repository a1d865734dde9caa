#include <gtest/gtest.h>

#include <filesystem>

#include "SheetReader.h"
#include "TestSupport.h"
#include "core/platform/XlsxWorkbook.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(XlsxWorkbook, MergesFormatsAndSizesAsAReaderSeesThem) {
    ScratchDir dir;
    XlsxWorkbook book;
    XlsxFormat caption;
    caption.horizontal = XlsxFormat::Horizontal::Centre;
    caption.vertical = XlsxFormat::Vertical::Middle;
    caption.fontName = "Times New Roman";
    caption.fontSize = 12;
    caption.bold = true;
    caption.fontColour = 0;  // black: the library needs it spelt out
    caption.background = 0xFFFF00;
    caption.textNumberFormat = true;
    caption.wrap = true;
    XlsxFormat plain;
    plain.italic = true;
    plain.fontColour = 0xFF0000;

    EXPECT_TRUE(book.mergeRange(1, 1, 2, 2, "Шум\nдень", caption));
    EXPECT_TRUE(book.mergeRange(0, 0, 0, 0, "one cell", plain));  // written, not merged
    // Overlapping the block above, or reversed, or off the sheet: refused.
    EXPECT_FALSE(book.mergeRange(2, 2, 3, 3, "overlap", plain));
    EXPECT_FALSE(book.mergeRange(0, 2, 1, 1, "reversed", plain));
    EXPECT_FALSE(book.setText(-1, 0, "off the sheet", plain));
    EXPECT_TRUE(book.mergeRange(3, 1, 3, 3, "", plain));  // just below the block: fine
    book.setRowHeight(0, 30);
    book.setRowHeight(4, 0);
    book.setColumnWidth(0, 10);
    book.setColumnWidth(4, 0);
    EXPECT_TRUE(book.setText(4, 4, "hidden corner", plain));
    ASSERT_TRUE(book.save(dir.file("book.xlsx")).ok());

    const auto sheet = readSheetWithOpenpyxl(dir.file("book.xlsx"));
    ASSERT_EQ(sheet.count("error"), 0u) << sheetValue(sheet, "error");
    EXPECT_EQ(sheetValue(sheet, "merges"), "B2:C3 B4:D4");
    EXPECT_EQ(sheetValue(sheet, "B2.value"), "Шум\\nдень");
    EXPECT_EQ(sheetValue(sheet, "B2.type"), "str");
    EXPECT_EQ(sheetValue(sheet, "B2.font"), "Times New Roman");
    EXPECT_EQ(sheetValue(sheet, "B2.size"), "12");
    EXPECT_EQ(sheetValue(sheet, "B2.bold"), "1");
    EXPECT_EQ(sheetValue(sheet, "B2.colour"), "FF000000");
    EXPECT_EQ(sheetValue(sheet, "B2.fill"), "FFFFFF00");
    EXPECT_EQ(sheetValue(sheet, "B2.numfmt"), "@");
    EXPECT_EQ(sheetValue(sheet, "B2.halign"), "center");
    EXPECT_EQ(sheetValue(sheet, "B2.valign"), "center");
    EXPECT_EQ(sheetValue(sheet, "B2.wrap"), "1");
    EXPECT_EQ(sheetValue(sheet, "A1.value"), "one cell");
    EXPECT_EQ(sheetValue(sheet, "A1.italic"), "1");
    EXPECT_EQ(sheetValue(sheet, "A1.colour"), "FFFF0000");
    EXPECT_EQ(sheetValue(sheet, "A1.fill"), "");
    EXPECT_EQ(sheetValue(sheet, "A1.wrap"), "0");
    EXPECT_EQ(sheetValue(sheet, "B4.value"), "");
    EXPECT_EQ(sheetValue(sheet, "row1.height"), "30");
    EXPECT_EQ(sheetValue(sheet, "row1.hidden"), "0");
    EXPECT_EQ(sheetValue(sheet, "row5.hidden"), "1");
    EXPECT_EQ(sheetValue(sheet, "colA.hidden"), "0");
    EXPECT_EQ(sheetValue(sheet, "colE.hidden"), "1");
    // The width in characters gets the sheet's cell padding added.
    const double width = std::stod(sheetValue(sheet, "colA.width"));
    EXPECT_GE(width, 10.0);
    EXPECT_LT(width, 11.0);
}

TEST(XlsxWorkbook, TextsAreMadeFitForTheSheet) {
    ScratchDir dir;
    XlsxWorkbook book;
    XlsxFormat f;
    book.setText(0, 0, "bad \xFF byte", f);
    book.setText(1, 0, std::string(40000, 'x'), f);
    book.setText(2, 0, "\xF0\x9D\x84\x9E clef", f);
    XlsxFormat longFace;
    longFace.fontName = std::string(40, 'F');
    book.setText(3, 0, "face", longFace);
    ASSERT_TRUE(book.save(dir.file("t.xlsx")).ok());

    const auto sheet = readSheetWithOpenpyxl(dir.file("t.xlsx"));
    ASSERT_EQ(sheet.count("error"), 0u) << sheetValue(sheet, "error");
    EXPECT_EQ(sheetValue(sheet, "A1.value"), "bad \xEF\xBF\xBD byte");
    EXPECT_EQ(sheetValue(sheet, "A2.value").size(), XlsxWorkbook::MaxTextLength);
    EXPECT_EQ(sheetValue(sheet, "A3.value"), "\xF0\x9D\x84\x9E clef");
    EXPECT_EQ(sheetValue(sheet, "A4.font"), std::string(31, 'F'));
}

TEST(XlsxWorkbook, AFailedSaveLeavesNoFile) {
    ScratchDir dir;
    XlsxWorkbook book;
    book.setText(0, 0, "x", XlsxFormat{});
    const std::string path = dir.file("missing/book.xlsx");
    const Status s = book.save(path);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, 105);
    EXPECT_FALSE(std::filesystem::exists(path));
}
