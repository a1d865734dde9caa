#include <gtest/gtest.h>

#include "core/acoustics/ParameterTable.h"

using namespace phonotab;

namespace {
ParameterEntry entry(FieldCode code, bool withSub = false) {
    ParameterEntry e;
    e.code = code;
    if (withSub) e.subEntries.push_back(ParameterEntry{});
    return e;
}
}  // namespace

TEST(ParameterTable, FlagClicksFollowThePlotRules) {
    std::vector<ParameterEntry> list = {entry(0x01300100), entry(0x01300000, true), entry(kStoredHistogramCode),
                                        entry(kStoredHistogramCode + 1), entry(kSynthesizedLeqCode)};
    // Plain flags toggle; the source column and rows below the last do nothing.
    EXPECT_TRUE(toggleParameterFlag(list, 0, kLeqColumn, false));
    EXPECT_TRUE(list[0].flags.leq);
    EXPECT_TRUE(toggleParameterFlag(list, 0, kLeqColumn, false));
    EXPECT_FALSE(list[0].flags.leq);
    EXPECT_FALSE(toggleParameterFlag(list, 0, kSourceColumn, false));
    EXPECT_FALSE(toggleParameterFlag(list, 5, kPlotColumn, false));
    // An entry with sub-entries is never plotted.
    EXPECT_FALSE(toggleParameterFlag(list, 1, kPlotColumn, false));
    EXPECT_FALSE(list[1].flags.plot);
    // In histogram mode one stored histogram is plotted at a time.
    EXPECT_TRUE(toggleParameterFlag(list, 2, kPlotColumn, true));
    EXPECT_TRUE(toggleParameterFlag(list, 3, kPlotColumn, true));
    EXPECT_FALSE(list[2].flags.plot);
    EXPECT_TRUE(list[3].flags.plot);
    // ... and a synthesized level takes only the plot column.
    EXPECT_FALSE(toggleParameterFlag(list, 4, kMinColumn, true));
    EXPECT_FALSE(list[4].flags.minimum);
    EXPECT_TRUE(toggleParameterFlag(list, 4, kMinColumn, false));
    EXPECT_TRUE(toggleParameterFlag(list, 4, kPlotColumn, true));
    EXPECT_TRUE(list[3].flags.plot);
}

TEST(ParameterTable, TooltipsListTheCalculatedValues) {
    ParameterEntry e = entry(0x01300100);
    e.first.minima = {40, 41.256};
    e.first.leqs = {55.5};
    e.first.percentiles = {{61, 62}, {}, {30}};
    const NamingContext none{};
    EXPECT_EQ(parameterTooltip(e, kMinColumn, none), "Min: 40.00 41.26");
    EXPECT_EQ(parameterTooltip(e, kMaxColumn, none), "Max:");
    EXPECT_EQ(parameterTooltip(e, kLeqColumn, none), "LEq: 55.50");
    EXPECT_EQ(parameterTooltip(e, kPercentileColumn, none), "Percentiles: {61.00 62.00} {30.00}");
    EXPECT_EQ(parameterTooltip(e, kHistogramColumn, none), "Histo");
    EXPECT_EQ(parameterTooltip(e, kUncorrectedColumn, none), "без корр.");
    e.displayName = "мой";
    EXPECT_EQ(entryDisplayName(e, none), "мой");
}
