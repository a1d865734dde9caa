#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "core/base/LanguageList.h"
#include "core/base/LocaleLanguage.h"
#include "core/base/StringTable.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(LanguageList, OffersEveryTableWithALanguageName) {
    ScratchDir dir;
    std::ofstream(dir.file("en.txt")) << "103\tEnglish\n104\tOpen file\n6740\tOkay\n5530\tNo thanks\n";
    // The same name twice: both listed; a table without the buttons' texts gets English ones.
    std::ofstream(dir.file("en2.txt")) << "103\tEnglish\n";
    std::ofstream(dir.file("broken.txt")) << "104\tno language name\n";
    std::ofstream(dir.file("de.dat")) << "103\tDeutsch\n";
    EXPECT_EQ(listLanguageTables(dir.path().string()),
              (std::vector<LanguageChoice>{{"en.txt", "English", "Okay", "No thanks"}, {"en2.txt", "English", "OK", "Cancel"}}));

    setCurrentStrings(StringTable::russian());
    EXPECT_FALSE(applyLanguageTable(dir.path().string(), "broken.txt"));
    EXPECT_FALSE(applyLanguageTable(dir.path().string(), "../en.txt"));
    EXPECT_EQ(tr(103), "Русский");
    EXPECT_TRUE(applyLanguageTable(dir.path().string(), "en.txt"));
    EXPECT_EQ(tr(104), "Open file");
    setCurrentStrings(StringTable::russian());
}

TEST(LocaleLanguage, TheFirstSetVariableNamesTheLanguage) {
    constexpr auto ru = LocaleLanguage::Russian, en = LocaleLanguage::English;
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        LocaleLanguage want;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, ru},                    // no locale: the program's own language
        {nullptr, nullptr, "C", ru},                         // the C and POSIX locales likewise
        {nullptr, nullptr, "C.UTF-8", ru},
        {nullptr, nullptr, "POSIX", ru},
        {nullptr, nullptr, "ru_RU.UTF-8", ru},
        {nullptr, nullptr, "ru", ru},
        {nullptr, nullptr, "en_US.UTF-8", en},
        {nullptr, nullptr, "de_DE@euro", en},                // any other language: English
        {nullptr, nullptr, "Cyrl", en},                      // not the C locale, only its letter first
        {"en_GB.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8", en},   // LC_ALL wins
        {"", "ru_RU.UTF-8", "en_US.UTF-8", ru},              // an empty variable counts as unset
        {nullptr, "C", "en_US.UTF-8", ru},                   // LC_MESSAGES before LANG
        {"C.UTF-8", nullptr, "en_US.UTF-8", ru},
    };
    for (const Case& c : cases)
        EXPECT_EQ(languageOfLocale(c.lcAll, c.lcMessages, c.lang), c.want)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    EXPECT_EQ(languageTableFile(ru), "ru.txt");
    EXPECT_EQ(languageTableFile(en), "en.txt");
}
