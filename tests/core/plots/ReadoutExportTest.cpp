#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/plots/ExportName.h"
#include "core/plots/PaneRanges.h"
#include "core/plots/Readout.h"
#include "core/plots/TextExport.h"

using namespace phonotab;

namespace {

struct ReadoutFixture {
    std::vector<double> a = {10, 20, 30, 40, 50, 60}, b = {1, 2, 3};
    GraphPane pane;
    ReadoutFixture() {
        pane.addSeries(a.data(), 0, 6, 32);
        pane.addSeries(b.data(), 1, 3, 33);
        pane.setXMapping(100, 0.5);
        pane.setVisibleRange({0, 5});
        pane.setStats(*computePaneRanges(pane));
        pane.setTitles("Канал 1", "", "");
    }
};

}  // namespace

TEST(Readout, TextsOfEachMode) {
    ReadoutFixture f;
    const GraphMarker cursor{101.02, 33.456};
    f.pane.setMarker(1, {100.5, 30});
    f.pane.setMarker(2, {102, 40});
    struct Case {
        std::uint32_t flags;
        ReadoutMode mode;
        const char* x;
        const char* y;
    } cases[] = {
        {0, ReadoutMode::Cursor, "101.020000", "33.46"},
        // Sample number floor((101.02 − 100) ÷ 0.5 + 0.5) = 2, shown counted from 1.
        {paneflag::kSampleNumber, ReadoutMode::Cursor, "101.020000 (3)", "33.46"},
        {paneflag::kSampleNumber, ReadoutMode::FromMarker1, "0.520000", "3.46"},
        {0, ReadoutMode::FromMarker2, "-0.980000", "-6.54"},
        {paneflag::kFirstMaximum, ReadoutMode::Statistics, "6 точек", "60.00 (макс)"},
        {paneflag::kRootSumSquares, ReadoutMode::Statistics, "6 точек", "95.47"},
        // All nine raw samples: range 59 (without the margins), mean 24, deviation
        // 20.9, the last two with two significant digits.
        {0, ReadoutMode::Statistics, "6 точек", "59.00 (24, 21)"},
    };
    for (const Case& c : cases) {
        f.pane.setFlags(c.flags);
        const ReadoutText t = readoutText(f.pane, c.mode, cursor);
        EXPECT_EQ(t.x, c.x) << static_cast<int>(c.mode) << " " << c.flags;
        EXPECT_EQ(t.y, c.y) << static_cast<int>(c.mode) << " " << c.flags;
    }
    f.pane.setFlags(paneflag::kCallerText);
    f.pane.setStatisticsText("Leq 71.2");
    EXPECT_EQ(readoutText(f.pane, ReadoutMode::Statistics, std::nullopt).y, "Leq 71.2");
    EXPECT_EQ(readoutText(f.pane, ReadoutMode::Cursor, std::nullopt).x, "");  // pointer off the plot

    EXPECT_EQ(withReadoutDecimals("%1.0lf (%.0lg, %.0lg)", 3), "%1.3lf (%.3lg, %.3lg)");
    EXPECT_EQ(withReadoutDecimals("%1.05lf %08X %%", 3), "%1.05lf %08X %%");
}

TEST(TextExport, OneLinePerVisibleIndexWithZerosPastShortSeries) {
    ReadoutFixture f;
    EXPECT_EQ(paneTextExport(f.pane),
              "Канал 1\n"
              "100\t10\t0\t\n"
              "100.5\t20\t1\t\n"
              "101\t30\t2\t\n"
              "101.5\t40\t3\t\n"
              "102\t50\t0\t\n"
              "102.5\t60\t0\t\n");
    f.pane.setVisibleRange({4, 5});
    EXPECT_EQ(paneTextExport(f.pane, TextEncoding::Cp1251), "\xCA\xE0\xED\xE0\xEB 1\n102\t50\t0\t\n102.5\t60\t0\t\n");
    // A sink that fails stops the export.
    EXPECT_FALSE(writePaneText(f.pane, TextEncoding::Utf8, [](std::string_view) { return false; }));
}

TEST(ExportName, DayAndTimeWithASuffixWhenTaken) {
    const CalendarTime now{2024, 3, 7, 9, 5, 2};
    EXPECT_EQ(automaticExportName(now, "txt", nullptr), "07090502.txt");
    std::set<std::string> existing = {"07090502.bmp", "07090502_2.bmp"};
    EXPECT_EQ(automaticExportName(now, "bmp", [&](const std::string& n) { return existing.count(n) > 0; }),
              "07090502_3.bmp");
}
