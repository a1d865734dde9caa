#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/project/ReportConfig.h"

using namespace phonotab;

TEST(ReportConfig, ListsPerKindRoundTrip) {
    ReportConfig cfg;
    cfg.store(60101, {{0x00000100, "A_Быстро"}, {0x01000002, "кан.2"}});
    cfg.store(21, {});  // an empty list is kept as n = 0
    phonotab::testing::ScratchDir dir;
    ASSERT_TRUE(cfg.save(dir.file("report.cfg")).ok());
    const ReportConfig back = ReportConfig::load(dir.file("report.cfg"));
    EXPECT_EQ(back.lists(), cfg.lists());
    EXPECT_TRUE(back.has(21));
    EXPECT_TRUE(back.list(21).empty());
    EXPECT_EQ(back.list(60101)[1].name, "кан.2");
    EXPECT_TRUE(ReportConfig::load(dir.file("missing.cfg")).lists().empty());
}

TEST(ReportConfig, ReadingStopsAtTheFirstIncompleteField) {
    ReportConfig cfg;
    cfg.store(1, {{5, "first"}});
    cfg.store(2, {{6, "second list"}, {7, "x"}});
    const auto bytes = cfg.serialize();
    // Cut inside the name of the second list's first entry: the first list stays.
    const std::size_t cut = 4 + (4 + 4 + 4 + 4 + 10) + (4 + 4 + 4 + 4 + 6);
    const ReportConfig part = ReportConfig::parse(ByteSpan(bytes.data(), cut));
    EXPECT_EQ(part.list(1), cfg.list(1));
    EXPECT_TRUE(part.list(2).empty());
    // Any cut or a damaged length never reads past the end.
    for (std::size_t n = 0; n <= bytes.size(); ++n) (void)ReportConfig::parse(ByteSpan(bytes.data(), n));
    auto bad = bytes;
    bad[4 + 4 + 4 + 4] = 0xFF;  // first name length huge
    bad[4 + 4 + 4 + 4 + 3] = 0x7F;
    // Nothing after the damaged length is read as lists of its own.
    EXPECT_EQ(ReportConfig::parse(bad).lists(), (std::map<std::int32_t, std::vector<ReportColumn>>{{1, {}}}));
}

TEST(ReportConfig, ANameLongerThanTheBytesLeftEndsReading) {
    // The second entry of list 1 claims a name longer than the file: list 2
    // after it must not be read from the misaligned bytes.
    ReportConfig cfg;
    cfg.store(1, {{5, "ab"}, {6, "cd"}});
    cfg.store(2, {{7, "ef"}});
    auto bytes = cfg.serialize();
    const std::size_t secondLength = 4 + 4 + 4 + (4 + 4 + 4) + 4;
    bytes[secondLength] = 40;  // 40 code units, fewer bytes follow
    const ReportConfig part = ReportConfig::parse(bytes);
    EXPECT_EQ(part.list(1), (std::vector<ReportColumn>{{5, "ab"}}));
    EXPECT_FALSE(part.has(2));
    EXPECT_EQ(part.lists().size(), 1u);
}
