#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "base/LanguageList.h"
#include "base/StringTable.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(LanguageList, OffersEveryTableWithALanguageName) {
    ScratchDir dir;
    std::ofstream(dir.file("en.txt")) << "103\tEnglish\n104\tOpen file\n";
    std::ofstream(dir.file("en2.txt")) << "103\tEnglish\n";  // the same name twice: both listed
    std::ofstream(dir.file("broken.txt")) << "104\tno language name\n";
    std::ofstream(dir.file("de.dat")) << "103\tDeutsch\n";
    EXPECT_EQ(listLanguageTables(dir.path().string()),
              (std::vector<LanguageChoice>{{"en.txt", "English"}, {"en2.txt", "English"}}));

    setCurrentStrings(StringTable::russian());
    EXPECT_FALSE(applyLanguageTable(dir.path().string(), "broken.txt"));
    EXPECT_FALSE(applyLanguageTable(dir.path().string(), "../en.txt"));
    EXPECT_EQ(tr(103), "Русский");
    EXPECT_TRUE(applyLanguageTable(dir.path().string(), "en.txt"));
    EXPECT_EQ(tr(104), "Open file");
    setCurrentStrings(StringTable::russian());
}
