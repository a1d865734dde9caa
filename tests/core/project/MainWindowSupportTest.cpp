#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

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

// A project takes a working folder at or below its own folder along when it is
// copied or moved; other folders are kept as they are, and one that does not
// exist here gives way to the project's folder.
TEST(WorkingFolder, TravelsWithTheProjectFile) {
    const phonotab::testing::ScratchDir dir;
    const std::string root = dir.path().string();
    std::filesystem::create_directories(root + "/sub/deeper");
    const std::string project = root + "/p.pht";
    struct Written {
        std::string folder, stored;
    } written[] = {
        {root, ".\\"},
        {root + "/sub/deeper", "sub\\deeper\\"},
        {"/elsewhere/data", "\\elsewhere\\data\\"},
        {dir.path().parent_path().string(), storedWorkingFolder(dir.path().parent_path().string())},
    };
    for (const Written& w : written)
        EXPECT_EQ(workingFolderForProjectFile(storedWorkingFolder(w.folder), project), w.stored) << w.folder;
    EXPECT_EQ(workingFolderForProjectFile("", project), "");
    EXPECT_EQ(workingFolderForProjectFile("C:\\Work\\", project), "C:\\Work\\");

    // Read in a copy elsewhere: relative and empty folders are the copy's own.
    const phonotab::testing::ScratchDir copy;
    const std::string copied = copy.path().string() + "/p.pht";
    std::filesystem::create_directories(copy.path() / "sub");
    struct Read {
        std::string stored, folder;
        bool fellBack;
    } read[] = {
        {".\\", copy.path().string(), false},
        {"", copy.path().string(), false},
        {"sub\\", copy.path().string() + "/sub", false},
        {storedWorkingFolder(root), root, false},           // an absolute folder that exists here
        {"C:\\Work\\", copy.path().string(), true},      // one that does not
        {"\\no\\such\\folder\\", copy.path().string(), true},
    };
    for (const Read& r : read) {
        const ProjectWorkingFolder resolved = resolveProjectWorkingFolder(r.stored, copied);
        EXPECT_EQ(resolved.stored, storedWorkingFolder(r.folder)) << r.stored;
        EXPECT_EQ(resolved.fellBack, r.fellBack) << r.stored;
    }
}
