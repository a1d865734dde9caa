#include <gtest/gtest.h>

#include "core/project/ReportTableList.h"

using namespace phonotab;

namespace {

// Three tables A, B, C; a graph illustration of each, and a picture file.
ProjectState threeTables() {
    ProjectState p;
    for (const char* name : {"A", "B", "C"}) {
        ProjectTable t;
        t.table.name = name;
        p.tables.push_back(std::move(t));
    }
    p.illustrations = {{"graph A", "---", std::size_t{0}},
                       {"photo", "photo.bmp", std::nullopt},
                       {"graph C", "---", std::size_t{2}},
                       {"graph B", "---", std::size_t{1}}};
    return p;
}

// Each graph illustration as "caption>table name"; pictures as their caption.
std::vector<std::string> links(const ProjectState& p) {
    std::vector<std::string> out;
    for (const Illustration& ill : p.illustrations)
        out.push_back(ill.table ? ill.caption + ">" + p.tables.at(*ill.table).table.name : ill.caption);
    return out;
}

}  // namespace

// Moving or removing a table never leaves an illustration showing another
// table's graph.
TEST(ReportTableList, GraphIllustrationsFollowTheirTables) {
    const std::vector<std::string> before = {"graph A>A", "photo", "graph C>C", "graph B>B"};
    ProjectState p = threeTables();
    ASSERT_TRUE(SwapReportTables(p, 0, 1));  // B A C
    EXPECT_EQ(p.tables[0].table.name, "B");
    EXPECT_EQ(links(p), before);
    ASSERT_TRUE(SwapReportTables(p, 1, 2));  // B C A
    EXPECT_EQ(links(p), before);
    EXPECT_FALSE(SwapReportTables(p, 2, 3));
    EXPECT_EQ(links(p), before);

    EXPECT_EQ(IllustrationsOfTable(p, 1), (std::vector<std::size_t>{2}));  // C's graph
    ASSERT_TRUE(RemoveReportTable(p, 1));                                 // B A
    EXPECT_EQ(links(p), (std::vector<std::string>{"graph A>A", "photo", "graph B>B"}));
    ASSERT_TRUE(RemoveReportTable(p, 0));  // A
    EXPECT_EQ(links(p), (std::vector<std::string>{"graph A>A", "photo"}));
    EXPECT_FALSE(RemoveReportTable(p, 1));
    EXPECT_EQ(p.tables.size(), 1u);
}
