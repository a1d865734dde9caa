#include <gtest/gtest.h>

#include "core/base/MessageIds.h"
#include "core/tables/TableGraphData.h"

using namespace phonotab;

namespace {

// A column of levels, a column of band names, a text among the levels.
struct Fixture {
    ReportTable table{5, 3};
    DisplayTexts shown{5, 3};
    Fixture() {
        const char* bands[] = {"63", "125", "250", "500", "1000"};
        for (int r = 0; r < 5; ++r) {
            shown.set({0, r}, bands[r]);
            shown.set({1, r}, std::to_string(40 + r) + ".5");
        }
        shown.set({2, 0}, "нет");
    }
};

}  // namespace

TEST(TableGraphData, SeriesAndMarkingFromTheirRanges) {
    Fixture f;
    f.table.graph.series[0].cellRange = "B1:B5";
    f.table.graph.series[0].fillColour = 0xFF;
    f.table.graph.series[2].cellRange = " $B$2 ";
    f.table.graph.xMarkingRange = "a1:A5";
    f.table.graph.axisFlags = TableGraphSettings::LogarithmicY;
    const Result<TableGraphChart> chart = ReadTableGraph(f.table, f.shown);
    ASSERT_TRUE(chart.ok());
    ASSERT_EQ(chart->series.size(), 2u);
    EXPECT_EQ(chart->series[0].values, (std::vector<double>{40.5, 41.5, 42.5, 43.5, 44.5}));
    EXPECT_EQ(chart->series[0].fillColour, 0xFFu);
    EXPECT_EQ(chart->series[1].number, 3);
    EXPECT_EQ(chart->series[1].values, (std::vector<double>{41.5}));
    EXPECT_EQ(chart->labels, (std::vector<std::string>{"63", "125", "250", "500", "1000"}));
    EXPECT_TRUE(chart->logarithmic);
}

TEST(TableGraphData, MessagesNameTheSeries) {
    struct Case {
        std::string series2, marking;
        int message;
        std::int64_t number;
    } cases[] = {
        {"B1:Z9", "", msg::GraphSeriesError, 2},  // leaves the table
        {"B1-B3", "", msg::GraphSeriesError, 2},
        {"B1:C2", "", msg::GraphCellError, 2},    // C1 holds a text
        {"A1:A2", "A1:", msg::GraphAxisError, -1},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.table.graph.series[1].cellRange = c.series2;
        f.table.graph.xMarkingRange = c.marking;
        const Result<TableGraphChart> chart = ReadTableGraph(f.table, f.shown);
        ASSERT_FALSE(chart.ok()) << c.series2;
        EXPECT_EQ(chart.error().id, c.message) << c.series2;
        if (c.number > 0) {
            EXPECT_NE(chart.error().text().find(std::to_string(c.number)), std::string::npos);
        }
    }
    // Without a marking range the bars are numbered.
    Fixture f;
    f.table.graph.series[0].cellRange = "B1:B2";
    EXPECT_EQ(ReadTableGraph(f.table, f.shown)->labels, (std::vector<std::string>{"1", "2"}));
}
