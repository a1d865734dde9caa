#include <gtest/gtest.h>

#include "core/project/MainWindowTitle.h"
#include "core/project/MruList.h"
#include "core/project/WorkingFolder.h"

using namespace phonotab;

TEST(MruList, KeepsFourPathsMostRecentFirstWithoutRepeats) {
    MruList l;
    for (const char* p : {"a", "b", "c", "d", "e"}) l.add(p);
    EXPECT_EQ(l.items(), (std::vector<std::string>{"e", "d", "c", "b"}));
    l.add("c");
    EXPECT_EQ(l.items(), (std::vector<std::string>{"c", "e", "d", "b"}));
    l.add("");
    EXPECT_EQ(l.size(), 4u);
    EXPECT_EQ(l.at(3), "b");
    EXPECT_EQ(l.at(4), "");

    l.assign({"", "x", "y", "x", "", "z", "w", "v"});
    EXPECT_EQ(l.items(), (std::vector<std::string>{"x", "y", "z", "w"}));
}

TEST(MainWindowTitle, NamesTheProjectAndTheCurrentFile) {
    EXPECT_EQ(mainWindowTitle("", nullptr), "Phonotab");
    EXPECT_EQ(mainWindowTitle("/home/u/p.pht", nullptr), "/home/u/p.pht");
    const TitleFile f{"..\\data\\street.bin", "SLM-101", 0xABC12};
    EXPECT_EQ(mainWindowTitle("/home/u/p.pht", &f), "/home/u/p.pht: street.bin (SLM-101, VIN: 000ABC12)");
    const TitleFile local{"/data/yard.bin", "", 0xFFFFFFFF};
    EXPECT_EQ(mainWindowTitle("", &local), "Phonotab: yard.bin (, VIN: FFFFFFFF)");
}

TEST(WorkingFolder, StoredFormEndsWithOneBackslash) {
    EXPECT_EQ(storedWorkingFolder("/data/demo"), "\\data\\demo\\");
    EXPECT_EQ(storedWorkingFolder("/data/demo/"), "\\data\\demo\\");
    EXPECT_EQ(localWorkingFolder("\\data\\demo\\"), "/data/demo/");
    EXPECT_EQ(localWorkingFolder(""), "");
}
