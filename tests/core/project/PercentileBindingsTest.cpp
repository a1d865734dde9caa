#include <gtest/gtest.h>

#include "core/project/PercentileBindings.h"

using namespace phonotab;

namespace {

CellBinding bound(const std::string& source, std::int32_t item) {
    CellBinding b;
    b.sourceName = source;
    b.parameterCode = 0x01300000;
    b.itemIndex = item;
    b.value = 70;
    return b;
}

}  // namespace

// A column of LA5, LA50 and LA95 keeps its levels when L1 joins the set and
// when L50 leaves it; the cell that read L50 is named first and then loses its
// binding. Other sources and the other items stay as they are.
TEST(PercentileBindings, BindingsKeepTheirLevelWhenTheSetChanges) {
    ProjectState p;
    ProjectTable t;
    t.table = ReportTable(4, 4);
    t.table.bindings[{0, 0}] = bound("Точка 1", 4);  // L5
    t.table.bindings[{0, 1}] = bound("Точка 1", 5);  // L50
    t.table.bindings[{0, 2}] = bound("Точка 1", 6);  // L95
    t.table.bindings[{0, 3}] = bound("Точка 1", CellBinding::Leq);
    t.table.bindings[{1, 0}] = bound("Точка 2", 4);  // another file's L5
    p.tables.push_back(std::move(t));
    const std::set<double> before{5, 50, 95};

    const std::set<double> withL1{1, 5, 50, 95};
    EXPECT_TRUE(percentileBindingsLost(p, "Точка 1", before, withL1).empty());
    remapPercentileBindings(p, "Точка 1", before, withL1);
    const auto& b = p.tables[0].table.bindings;
    EXPECT_EQ(b.at({0, 0}).itemIndex, 5);
    EXPECT_EQ(b.at({0, 1}).itemIndex, 6);
    EXPECT_EQ(b.at({0, 2}).itemIndex, 7);
    EXPECT_EQ(b.at({0, 3}).itemIndex, CellBinding::Leq);
    EXPECT_EQ(b.at({1, 0}).itemIndex, 4);
    EXPECT_TRUE(p.tables[0].table.modified());

    const std::set<double> withoutL50{1, 5, 95};
    const auto lost = percentileBindingsLost(p, "Точка 1", withL1, withoutL50);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].table, 0u);
    EXPECT_EQ(lost[0].cell, (CellKey{0, 1}));
    EXPECT_EQ(lost[0].level, 50.0);
    remapPercentileBindings(p, "Точка 1", withL1, withoutL50);
    EXPECT_EQ(b.at({0, 0}).itemIndex, 5);
    EXPECT_EQ(b.count({0, 1}), 0u);
    EXPECT_EQ(b.at({0, 2}).itemIndex, 6);
}
