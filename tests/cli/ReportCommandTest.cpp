#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

#include <regex>
#include <sstream>

#include "DocxTestSupport.h"
#include "PngFile.h"
#include "TestSupport.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectPaths.h"

using namespace phonotab;
using namespace phonotab::testing;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

// The demo project with illustrations of every kind beside it: a PNG file, an
// SVG drawing (converted), a file that is missing, and the demo's table graph
// (drawn by the chart the table window opens).
struct DemoReport {
    ScratchDir dir;
    std::string project = dir.file("demo.pht");

    DemoReport() {
        // The demo's data files come along, so that the project can be calculated here.
        std::filesystem::copy(buildDir() + "/data/demo", dir.path(), std::filesystem::copy_options::recursive);
        Result<ProjectState> p = LoadProject(buildDir() + "/data/demo/demo.pht", ProjectState());
        EXPECT_TRUE(p.ok());
        p->workingFolder = toStoredPath(dir.path().string()) + "\\";
        writeFile(dir.file("plan.png"), fixtures::makePng(64, 32, 3780));
        writeFile(dir.file("scheme.svg"),
                  R"(<svg xmlns="http://www.w3.org/2000/svg" width="120" height="60">)"
                  R"(<rect x="10" y="10" width="100" height="40" fill="#3060C0"/></svg>)");
        p->illustrations.push_back({"План площадки", "plan.png", std::nullopt});
        p->illustrations.push_back({"Схема точек", "scheme.svg", std::nullopt});
        p->illustrations.push_back({"Фото", "photo.jpg", std::nullopt});
        EXPECT_TRUE(SaveProject(*p, project).ok());
    }
};

}  // namespace

TEST(ReportCommand, WritesTheDemoReportWithTextsTablesAndPictures) {
    DemoReport demo;
    // Calculated, so that the table graph has its values.
    ASSERT_EQ(runCli("project calc '" + demo.project + "' -o '" + demo.project + "'").status, 0);
    const CliRun run = runCli("report '" + demo.project + "' -o '" + demo.dir.file("report.docx") + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    // What could not go in is listed, the rest is written.
    EXPECT_THAT(run.out, HasSubstr("Пропущено: Фото: нет файла рисунка 'photo.jpg'"));
    EXPECT_EQ(run.out.find("План"), std::string::npos) << run.out;

    const auto lines = readDocxWithPythonDocx(demo.dir.file("report.docx"));
    ASSERT_EQ(linesStartingWith(lines, "error").size(), 0u) << lines.front();
    EXPECT_THAT(lines, Contains("p\tTitle\tПРОТОКОЛ ИЗМЕРЕНИЙ № 12/24"));
    EXPECT_THAT(lines, Contains("tc\t1\t1\t-\tООО «Акустика»"));          // the title page's fields
    EXPECT_THAT(lines, Contains("tc\t0\t1\t-\tТочка измерений"));         // the first report table
    EXPECT_THAT(lines, Contains("tc\t0\t1\t-\tПолоса, Гц"));              // the second
    EXPECT_EQ(linesStartingWith(lines, "tbl\t").size(), 4u);  // with the title page's and the signatures'
    EXPECT_THAT(lines, Contains("p\tTableCaption\tТаблица 2 — Октавный спектр"));
    EXPECT_THAT(lines, Contains("p\tCaption\tСхема точек"));
    EXPECT_THAT(lines, Contains("p\tCaption\tУровни звука в точках измерений"));
    // The PNG as it is, the SVG converted and the table's graph drawn.
    EXPECT_EQ(linesStartingWith(lines, "pic\t").size(), 3u);
    for (const std::string& l : linesStartingWith(lines, "pic\t")) EXPECT_THAT(l, HasSubstr("image/png"));
    // No placeholder is left over from the template's spare places.
    for (const std::string& l : lines) EXPECT_EQ(l.find("<TBL"), std::string::npos) << l;
}

// A project never recalculated: its report lists every bound cell without a
// value; with --calc the files are calculated first (the project file itself
// stays as it was) and no cell is listed.
TEST(ReportCommand, CellsWithoutValueAreListedAndCalcFillsThem) {
    DemoReport demo;
    const std::string before = readText(demo.project);
    const CliRun plain = runCli("report '" + demo.project + "' -o '" + demo.dir.file("plain.docx") + "'");
    ASSERT_EQ(plain.status, 0) << plain.out;
    EXPECT_THAT(plain.out, HasSubstr("у ячейки B4 таблицы 'Уровни звука' нет значения (источник 'Двор')"));
    EXPECT_THAT(plain.out, HasSubstr(": у ячейки "));

    const CliRun calculated = runCli("report --calc '" + demo.project + "' -o '" + demo.dir.file("calc.docx") + "'");
    ASSERT_EQ(calculated.status, 0) << calculated.out;
    EXPECT_EQ(calculated.out.find("нет значения"), std::string::npos) << calculated.out;
    EXPECT_EQ(readText(demo.project), before);  // the project file is not saved
    const auto lines = readDocxWithPythonDocx(demo.dir.file("calc.docx"));
    EXPECT_EQ(linesStartingWith(lines, "pic\t").size(), 3u);  // the table's graph has its values now
}

TEST(ReportCommand, TemplatesByLanguageAndRefusedTemplates) {
    DemoReport demo;
    const std::string out = demo.dir.file("report.docx");
    const CliRun english = runCli("--lang English report '" + demo.project + "' -o '" + out + "'");
    ASSERT_EQ(english.status, 0) << english.out;
    EXPECT_THAT(readDocxWithPythonDocx(out), Contains("p\tTitle\tMEASUREMENT REPORT No. 12/24"));

    writeFile(demo.dir.file("notes.docx"), "plain text, not a document");
    struct Case {
        std::string templatePath, message;
    };
    const Case cases[] = {
        {demo.dir.file("none.docx"), "Не могу открыть файл '" + demo.dir.file("none.docx") + "'"},
        {demo.dir.file("notes.docx"), "'" + demo.dir.file("notes.docx") + "' не является документом Word (.docx)"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(out);
        const CliRun run = runCli("report '" + demo.project + "' --template '" + c.templatePath + "' -o '" + out + "'");
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_THAT(run.out, HasSubstr(c.message));
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// The shipped demo copied elsewhere as it is: recalculated and reported
// there, it reads the copy's data and writes beside the copy; the folder it
// was copied from is not touched.
TEST(ReportCommand, ACopiedDemoWorksInItsNewFolder) {
    const std::string original = buildDir() + "/data/demo";
    auto listing = [](const std::string& folder) {
        std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> out;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            out[e.path().filename().string()] = {e.is_regular_file() ? e.file_size() : 0, e.last_write_time()};
        return out;
    };
    const auto originalBefore = listing(original);
    const ScratchDir dir;
    std::filesystem::copy(original, dir.path(), std::filesystem::copy_options::recursive);
    const std::string project = dir.file("demo.pht");
    const auto copied = listing(dir.path().string());

    const CliRun calc = runCli("project calc '" + project + "' -o '" + project + "'");
    ASSERT_EQ(calc.status, 0) << calc.out;
    const CliRun report = runCli("report '" + project + "' -o '" + dir.file("report.docx") + "'");
    ASSERT_EQ(report.status, 0) << report.out;
    // Every bound cell has its value: the copy's data files were read.
    EXPECT_EQ(report.out.find("нет значения"), std::string::npos) << report.out;
    // Results beside the copy (written anew even where the demo folder held
    // some already, as after a headless "./phonotab.sh run").
    std::size_t written = 0;
    for (const auto& [name, entry] : listing(dir.path().string()))
        if (const auto it = copied.find(name); it == copied.end() || it->second != entry) ++written;
    EXPECT_GT(written, 1u);
    EXPECT_EQ(listing(original), originalBefore);
}

namespace {

std::string packagePart(const std::string& docxPath, const std::string& name) {
    std::ifstream in(docxPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    for (const ZipPart& part : readZipParts(bytes.str(), 100, 1u << 24, 1u << 26).value_or(std::vector<ZipPart>()))
        if (part.name == name) return part.bytes;
    return {};
}

// The pages of a PDF: pdfinfo's count where it is installed, else the page
// objects of the file itself.
int pdfPageCount(const std::string& path) {
    if (std::system("command -v pdfinfo >/dev/null 2>&1") == 0) {
        FILE* p = popen(("pdfinfo '" + path + "' 2>/dev/null").c_str(), "r");
        std::string out;
        char buffer[512];
        for (std::size_t n; p && (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
        if (p) pclose(p);
        int pages = -1;
        if (const auto at = out.find("Pages:"); at != std::string::npos) pages = std::atoi(out.c_str() + at + 6);
        return pages;
    }
    const std::string bytes = readText(path);
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

// The batch tool's environment with PATH changed for the test, then restored.
class SearchPathForTest {
public:
    explicit SearchPathForTest(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~SearchPathForTest() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

}  // namespace

// --decimal-comma writes the tables' numbers "70,5", --decimal-point "70.5";
// the default follows the language (English: the point). The shipped template
// puts the protocol number at the top of each page and the page numbers below.
TEST(ReportCommand, DecimalCommaAndThePageHeaderAndFooter) {
    DemoReport demo;
    ASSERT_EQ(runCli("project calc '" + demo.project + "' -o '" + demo.project + "'").status, 0);
    // Cells below the headings (the band names above, "31,5", are texts).
    static const std::regex withComma(R"(^tc\t[1-9]\d*\t.*\t\d+,\d$)"), withPoint(R"(^tc\t[1-9]\d*\t.*\t\d+\.\d$)");
    struct Case {
        std::string options;
        bool comma;
    };
    for (const Case& c : {Case{"", false}, Case{"--decimal-comma", true}, Case{"--decimal-point", false}}) {
        SCOPED_TRACE(c.options);
        const std::string out = demo.dir.file("report.docx");
        const CliRun run = runCli("--lang English report '" + demo.project + "' " + c.options + " -o '" + out + "'");
        ASSERT_EQ(run.status, 0) << run.out;
        int commas = 0, points = 0;
        for (const std::string& l : readDocxWithPythonDocx(out)) {
            commas += std::regex_match(l, withComma);
            points += std::regex_match(l, withPoint);
        }
        EXPECT_EQ(commas > 0, c.comma);
        EXPECT_EQ(points > 0, !c.comma);
        const std::string header = packagePart(out, "word/header1.xml");
        EXPECT_THAT(header, HasSubstr("Measurement report No. "));
        EXPECT_THAT(header, HasSubstr(">12/24<"));
        EXPECT_EQ(header.find("&lt;004&gt;"), std::string::npos);
        EXPECT_THAT(packagePart(out, "word/footer1.xml"), HasSubstr(" NUMPAGES "));
    }
    // The two ask opposite things: refused as a wrong call.
    EXPECT_EQ(runCli("report '" + demo.project + "' --decimal-comma --decimal-point -o '" +
                     demo.dir.file("both.docx") + "'").status, 2);
}

// The calculated demo report as PDF, the form in which a client receives it:
// LibreOffice converts it, and it takes more than the title page.
TEST(ReportCommand, CalculatedReportAsPdf) {
    if (std::system("command -v soffice >/dev/null 2>&1 || command -v libreoffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the report's PDF cannot be written here";
    DemoReport demo;
    const std::string pdf = demo.dir.file("r.pdf");
    const CliRun run = runCli("report --calc '" + demo.project + "' -o '" + pdf + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(readText(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_GE(pdfPageCount(pdf), 2);
    // Nothing but the PDF is left beside it.
    for (const auto& e : std::filesystem::directory_iterator(demo.dir.path()))
        EXPECT_NE(e.path().extension(), ".docx") << e.path();
}

// Without LibreOffice the tool says which package to install, and writes nothing.
TEST(ReportCommand, PdfWithoutLibreOfficeNamesThePackage) {
    DemoReport demo;
    const std::string pdf = demo.dir.file("r.pdf");
    const ScratchDir emptyBin;
    const SearchPathForTest path(emptyBin.path().string());
    const CliRun run = runCli("report '" + demo.project + "' -o '" + pdf + "'");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_THAT(run.out, HasSubstr("libreoffice-writer-nogui"));
    EXPECT_FALSE(std::filesystem::exists(pdf));
}
