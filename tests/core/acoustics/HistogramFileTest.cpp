#include <gtest/gtest.h>

#include "core/acoustics/HistogramFile.h"

using namespace phonotab;

TEST(HistogramFile, RefusesTextsWithoutACompleteFirstLine) {
    for (const char* text : {"", "no tag here\n", "#comment_histo: 50 80 1\n", "#comment_histo: 50 x 1 0\n",
                             "Histogram: A\n#comment_histo: 50 80 1 0\nA\t1\t\n"}) {
        HistogramFile h;
        EXPECT_FALSE(readHistogramFile(text, h)) << text;
    }
}

// A file written in the 8-bit code page and carried over with CR LF line ends.
TEST(HistogramFile, ReadsAnEightBitFileWithCarriageReturns) {
    const std::string text =
        "#comment_histo: 30 31 0.5 1\r\n"
        "Histogram: A, \xC1\xFB\xF1\xF2\xF0\xEE\r\nA\t1\t2\t\r\n"
        "C\t4\t5\r\n"  // the last count lacks its tab
        "a line without tabs\r\n";
    HistogramFile h;
    ASSERT_TRUE(readHistogramFile(text, h));
    EXPECT_EQ(h.lower, 30);
    EXPECT_EQ(h.upper, 31);
    EXPECT_EQ(h.width, 0.5);
    EXPECT_TRUE(h.excludeEdges);
    EXPECT_EQ(h.seriesName, "Histogram: A, Быстро\nA");
    ASSERT_EQ(h.series.size(), 2u);
    EXPECT_EQ(h.series[0], (std::pair<std::string, std::vector<double>>{"A", {1, 2}}));
    EXPECT_EQ(h.series[1], (std::pair<std::string, std::vector<double>>{"C", {4}}));
    // Without edge classes every class lies between the limits.
    EXPECT_EQ(histogramClassLabels(h, 2), (std::vector<std::string>{"<30.5\n[30 - 30.5]", "<31\n[30.5 - 31]"}));
}
