#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../core/platform/SheetReader.h"
#include "GoldenFile.h"
#include "TestSupport.h"
#include "core/base/MappedFile.h"
#include "core/tables/io/TableFile.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

// A caption merged over two columns, a row left out of the report whose
// block goes on below it, and texts that need care in HTML.
ReportTable exportTable() {
    ReportTable t(4, 3);
    t.texts[{0, 0}] = "Уровни <дБА>";
    t.cell(1, 0).flags = cellflag::CoveredFromLeft;
    t.texts[{0, 1}] = "left out";
    t.cell(0, 1).flags = cellflag::RowExcluded;
    t.texts[{1, 1}] = "block";
    t.cell(1, 2).flags = cellflag::CoveredFromAbove;
    t.texts[{0, 2}] = "a & b";
    t.formulas[{2, 2}] = CellFormula{"1/", 0, FormulaState::Pending};
    t.texts[{0, 3}] = "x\r\ny";
    t.texts[{2, 0}] = "\xF0\x9D\x84\x9E";  // U+1D11E, beyond the basic plane
    t.cell(0, 0).background = 0x0000FF;
    return t;
}

// Parses the HTML part of clipboard bytes with lxml: one output line per
// table row, cells as "text|colspan|rowspan|bgcolor" joined by tabs.
std::string parseClipboardHtml(const std::string& path) {
    ScratchDir dir;
    std::ofstream(dir.file("parse.py")) << R"PY(
import re, sys
import lxml.html
data = open(sys.argv[1], "rb").read()
assert data.endswith(b"\0") and data.count(b"\0") == 1, "one terminating zero"
start = int(re.search(rb"StartHTML:(\d+)", data).group(1))
end = int(re.search(rb"EndHTML:(\d+)", data).group(1))
part = data[start:end].decode("utf-8")
assert part.startswith("<HTML>") and part.endswith("</HTML>"), "offsets"
doc = lxml.html.fromstring(part)
for tr in doc.iter("tr"):
    cells = []
    for td in tr.iter("td"):
        text = "".join(td.itertext()).replace("\n", "\\n")
        cells.append("%s|%s|%s|%s" % (text, td.get("colspan", "1"), td.get("rowspan", "1"), td.get("bgcolor")))
        for br in td.iter("br"):
            cells[-1] += "|BR"
    print("\t".join(cells))
)PY";
    const std::string cmd = "/usr/bin/python3 '" + dir.file("parse.py") + "' '" + path + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return "cannot start /usr/bin/python3";
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

}  // namespace

TEST(CliTableExport, HtmlIsTheClipboardBytesAndParses) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("t.tbl"), TableFile::SaveBytes(exportTable())));
    CliRun r = runCli("table html " + dir.file("t.tbl") + " -o " + dir.file("out.bin"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(parseClipboardHtml(dir.file("out.bin")),
              "Уровни <дБА>|2|1|#FF0000\t\xF0\x9D\x84\x9E|1|1|#FFFFFF\n"
              "a & b|1|1|#FFFFFF\tblock|1|1|#FFFFFF\t|1|1|#FFFFFF\n"
              "xy|1|1|#FFFFFF|BR\t|1|1|#FFFFFF\t|1|1|#FFFFFF\n");

    // The black-and-white copy, byte for byte: white cells, black text.
    r = runCli("table html " + dir.file("t.tbl") + " --bw -o " + dir.file("bw.bin"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(matchesGolden("table/black_and_white.html", readText(dir.file("bw.bin"))));
}

TEST(CliTableExport, HtmlOfATableWithoutReportRowsIsEmpty) {
    ScratchDir dir;
    ReportTable t(1, 2);
    t.cell(0, 0).flags = cellflag::RowExcluded;
    ASSERT_TRUE(writeBytes(dir.file("t.tbl"), TableFile::SaveBytes(t)));
    CliRun r = runCli("table html " + dir.file("t.tbl") + " -o " + dir.file("out.bin"));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("исключены из отчета"), std::string::npos) << r.out;
    EXPECT_EQ(std::filesystem::file_size(dir.file("out.bin")), 0u);
}

TEST(CliTableExport, XlsxIsReadBackByAnotherReader) {
    ScratchDir dir;
    ASSERT_TRUE(writeBytes(dir.file("t.tbl"), TableFile::SaveBytes(exportTable())));
    CliRun r = runCli("table xlsx " + dir.file("t.tbl") + " -o " + dir.file("t.xlsx"));
    ASSERT_EQ(r.status, 0) << r.out;
    const auto sheet = readSheetWithOpenpyxl(dir.file("t.xlsx"));
    ASSERT_EQ(sheet.count("error"), 0u) << sheetValue(sheet, "error");
    // The whole table, the excluded row hidden rather than left out.
    EXPECT_EQ(sheetValue(sheet, "merges"), "A1:B1 B2:B3");
    EXPECT_EQ(sheetValue(sheet, "A1.value"), "Уровни <дБА>");
    EXPECT_EQ(sheetValue(sheet, "A2.value"), "left out");
    EXPECT_EQ(sheetValue(sheet, "row2.hidden"), "1");
    EXPECT_EQ(sheetValue(sheet, "B2.value"), "block");
    EXPECT_EQ(sheetValue(sheet, "A3.value"), "a & b");
    EXPECT_EQ(sheetValue(sheet, "C3.value"), "");
    EXPECT_EQ(sheetValue(sheet, "A4.value"), "x\\ny");
}

TEST(CliTableExport, FailuresWriteNothing) {
    ScratchDir dir;
    CliRun r = runCli("table html " + dir.file("missing.tbl") + " -o " + dir.file("out.bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Не могу открыть файл"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.bin")));

    ASSERT_TRUE(writeBytes(dir.file("t.tbl"), TableFile::SaveBytes(exportTable())));
    r = runCli("table xlsx " + dir.file("t.tbl") + " -o " + dir.file("no/such/folder.xlsx"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("no/such/folder.xlsx"), std::string::npos) << r.out;
    r = runCli("table xlsx " + dir.file("t.tbl"));
    EXPECT_EQ(r.status, 2);
}
