#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <regex>
#include <set>

#include "DocxTestSupport.h"
#include "PngFile.h"
#include "TestSupport.h"
#include "core/platform/DocxDocument.h"
#include "core/platform/PictureInfo.h"
#include "core/platform/ZipPackage.h"

using namespace phonotab;
using namespace phonotab::testing;
using ::testing::ElementsAre;

namespace {

std::string run(const std::string& text, const std::string& rPr = {}) {
    return "<w:r>" + rPr + "<w:t xml:space=\"preserve\">" + xmlText(text) + "</w:t></w:r>";
}

DocxDocument openTemplate(const std::string& body) {
    Result<DocxDocument> doc = DocxDocument::fromBytes(makeDocxTemplate(body), "template.docx");
    EXPECT_TRUE(doc.ok());
    return std::move(*doc);
}

std::vector<std::string> writeAndRead(const DocxDocument& doc, const ScratchDir& dir) {
    const std::string path = dir.file("out.docx");
    EXPECT_TRUE(doc.save(path).ok());
    return readDocxWithPythonDocx(path);
}

// The main part's XML of a written document (empty when it cannot be read).
std::string documentXml(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string package((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto parts = readZipParts(package, 100, 1 << 26, 1 << 26);
    if (parts)
        for (const ZipPart& p : *parts)
            if (p.name == "word/document.xml") return p.bytes;
    return {};
}

}  // namespace

// The word processor splits a placeholder wherever the user's typing or its
// spelling marks changed the run; the text put there must neither lose the
// parts around it nor be searched again for placeholders.
TEST(DocxDocument, FindsSplitPlaceholdersAndPutsTextsOnce) {
    const std::string bold = "<w:rPr><w:b/></w:rPr>";
    const std::string body =
        // "<004>" over three runs with a spelling mark between them, "<002>" inside a run.
        "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>" + run("Протокол № <0") +
        "<w:proofErr w:type=\"spellStart\"/>" + run("0", bold) + "<w:proofErr w:type=\"spellEnd\"/>" +
        run("4> от <002> г.") + "</w:p>" +
        // The same placeholder twice; a placeholder-like text that was not asked for.
        "<w:p>" + run("<003>; <003>; <077>") + "</w:p>" +
        "<w:p>" + run("Итог: <009>") + "</w:p>";
    DocxDocument doc = openTemplate(body);
    EXPECT_EQ(doc.markPlaceholders({"<002>", "<003>", "<004>", "<009>", "<TBL01>"}), 5u);
    EXPECT_EQ(doc.count("<003>"), 2u);
    EXPECT_EQ(doc.count("<TBL01>"), 0u);

    // Texts that hold placeholders of their own, put before those are replaced.
    doc.putText("<004>", "12/24 <TBL01> <003>");
    doc.putText("<002>", "первая\r\nвторая\nтретья\rчетвертая");
    doc.putText("<003>", "<009>");
    doc.putText("<009>", "");
    EXPECT_FALSE(doc.putTable("<TBL01>", DocxTable{{1440}, {0}, {{DocxCell{}}}}));

    ScratchDir dir;
    const auto lines = writeAndRead(doc, dir);
    EXPECT_THAT(linesStartingWith(lines, "p\t"),
                ElementsAre("p\tHeading1\tПротокол № 12/24 <TBL01> <003> от первая",  // each line a paragraph
                            "p\tHeading1\tвторая", "p\tHeading1\tтретья", "p\tHeading1\tчетвертая г.",
                            "p\tNormal\t<009>; <009>; <077>", "p\tNormal\tИтог: "))
        << lines.front();
}

// Grid merges, widths, heights and formats as an independent reader sees them,
// and the table standing where its placeholder stood.
TEST(DocxDocument, PutsARealTableWithMergedCells) {
    DocxDocument doc = openTemplate("<w:p>" + run("до <TBL01> после") + "</w:p><w:p>" + run("<TBL02>") + "</w:p>");
    doc.markPlaceholders({"<TBL01>", "<TBL02>"});
    auto cell = [](std::string text, int columns = 1, int rows = 1) {
        DocxCell c;
        c.text = std::move(text);
        c.columnSpan = columns;
        c.rowSpan = rows;
        c.bold = true;
        c.background = 0xFFFF00;
        return c;
    };
    DocxCell covered;
    covered.covered = true;
    DocxTable table;
    table.columnWidths = {1000, 1500, 2000};
    table.rowHeights = {300, 0, 300};
    // A block of two columns, a block of two rows, a line break in a cell.
    table.rows = {{cell("A", 2), covered, cell("B")},
                  {cell("C", 1, 2), cell("D\r\nd"), cell("E")},
                  {covered, cell("F"), cell("G")}};
    ASSERT_TRUE(doc.putTable("<TBL01>", table));
    // Spans that run off the grid or into another block are cut, never corrupt the grid.
    DocxTable odd;
    odd.columnWidths = {1000, 1000};
    odd.rowHeights = {0, 0};
    odd.rows = {{cell("x", 5, 1), cell("y")}, {covered, cell("z", 1, 9)}};
    ASSERT_TRUE(doc.putTable("<TBL02>", odd));

    ScratchDir dir;
    const auto lines = writeAndRead(doc, dir);
    std::vector<std::string> body;
    for (const std::string& l : lines)
        if (l.rfind("p\t", 0) == 0 || l.rfind("tbl\t", 0) == 0 || l.rfind("tc\t", 0) == 0) body.push_back(l);
    EXPECT_THAT(body, ElementsAre("p\tNormal\tдо ", "tbl\t1",  //
                                  "tc\t0\t2\t-\tA", "tc\t0\t1\t-\tB",  //
                                  "tc\t1\t1\trestart\tC", "tc\t1\t1\t-\tD|d", "tc\t1\t1\t-\tE",  //
                                  "tc\t2\t1\tcontinue\t", "tc\t2\t1\t-\tF", "tc\t2\t1\t-\tG",  //
                                  "p\tNormal\t после", "tbl\t2",  //
                                  "tc\t0\t2\t-\tx", "tc\t1\t1\t-\t", "tc\t1\t1\t-\tz", "p\tNormal\t"))
        << lines.front();
}

// A table wider than the page's text narrows to it, its columns in
// proportion; one that fits keeps its widths.
TEST(DocxDocument, AWideTableNarrowsToThePage) {
    DocxDocument doc = openTemplate("<w:p>" + run("<TBL01>") + "</w:p><w:p>" + run("<TBL02>") + "</w:p>");
    doc.markPlaceholders({"<TBL01>", "<TBL02>"});
    DocxTable wide;
    wide.columnWidths = {4000, 8000, 8000};
    wide.rowHeights = {0};
    wide.rows = {{DocxCell{}, DocxCell{}, DocxCell{}}};
    DocxTable narrow = wide;
    narrow.columnWidths = {1000, 2000, 3000};
    ASSERT_TRUE(doc.putTable("<TBL01>", wide));
    ASSERT_TRUE(doc.putTable("<TBL02>", narrow));

    ScratchDir dir;
    ASSERT_TRUE(doc.save(dir.file("out.docx")).ok());
    const std::string xml = documentXml(dir.file("out.docx"));
    std::vector<int> grid;
    const std::regex gridCol("gridCol w:w=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), gridCol); it != std::sregex_iterator(); ++it)
        grid.push_back(std::stoi((*it)[1]));
    const int textWidth = 11906 - 1701 - 850;
    EXPECT_THAT(grid, ElementsAre(textWidth / 5, textWidth * 2 / 5, textWidth * 2 / 5, 1000, 2000, 3000));
}

// A picture is a media part with its relationship and content type; its size
// comes from its pixels and resolution, and a picture wider than the page is
// made to fit it.
TEST(DocxDocument, InsertsPicturesWithTheirPartsAndSizes) {
    DocxDocument doc = openTemplate("<w:p>" + run("<PIC01>") + "</w:p><w:p>" + run("<PIC02>") + "</w:p><w:p>" +
                                    run("<PIC03>") + "</w:p>");
    doc.markPlaceholders({"<PIC01>", "<PIC02>", "<PIC03>"});
    const std::string small = fixtures::makePng(40, 20, 7874);  // 200 dots per inch
    const std::string wide = fixtures::makePng(2400, 600);       // none stated: 96, placed at 200
    ASSERT_TRUE(doc.putPicture("<PIC01>", small, "Рис. 1").ok());
    ASSERT_TRUE(doc.putPicture("<PIC02>", wide, "").ok());
    const Status notAPicture = doc.putPicture("<PIC03>", "GIF89a...", "Рис. 3", "plan.gif");
    ASSERT_FALSE(notAPicture.ok());
    EXPECT_EQ(notAPicture.error(), Message(msg::PictureUnreadable, "plan.gif"));
    EXPECT_EQ(doc.count("<PIC03>"), 1u);  // left for the caller: nothing changed

    ScratchDir dir;
    const auto lines = writeAndRead(doc, dir);
    const long long textWidth = (11906 - 1701 - 850) * 635LL;
    EXPECT_THAT(linesStartingWith(lines, "pic\t"),
                ElementsAre("pic\t182880\t91440\timage/png",
                            "pic\t" + std::to_string(textWidth) + "\t" + std::to_string(textWidth / 4) + "\timage/png"))
        << lines.front();
    EXPECT_THAT(linesStartingWith(lines, "p\t"), ElementsAre("p\tNormal\t", "p\tNormal\tРис. 1", "p\tNormal\t",
                                                             "p\tNormal\t<PIC03>"));
    EXPECT_THAT(linesStartingWith(lines, "part\tword/media/"),
                ElementsAre("part\tword/media/phonotab_image1.png", "part\tword/media/phonotab_image2.png"));

    // Every drawing has an id of its own.
    const std::string xml = documentXml(dir.file("out.docx"));
    std::set<std::string> ids;
    const std::regex docPr("docPr id=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), docPr); it != std::sregex_iterator(); ++it)
        ids.insert((*it)[1]);
    EXPECT_EQ(ids.size(), 2u);
}

// The edges where a placeholder's run, a merged cell or a tall picture could
// lose or misplace something: the last run of a split placeholder, what
// follows the placeholder's text in its run, the width of a cell over two
// columns, a picture taller than the page.
TEST(DocxDocument, EdgesOfRunsMergedCellsAndTallPictures) {
    DocxDocument doc = openTemplate("<w:p>" + run("до <0") + run("04>") + "</w:p>" +
                                    "<w:p><w:r><w:t>&lt;TBL02&gt;</w:t><w:tab/><w:t>после</w:t></w:r></w:p>" +
                                    "<w:p>" + run("<TBL01>") + "</w:p><w:p>" + run("<PIC01>") + "</w:p>");
    EXPECT_EQ(doc.markPlaceholders({"<004>", "<TBL01>", "<TBL02>", "<PIC01>"}), 4u);
    doc.putText("<004>", "X");
    doc.clear("<TBL02>");
    DocxCell merged;
    merged.text = "AB";
    merged.columnSpan = 2;
    DocxCell covered;
    covered.covered = true;
    ASSERT_TRUE(doc.putTable("<TBL01>", DocxTable{{1000, 1500}, {0}, {{merged, covered}}}));
    ASSERT_TRUE(doc.putPicture("<PIC01>", fixtures::makePng(200, 4000), "").ok());  // 20 inches at 200 dots per inch

    ScratchDir dir;
    const auto lines = writeAndRead(doc, dir);
    const auto paragraphs = linesStartingWith(lines, "p\t");
    ASSERT_GE(paragraphs.size(), 2u) << lines.front();
    EXPECT_EQ(paragraphs[0], "p\tNormal\tдо X");
    EXPECT_EQ(paragraphs[1], "p\tNormal\t\\tпосле");  // the reader writes the tab as "\t"
    const long long textHeight = (16838 - 1134 - 1134) * 635LL;
    EXPECT_THAT(linesStartingWith(lines, "pic\t"),
                ElementsAre("pic\t" + std::to_string((textHeight + 10) / 20) + "\t" + std::to_string(textHeight) + "\timage/png"));
    const std::string xml = documentXml(dir.file("out.docx"));
    EXPECT_NE(xml.find("<w:tcW w:w=\"2500\" w:type=\"dxa\"/>"), std::string::npos);
}

// A picture is never placed coarser than a print needs, and the resolution
// its PNG states is the one it is placed at; a drawing given with it travels
// as an SVG part the picture names beside its bitmap.
TEST(DocxDocument, PicturesArePlacedAtPrintResolutionAndCarryTheirDrawing) {
    struct Case {
        const char* what;
        int width, height;
        std::uint32_t perMetre;
        double placedDpi;  // 0: page-wide, finer than stated
    };
    const long long textWidth = (11906 - 1701 - 850) * 635LL;
    const Case cases[] = {{"none stated", 400, 200, 0, 200},
                          {"screen resolution", 400, 200, 3780, 200},
                          {"finer than a print needs", 900, 600, 11811, 300},
                          {"wider than the page", 4000, 1000, 11811, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocxDocument doc = openTemplate("<w:p>" + run("<PIC01>") + "</w:p>");
        doc.markPlaceholders({"<PIC01>"});
        ASSERT_TRUE(doc.putPicture("<PIC01>", fixtures::makePng(c.width, c.height, c.perMetre), "", "p", "<svg/>").ok());
        std::string xml, png, svg;
        for (const ZipPart& part : doc.parts()) {
            if (part.name == "word/document.xml") xml = part.bytes;
            if (part.name.ends_with(".png")) png = part.bytes;
            if (part.name.ends_with(".svg")) svg = part.bytes;
        }
        std::smatch extent;
        ASSERT_TRUE(std::regex_search(xml, extent, std::regex("wp:extent cx=\"([0-9]+)\" cy=\"([0-9]+)\"")));
        const double placedInches = std::stod(extent[1]) / 914400.0;
        const auto info = readPictureInfo(png);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->kind, PictureKind::Png);
        const double placedDpi = c.width / placedInches;
        EXPECT_GE(placedDpi, 199.99);
        EXPECT_NEAR(info->dpiX, placedDpi, 0.5);
        EXPECT_NEAR(info->dpiY, placedDpi, 0.5);
        if (c.placedDpi > 0) {
            EXPECT_NEAR(placedDpi, c.placedDpi, 0.5);
        } else {
            EXPECT_EQ(std::stoll(extent[1]), textWidth);
        }
        EXPECT_EQ(svg, "<svg/>");
        EXPECT_NE(xml.find("<asvg:svgBlip"), std::string::npos);
    }
}

TEST(DocxDocument, RefusesWhatIsNotAWordDocument) {
    const std::vector<ZipPart> noDocument = {{"[Content_Types].xml", "<Types/>"}, {"word/other.xml", "<x/>"}};
    std::vector<const ZipPart*> refs;
    for (const ZipPart& p : noDocument) refs.push_back(&p);
    const std::string brokenXml = [] {
        std::string t = makeDocxTemplate("<w:p>");  // an unclosed paragraph
        return t;
    }();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {{"not a zip", "PK\x03\x04 but nothing more"},
                          {"a zip without the document part", writeZipParts(refs).value_or("")},
                          {"a document that is not XML", brokenXml}};
    for (const Case& c : cases) {
        const Result<DocxDocument> doc = DocxDocument::fromBytes(c.bytes, "t.docx");
        ASSERT_FALSE(doc.ok()) << c.what;
        EXPECT_EQ(doc.error(), Message(msg::NotWordDocument, "t.docx")) << c.what;
    }
    ScratchDir dir;
    const Result<DocxDocument> missing = DocxDocument::open(dir.file("none.docx"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().id, msg::CannotOpen);
}

// A save that stops half-way (the file system refuses more bytes) leaves the
// report written before as it was, and no temporary file beside it.
TEST(DocxDocument, FailedSaveLeavesTheOldReportIntact) {
    ScratchDir dir;
    const std::string path = dir.file("report.docx");
    ASSERT_TRUE(writeFile(path, "the old report"));
    DocxDocument doc = openTemplate("<w:p>" + run("<PIC01>") + "</w:p>");
    doc.markPlaceholders({"<PIC01>"});
    // Random-looking pixels do not shrink: the package is far above the limit below.
    std::string noise = fixtures::makePng(512, 512, 0, 7);
    ASSERT_TRUE(doc.putPicture("<PIC01>", noise, "").ok());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        const Status s = doc.save(path);
        _exit(!s.ok() && s.error().id == msg::CannotWrite ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save should have failed with 5003";
    EXPECT_EQ(readText(path), "the old report");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1u);
}

TEST(PictureInfo, ReadsKindSizeAndResolutionFromHeaders) {
    std::string bmp(54, '\0');
    bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40, bmp[18] = 10, bmp[22] = static_cast<char>(0xFB);  // height -5
    for (int i = 23; i < 26; ++i) bmp[i] = static_cast<char>(0xFF);
    bmp[38] = static_cast<char>(0x13), bmp[39] = 0x0B;  // 2835 pixels a metre: 72 dpi
    const std::string jpeg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x01\x00\x96\x00\x96\x00\x00"
                           "\xFF\xC0\x00\x0B\x08\x00\x30\x00\x40\x01\x01\x11\x00",
                           33);
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        PictureKind kind;
        int width, height;
        double dpi;
    };
    const Case cases[] = {
        {"png with resolution", fixtures::makePng(3, 2, 3937), true, PictureKind::Png, 3, 2, 100},
        {"bmp, top-down", bmp, true, PictureKind::Bmp, 10, 5, 72},
        {"jpeg with density", jpeg, true, PictureKind::Jpeg, 64, 48, 150},
        {"png cut short", fixtures::makePng(3, 2).substr(0, 20), false, {}, 0, 0, 0},
        {"jpeg without a frame", jpeg.substr(0, 20), false, {}, 0, 0, 0},
        {"bmp of no pixels", bmp.substr(0, 18) + std::string(36, '\0'), false, {}, 0, 0, 0},
        {"something else", "<svg/>", false, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto info = readPictureInfo(c.bytes);
        ASSERT_EQ(info.has_value(), c.ok) << c.what;
        if (!info) continue;
        EXPECT_EQ(info->kind, c.kind) << c.what;
        EXPECT_EQ(info->width, c.width) << c.what;
        EXPECT_EQ(info->height, c.height) << c.what;
        EXPECT_NEAR(info->dpiX, c.dpi, 0.1) << c.what;
    }
}

// A small archive must not unpack into more than the reader allows.
TEST(ZipPackage, ReadsPartsWithinTheirBoundsOnly) {
    const std::vector<ZipPart> parts = {{"a.xml", std::string(1000, 'a')}, {"b.xml", std::string(3000, 'b')}};
    std::vector<const ZipPart*> refs;
    for (const ZipPart& p : parts) refs.push_back(&p);
    const std::string zip = writeZipParts(refs).value_or("");
    ASSERT_LT(zip.size(), 1000u);  // both parts pack small
    struct Case {
        std::size_t parts, partSize, total;
        bool ok;
    };
    const Case cases[] = {{2, 3000, 4000, true}, {1, 3000, 4000, false}, {2, 2999, 4000, false}, {2, 3000, 3999, false}};
    for (const Case& c : cases) {
        const auto read = readZipParts(zip, c.parts, c.partSize, c.total);
        EXPECT_EQ(read.has_value(), c.ok) << c.parts << " " << c.partSize << " " << c.total;
        if (read) {
            EXPECT_EQ(read->at(1).bytes, parts[1].bytes);
        }
    }
}
