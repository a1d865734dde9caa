#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "DocxTestSupport.h"
#include "PngFile.h"
#include "core/platform/ZipPackage.h"
#include "core/project/ReportDocument.h"
#include "core/tables/TableDrawing.h"

using namespace phonotab;
using namespace phonotab::testing;
using ::testing::ElementsAre;

namespace {

std::string para(const std::string& text) {
    return "<w:p><w:r><w:t xml:space=\"preserve\">" + xmlText(text) + "</w:t></w:r></w:p>";
}

struct ReportFixture {
    ScratchDir dir;
    ProjectState project;

    ReportFixture() {
        project.workingFolder = dir.path().string() + "/";
        for (int i = 0; i < kReportTexts; ++i) project.reportTexts[static_cast<std::size_t>(i)] = "текст " + std::to_string(i);
        // A user's text naming placeholders of the template stays text.
        project.reportText(ReportText::Organisation) = "ООО «<PIC01>» <TBL01>";
        project.reportText(ReportText::Conclusion) = "строка 1\r\nстрока 2";
        ProjectTable levels;
        levels.table = ReportTable(2, 2);
        levels.table.name = "Уровни";
        levels.table.texts[{0, 0}] = "Точка";
        levels.table.texts[{1, 1}] = "55.1";
        ProjectTable hidden;
        hidden.table = ReportTable(1, 1);
        hidden.table.name = "Скрытая";
        hidden.table.cell(0, 0).flags |= cellflag::RowExcluded;
        project.tables.push_back(std::move(levels));
        project.tables.push_back(std::move(hidden));
        writeFile(dir.file("plan.png"), fixtures::makePng(20, 10));
        project.illustrations = {{"План", "plan.png", std::nullopt},
                                 {"Схема", "scheme.png", std::nullopt},   // no such file
                                 {"График", "---", std::size_t{0}},       // a table's graph
                                 {"Лишняя", "plan.png", std::nullopt}};  // no place in the template
    }

    Result<ReportOutcome> write(const std::string& body, const Progress& progress = Progress()) {
        writeFile(dir.file("template.docx"), makeDocxTemplate(body));
        const ReportTableTexts texts = [this](std::size_t k) {
            ReportTable copy = project.tables[k].table;
            return DrawDisplayTexts(copy, TableEnvironment{});
        };
        const ReportPictureSource pictures = [this](const Illustration& ill, std::size_t) -> Result<ReportPicture> {
            Result<std::string> bytes = ReadIllustrationPicture(ill, dir.path().string(), nullptr);
            if (!bytes) return bytes.error();
            return ReportPicture(std::move(*bytes));
        };
        return WriteReport(project, dir.file("template.docx"), dir.file("report.docx"), texts, pictures, progress);
    }
};

}  // namespace

// The order of the report, what a template lacks and what cannot be shown:
// skipped and listed, the report written all the same.
TEST(ReportDocument, FillsTheTemplateAndListsWhatWasSkipped) {
    ReportFixture f;
    std::string body = para("<000>") + para("Дата: <002>, место: <003>, снова <003>");
    for (int i : {1, 4, 6, 7, 8}) body += para("<00" + std::to_string(i) + ">");  // no <005>
    body += para("<TBL01>") + para("<TBL02>") + para("<TBL03>") + para("<PIC01>") + para("<PIC02>") + para("<PIC03>") + para("<009>");
    const Result<ReportOutcome> out = f.write(body);
    ASSERT_TRUE(out.ok()) << out.error().text();

    std::vector<std::string> skipped;
    for (const ReportSkip& s : out->skipped) skipped.push_back(s.placeholder + " " + std::to_string(s.reason.id));
    EXPECT_THAT(skipped, ElementsAre("<005> 6201", "<TBL02> 6205", "<PIC02> 6202", "<PIC03> 6204", "<PIC04> 6201"));
    EXPECT_EQ(out->skipped[2].reason, Message(msg::PictureMissing, "Схема", "scheme.png"));

    const auto lines = readDocxWithPythonDocx(f.dir.file("report.docx"));
    std::vector<std::string> seen;  // paragraphs as "p:" and their text, tables and cells as read
    for (const std::string& l : lines) {
        if (l.rfind("p\t", 0) == 0)
            seen.push_back("p:" + l.substr(l.find('\t', 2) + 1));
        else if (l.rfind("tbl\t", 0) == 0 || l.rfind("tc\t", 0) == 0)
            seen.push_back(l);
    }
    EXPECT_THAT(seen, ElementsAre("p:ООО «<PIC01>» <TBL01>", "p:Дата: текст 2, место: текст 3, снова текст 3",
                                  "p:текст 1", "p:текст 4", "p:текст 6", "p:текст 7", "p:текст 8",  //
                                  "tbl\t1", "tc\t0\t1\t-\tТочка", "tc\t0\t1\t-\t", "tc\t1\t1\t-\t",
                                  "tc\t1\t1\t-\t55.1", "p:",  // a paragraph after each table
                                  "p:",                // <TBL02>: nothing of it is in the report; <TBL03>: no such table, gone
                                  "p:", "p:План",      // <PIC01>: the picture, its caption below
                                  "p:", "p:Схема",     // <PIC02>: no file, the caption stays
                                  "p:", "p:График",    // <PIC03>
                                  "p:строка 1", "p:строка 2"))
        << lines.front();
    EXPECT_EQ(linesStartingWith(lines, "pic\t").size(), 1u);
}

TEST(ReportDocument, StopsWithoutWritingWhenCancelledOrTheTemplateIsBad) {
    ReportFixture f;
    Progress progress;
    progress.cancel();
    const Result<ReportOutcome> cancelled = f.write(para("<000>"), progress);
    ASSERT_FALSE(cancelled.ok());
    EXPECT_EQ(cancelled.error().id, msg::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("report.docx")));

    writeFile(f.dir.file("bad.docx"), "not a document");
    const Result<ReportOutcome> bad =
        WriteReport(f.project, f.dir.file("bad.docx"), f.dir.file("report.docx"), nullptr, nullptr, Progress());
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(), Message(msg::NotWordDocument, f.dir.file("bad.docx")));
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("report.docx")));
}

namespace {

// The paragraphs (as "p:" and their text), tables and cells of a written report.
std::vector<std::string> bodyOf(const std::string& docxPath) {
    std::vector<std::string> seen;
    for (const std::string& l : readDocxWithPythonDocx(docxPath)) {
        if (l.rfind("error\t", 0) == 0) return {l};
        if (l.rfind("p\t", 0) == 0)
            seen.push_back("p:" + l.substr(l.find('\t', 2) + 1));
        else if (l.rfind("tbl\t", 0) == 0 || l.rfind("tc\t", 0) == 0)
            seen.push_back(l);
    }
    return seen;
}

std::string documentXml(const std::string& docxPath) {
    std::ifstream in(docxPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    for (const ZipPart& part : readZipParts(bytes.str(), 100, 1u << 24, 1u << 26).value_or(std::vector<ZipPart>()))
        if (part.name == "word/document.xml") return part.bytes;
    return {};
}

ProjectTable reportTable(const std::string& name, int rows, int columns,
                         const std::map<CellKey, std::string>& texts) {
    ProjectTable t;
    t.table = ReportTable(rows, columns);
    t.table.name = name;
    t.table.texts = texts;
    return t;
}

}  // namespace

// "<TBLnn caption>" puts "Таблица N — name" above the table, N counting the
// tables the document holds; each table's first row is its heading (bold,
// repeated on every page); the decimal comma is the document's, not the table's.
TEST(ReportDocument, CaptionsHeadingsAndTheDecimalComma) {
    ReportFixture f;
    f.project.illustrations.clear();
    f.project.tables = {reportTable("Уровни", 2, 2, {{{0, 0}, "Точка"}, {{1, 0}, "L"}, {{0, 1}, "Т1"}, {{1, 1}, "55.1"}}),
                        f.project.tables[1],  // every row excluded: not in the document, not counted
                        reportTable("Спектр", 2, 1, {{{0, 0}, "63"}, {{0, 1}, "41.25"}})};
    const std::string body = para("<TBL01 caption>") + para("<TBL02 caption>") + para("<TBL03 caption>");
    writeFile(f.dir.file("template.docx"), makeDocxTemplate(body));
    const ReportTableTexts texts = [&f](std::size_t k) {
        ReportTable copy = f.project.tables[k].table;
        return DrawDisplayTexts(copy, TableEnvironment{});
    };
    for (bool comma : {false, true}) {
        SCOPED_TRACE(comma);
        ReportOptions options;
        options.decimalComma = comma;
        const Result<ReportOutcome> out = WriteReport(f.project, f.dir.file("template.docx"), f.dir.file("report.docx"),
                                                      texts, nullptr, Progress(), options);
        ASSERT_TRUE(out.ok()) << out.error().text();
        EXPECT_THAT(bodyOf(f.dir.file("report.docx")),
                    ElementsAre("p:Таблица 1 — Уровни", "tbl\t1", "tc\t0\t1\t-\tТочка", "tc\t0\t1\t-\tL",
                                "tc\t1\t1\t-\tТ1", comma ? "tc\t1\t1\t-\t55,1" : "tc\t1\t1\t-\t55.1", "p:",  //
                                "p:",  // <TBL02>
                                "p:Таблица 2 — Спектр", "tbl\t2", "tc\t0\t1\t-\t63",
                                comma ? "tc\t1\t1\t-\t41,25" : "tc\t1\t1\t-\t41.25", "p:"));
    }
    EXPECT_EQ(f.project.tables[0].table.texts.at({1, 1}), "55.1");

    // The heading row repeats and is bold; the rows below are neither.
    const std::string xml = documentXml(f.dir.file("report.docx"));
    const std::size_t firstRow = xml.find("<w:tr>"), secondRow = xml.find("<w:tr>", firstRow + 1);
    ASSERT_NE(secondRow, std::string::npos) << xml;
    const std::string heading = xml.substr(firstRow, secondRow - firstRow);
    const std::string next = xml.substr(secondRow, xml.find("</w:tr>", secondRow) - secondRow);
    EXPECT_NE(heading.find("<w:tblHeader/>"), std::string::npos) << heading;
    EXPECT_NE(heading.find("<w:b/>"), std::string::npos) << heading;
    EXPECT_EQ(next.find("<w:tblHeader/>"), std::string::npos) << next;
    EXPECT_EQ(next.find("<w:b/>"), std::string::npos) << next;
}

// A row that only a macro would fill, not run yet, is left out; a row the user
// left empty, and a macro's row it has filled, stay.
TEST(ReportDocument, LeavesOutRowsAMacroHasNotFilled) {
    ReportFixture f;
    f.project.illustrations.clear();
    ProjectTable t = reportTable("Спектр", 5, 2,
                                 {{{0, 0}, "Точка"}, {{1, 0}, "L"}, {{0, 1}, "Т1"}, {{1, 1}, "55.1"},
                                  {{0, 3}, "Запись из файла"}, {{0, 4}, "Т2"}, {{1, 4}, "60.2"}});
    t.table.macros[{0, 3}] = "/* ОДНА ЗАПИСЬ */ A4 = [TEXT]{N5}; B4 = {B1}";
    t.table.macros[{0, 4}] = "B5 = {B1}";
    f.project.tables = {t};
    const Result<ReportOutcome> out = f.write(para("<TBL01>"));
    ASSERT_TRUE(out.ok()) << out.error().text();
    EXPECT_THAT(bodyOf(f.dir.file("report.docx")),
                ElementsAre("tbl\t1", "tc\t0\t1\t-\tТочка", "tc\t0\t1\t-\tL", "tc\t1\t1\t-\tТ1", "tc\t1\t1\t-\t55.1",
                            "tc\t2\t1\t-\t", "tc\t2\t1\t-\t",  // the user's empty row
                            "tc\t3\t1\t-\tТ2", "tc\t3\t1\t-\t60.2", "p:"));
}

// The shipped empty picture, never drawn on, is left out with its caption and
// listed; a picture beside it goes in.
TEST(ReportDocument, LeavesOutThePictureNeverDrawnOn) {
    ReportFixture f;
    std::filesystem::copy_file(buildDir() + "/data/empty.bmp", f.dir.file("sketch.bmp"));
    f.project.illustrations = {{"Эскиз", "sketch.bmp", std::nullopt}, {"План", "plan.png", std::nullopt}};
    const Result<ReportOutcome> out = f.write(para("<PIC01>") + para("<PIC02>"));
    ASSERT_TRUE(out.ok()) << out.error().text();
    std::vector<ReportSkip> pictures;  // the texts and tables have no places here
    for (const ReportSkip& s : out->skipped)
        if (s.placeholder.rfind("<PIC", 0) == 0) pictures.push_back(s);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].placeholder, "<PIC01>");
    EXPECT_EQ(pictures[0].reason, Message(msg::PictureLeftBlank, "Эскиз", "sketch.bmp"));
    EXPECT_EQ(pictures[0].reason.severity(), Severity::Notice);
    const auto lines = readDocxWithPythonDocx(f.dir.file("report.docx"));
    EXPECT_EQ(linesStartingWith(lines, "pic\t").size(), 1u);
    EXPECT_THAT(bodyOf(f.dir.file("report.docx")), ElementsAre("p:", "p:План"));
}
