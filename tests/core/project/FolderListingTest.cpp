#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "core/project/FolderFileOps.h"
#include "core/project/FolderListing.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

void write(const ScratchDir& dir, const std::string& name, const std::string& text) {
    std::ofstream(dir.file(name), std::ios::binary) << text;
}

std::string read(const ScratchDir& dir, const std::string& name) { return readText(dir.file(name)); }

}  // namespace

TEST(FolderListing, ListsReportFilesByExtensionWithTheirKinds) {
    ScratchDir dir;
    for (const char* name : {"b.TXT", "a.csv", "pic.Bmp", "m.wmf", "t.tbl", "x.bin", "txt", "notes.txt.bak", ".txt",
                             "plot.svg", "shot.PNG", "report.docx", "sheet.XLSX", "old.doc", "book.xls", "xlsx"})
        write(dir, name, "");
    std::filesystem::create_directory(dir.path() / "folder.tbl");
    std::vector<std::pair<std::string, FolderItemKind>> got;
    for (const auto& item : listWorkingFolder(dir.path().string())) got.emplace_back(item.name, item.kind);
    const std::vector<std::pair<std::string, FolderItemKind>> want = {
        {".txt", FolderItemKind::Text},          {"a.csv", FolderItemKind::Text},
        {"b.TXT", FolderItemKind::Text},         {"m.wmf", FolderItemKind::Metafile},
        {"pic.Bmp", FolderItemKind::Bitmap},     {"plot.svg", FolderItemKind::Metafile},
        {"report.docx", FolderItemKind::Document}, {"sheet.XLSX", FolderItemKind::Workbook},
        {"shot.PNG", FolderItemKind::Bitmap},    {"t.tbl", FolderItemKind::Table}};
    EXPECT_EQ(got, want);
    EXPECT_TRUE(listWorkingFolder((dir.path() / "missing").string()).empty());
}

TEST(FolderListing, TextFileColumnsComeFromTheFirstLine) {
    using Cols = std::array<std::string, 3>;
    EXPECT_EQ(textFileColumns("a\tb\tc\n"), (Cols{"", "", ""}));  // three fields: the columns stay empty
    EXPECT_EQ(textFileColumns("a\tb\tc\tsamples\tSLM-101\t0000ABCD\tmore\r\nnext\tline"),
              (Cols{"samples", "SLM-101", "0000ABCD"}));
    EXPECT_EQ(textFileColumns("a\tb\tc\tвыборка"), (Cols{"выборка", "", ""}));
    EXPECT_EQ(textFileColumns("a\tb\tc\t\xE2\xFB\xE1\xEE\xF0\xEA\xE0"), (Cols{"выборка", "", ""}));  // CP1251
    EXPECT_EQ(textFileColumns(""), (Cols{"", "", ""}));

    // Fields are cut to 128 characters, and only the first 4096 characters count.
    const std::string longField(200, 'x');
    EXPECT_EQ(textFileColumns("a\tb\tc\t" + longField)[0], std::string(128, 'x'));
    auto repeat = [](const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += s;
        return out;
    };
    EXPECT_EQ(textFileColumns("a\tb\tc\t" + repeat("ж", 130))[0], repeat("ж", 128));
    EXPECT_EQ(textFileColumns(std::string(4094, 'x') + "\tb\tc\td\te")[0], "");

    ScratchDir dir;
    write(dir, "dump.txt", "f1\tf2\tf3\tзапись\tSLM-101\t00001234\n");
    const auto items = listWorkingFolder(dir.path().string());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].columns, (Cols{"запись", "SLM-101", "00001234"}));
}

TEST(FolderListing, HistogramFilesAreKnownByTheirFirstLine) {
    EXPECT_TRUE(isHistogramText("#comment_histo: 20 120 1 0\nHistogram: A\n"));
    EXPECT_FALSE(isHistogramText("x\n#comment_histo: 20 120 1 0\n"));
    EXPECT_FALSE(isHistogramText(""));
}

TEST(FolderFileOps, CopyAndRenameNeverReplaceAFile) {
    ScratchDir dir;
    const std::string folder = dir.path().string();
    write(dir, "a.tbl", "table a");
    write(dir, "b.tbl", "table b");

    EXPECT_TRUE(copyFileInFolder(folder, "a.tbl", "c.tbl"));
    EXPECT_EQ(read(dir, "c.tbl"), "table a");
    EXPECT_FALSE(copyFileInFolder(folder, "a.tbl", "b.tbl"));
    EXPECT_EQ(read(dir, "b.tbl"), "table b");
    EXPECT_FALSE(copyFileInFolder(folder, "missing.tbl", "d.tbl"));
    EXPECT_FALSE(copyFileInFolder(folder, "a.tbl", "../escape.tbl"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "d.tbl"));

    EXPECT_FALSE(renameInFolder(folder, "a.tbl", "b.tbl"));
    EXPECT_EQ(read(dir, "a.tbl"), "table a");
    EXPECT_EQ(read(dir, "b.tbl"), "table b");
    EXPECT_FALSE(renameInFolder(folder, "a.tbl", "sub/x.tbl"));
    EXPECT_FALSE(renameInFolder(folder, "a.tbl", ""));
    EXPECT_TRUE(renameInFolder(folder, "a.tbl", "renamed.tbl"));
    EXPECT_EQ(read(dir, "renamed.tbl"), "table a");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.tbl"));

    EXPECT_TRUE(deleteInFolder(folder, "renamed.tbl"));
    EXPECT_FALSE(deleteInFolder(folder, "renamed.tbl"));
    EXPECT_FALSE(deleteInFolder(folder, ".."));
    // Nothing but the files asked for is left behind (no temporary copies).
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 2u);
}
