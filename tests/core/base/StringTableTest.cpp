#include <gtest/gtest.h>

#include <regex>

#include "TestSupport.h"
#include "core/base/Message.h"
#include "core/base/StringTable.h"

using namespace phonotab;

TEST(StringTable, ParsesEscapesCommentsAndSkipsBadLines) {
    const StringTable t = StringTable::parse("# comment\n103\tEnglish\n5\ta\\nb \\\"q\\\" \\\\\nx\tbad\n\n7\n");
    EXPECT_EQ(t.text(5), "a\nb \"q\" \\");
    EXPECT_EQ(t.languageName(), "English");
    EXPECT_FALSE(t.contains(7));
}

TEST(StringTable, RussianIsBuiltInAndMissingNumbersStayVisible) {
    const StringTable& ru = StringTable::russian();
    EXPECT_EQ(ru.languageName(), "Русский");
    EXPECT_EQ(ru.text(143), "Файл пустой");
    EXPECT_EQ(ru.text(999999), "#999999");
    // A foreign table without a number falls back to Russian.
    EXPECT_EQ(StringTable::parse("103\tX\n").text(143), "Файл пустой");
}

// Every printf field of a text in the order it appears.
static std::vector<std::string> fieldsOf(const std::string& s) {
    static const std::regex field("%[-+ #0]*[0-9]*(\\.[0-9]+)?(hh|h|ll|l|L)?[diouxXeEfgGcs]");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), field); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

TEST(StringTable, EnglishTableMatchesTheRussianOneFieldForField) {
    StringTable en;
    ASSERT_TRUE(loadStringTableFile(phonotab::testing::sourceDir() + "/data/lang/en.txt", en));
    EXPECT_EQ(en.languageName(), "English");
    for (const auto& [id, text] : StringTable::russian().all()) {
        ASSERT_TRUE(en.contains(id)) << id;
        if (id == 103) continue;
        EXPECT_EQ(fieldsOf(en.text(id)), fieldsOf(text)) << id;
    }
    EXPECT_EQ(en.all().size(), StringTable::russian().all().size());
}

TEST(Message, SubstitutesFieldsByWhatTheyAskFor) {
    EXPECT_EQ(formatWithArgs("a %s b %d c %.2lf d %%", {std::string("x"), std::int64_t{7}, 1.25}), "a x b 7 c 1.25 d %");
    // Mismatched and missing arguments never misbehave.
    EXPECT_EQ(formatWithArgs("%d|%s|%lg|%s", {std::string("12"), std::int64_t{3}, std::string("2.5")}), "12|3|2.5|");
    EXPECT_EQ(formatWithArgs("trailing %", {}), "trailing %");
    EXPECT_EQ(Message(msg::CannotOpen, "f.bin").text(StringTable::russian()), "Не могу открыть файл 'f.bin'");
}
