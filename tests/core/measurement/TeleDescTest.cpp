#include <gtest/gtest.h>

#include "TeleDescSource.h"
#include "TestSupport.h"
#include "core/measurement/TeleDesc.h"

using namespace phonotab;
using namespace phonotab::fixtures;

namespace {

TeleDescSource smallSource(std::uint32_t version) {
    TeleDescSource s;
    s.version = version;
    TypeSource t;
    t.typeCode = 7;
    t.codes = {0x201B0000, 0x01100000, 0x01100101};
    t.titles = {{"Русский", {"Окт", "Терц", "Сум", "", "", ""}}, {"English", {"Oct", "Third", "Sum", "", "", ""}}};
    t.detectors = {{"Русский", {{0, "Быстро"}, {1, "Медленно"}}}, {"English", {{0, "Fast"}}}};
    t.longIndex = 1;
    s.types.push_back(t);
    s.instruments.push_back({21, {{"Русский", {"Виброметр", "", "", "", ""}}}});
    s.bandNames = {"31,5 Гц", "63 Гц"};
    s.section5.push_back({"x", 1, 2, 3});
    return s;
}

}  // namespace

TEST(TeleDesc, KeepsOnlyTheTextsOfTheCurrentLanguage) {
    const auto bytes = writeTeleDesc(smallSource(3));
    Result<TeleDesc> ru = parseTeleDesc(bytes, "Русский");
    ASSERT_TRUE(ru.ok());
    const TeleTypeEntry* t = ru->type(7);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->titles[0], "Окт");
    EXPECT_EQ(t->detectorNames.at(1), "Медленно");
    EXPECT_TRUE(t->longIndex);
    EXPECT_EQ(t->typeCheckOffset, 0);
    EXPECT_EQ(t->recordSize, 6u);
    EXPECT_EQ(ru->instrumentName(21), "Виброметр");
    EXPECT_EQ(ru->bandName(1), "63 Гц");
    EXPECT_EQ(ru->bandName(2), "");

    Result<TeleDesc> en = parseTeleDesc(bytes, "English");
    ASSERT_TRUE(en.ok());
    EXPECT_EQ(en->type(7)->titles[2], "Sum");
    // An instrument without a group of the language is not entered at all.
    EXPECT_EQ(en->instrumentName(21), "");
    EXPECT_EQ(en->instruments.count(21), 0u);
    // A language nobody wrote leaves the captions empty; the type still loads.
    Result<TeleDesc> de = parseTeleDesc(bytes, "Deutsch");
    ASSERT_TRUE(de.ok());
    EXPECT_EQ(de->type(7)->titles[0], "");
    EXPECT_TRUE(de->type(7)->detectorNames.empty());
}

TEST(TeleDesc, VersionTwoHasNoLongIndexWord) {
    Result<TeleDesc> d = parseTeleDesc(writeTeleDesc(smallSource(2)), "Русский");
    ASSERT_TRUE(d.ok());
    EXPECT_FALSE(d->type(7)->longIndex);
    EXPECT_EQ(d->instrumentName(21), "Виброметр");  // the rest stays in step
}

TEST(TeleDesc, LaterEntriesWithTheSameCodeReplaceEarlierOnes) {
    TeleDescSource s = smallSource(3);
    TypeSource again = s.types[0];
    again.codes = {0x01100000};
    s.types.push_back(again);
    s.instruments.push_back({21, {{"Русский", {"Другой", "", "", "", ""}}}});
    Result<TeleDesc> d = parseTeleDesc(writeTeleDesc(s), "Русский");
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d->type(7)->codes.size(), 1u);
    EXPECT_EQ(d->instrumentName(21), "Другой");
}

TEST(TeleDesc, EveryTruncationAndABadMagicAreRefusedLikeAMissingFile) {
    const auto bytes = writeTeleDesc(smallSource(3));
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Result<TeleDesc> d = parseTeleDesc(ByteSpan(bytes.data(), n), "Русский");
        ASSERT_FALSE(d.ok()) << n;
        EXPECT_EQ(d.error().id, 403);
    }
    auto bad = bytes;
    bad[0] ^= 1;
    EXPECT_EQ(parseTeleDesc(bad, "Русский").error().id, 403);
    EXPECT_EQ(loadTeleDesc("/nonexistent/TeleDescFile.bin", "Русский").error().id, 403);
}

TEST(TeleDesc, ImpossibleCountsAreRefusedWithoutAllocating) {
    auto bytes = writeTeleDesc(smallSource(3));
    bytes[8] = 0xFF;  // N1 = huge
    bytes[9] = 0xFF;
    bytes[10] = 0xFF;
    bytes[11] = 0x7F;
    EXPECT_EQ(parseTeleDesc(bytes, "Русский").error().id, 403);
}

TEST(TeleDesc, EmptyCodeListCountsAsUnknownAndOffsetsFollowTheSizeRule) {
    TeleDescSource s = smallSource(3);
    s.types[0].codes = {0x00010000, 0xF0050000, 0x5123ABCD, 0xF0030000, 0xF0990000, 0, 0x01100000};
    s.types.push_back(TypeSource{});
    s.types.back().typeCode = 8;
    Result<TeleDesc> d = parseTeleDesc(writeTeleDesc(s), "Русский");
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d->type(8), nullptr);
    // 2 (date) + 66 (unicode comment) + 4 + 10 (name) + 6 (other nibble-15 kind) + 2 (filler)
    EXPECT_EQ(d->fieldOffset(7, 0x01100000), 90);
    EXPECT_EQ(d->fieldOffset(7, 0x5123ABCD), 68);
    EXPECT_EQ(d->fieldOffset(7, 0x01100001), -1);
    EXPECT_EQ(d->fieldOffset(8, 0x01100000), -1);
}

TEST(TeleDesc, DemoDescriptionLoadsInBothLanguages) {
    const TeleDesc& ru = phonotab::testing::demoDesc("Русский");
    const TeleDesc& en = phonotab::testing::demoDesc("English");
    EXPECT_EQ(ru.instrumentName(101), "Шумомер SLM-101");
    EXPECT_EQ(en.instrumentName(101), "Sound level meter SLM-101");
    EXPECT_EQ(en.type(60101)->detectorNames.at(1), "Fast");
    EXPECT_EQ(ru.bandName(16), "31,5 Гц");
}
