#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "core/project/FolderItemOpening.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(FolderItemOpening, NameAndFirstBytesTellWhatOpens) {
    const std::string histogram = "#comment_histo: 30 100 5 0\nHistogram: LAeq\n";
    const struct {
        const char* name;
        std::string head;
        FolderItemOpening want;
    } cases[] = {
        {"levels_H.txt", histogram, FolderItemOpening::HistogramPlot},
        {"LEVELS_H.TXT", histogram, FolderItemOpening::HistogramPlot},
        {"levels_H.txt", "#comment_histo:", FolderItemOpening::HistogramPlot},
        // Only a ".txt" file is taken for a histogram, and only by its first line.
        {"levels_H.csv", histogram, FolderItemOpening::DesktopProgram},
        {"levels.txt", "Histogram: LAeq\n#comment_histo: 30 100 5 0\n", FolderItemOpening::DesktopProgram},
        {"levels.txt", " #comment_histo: 30 100 5 0\n", FolderItemOpening::DesktopProgram},
        {"levels.txt", "", FolderItemOpening::DesktopProgram},
        {"txt", histogram, FolderItemOpening::DesktopProgram},
        // A table opens its window whatever it holds.
        {"t.tbl", "", FolderItemOpening::TableWindow},
        {"T.TBL", histogram, FolderItemOpening::TableWindow},
        {"report.docx", "PK", FolderItemOpening::DesktopProgram},
        {"plot.svg", "<svg", FolderItemOpening::DesktopProgram},
    };
    for (const auto& c : cases) EXPECT_EQ(folderItemOpening(c.name, c.head), c.want) << c.name << " / " << c.head;
}

TEST(FolderItemOpening, FileOnDiskIsReadForItsHistogram) {
    ScratchDir dir;
    std::ofstream(dir.file("a_H.txt"), std::ios::binary) << "#comment_histo: 30 100 5 0\nHistogram: LAeq\n\t1\t2\t\n";
    std::ofstream(dir.file("b.txt"), std::ios::binary) << "#comment_histo: broken\n";
    EXPECT_EQ(folderItemOpeningOf(dir.file("a_H.txt")), FolderItemOpening::HistogramPlot);
    EXPECT_EQ(folderItemOpeningOf(dir.file("missing.txt")), FolderItemOpening::DesktopProgram);

    const Result<HistogramFile> h = loadHistogramFile(dir.file("a_H.txt"));
    ASSERT_TRUE(h.ok());
    EXPECT_EQ(h->lower, 30);
    EXPECT_EQ(loadHistogramFile(dir.file("b.txt")).error().id, msg::FormatErrorIn);
    EXPECT_EQ(loadHistogramFile(dir.file("missing.txt")).error().id, msg::CannotOpen);
}
