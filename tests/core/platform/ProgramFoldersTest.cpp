#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "core/platform/ProgramFolders.h"

using namespace phonotab;
using namespace phonotab::testing;
namespace fs = std::filesystem;

namespace {
void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}
}  // namespace

TEST(ProgramFolders, DataFolderBesideABuildOrRelativeToTheInstalledProgram) {
    ScratchDir dir;
    const fs::path build = dir.path() / "build", installed = dir.path() / "usr";
    fs::create_directories(build / "data");
    fs::create_directories(installed / "bin");
    fs::create_directories(installed / "share/phonotab");
    EXPECT_EQ(shippedDataFolder(build.string()), (build / "data").string());
    EXPECT_EQ(shippedDataFolder((installed / "bin").string()), (installed / "share/phonotab").string());
    EXPECT_TRUE(fs::equivalent(executableFolder(), buildDir()));  // the tests run from the build root
}

TEST(ProgramFolders, UserDataIsSeededOnceAndNeverReplaced) {
    ScratchDir dir;
    const fs::path shipped = dir.path() / "share", user = dir.path() / "home/.local/share/phonotab";
    write(shipped / "RefMap.txt", "shipped books");
    write(shipped / "TblStore/day.tbl", "day");
    write(shipped / "TblStore/night.tbl", "night");
    write(shipped / "TeleDescFile.bin", "description");

    ASSERT_TRUE(seedUserDataFolder(shipped.string(), user.string()).ok());
    EXPECT_EQ(readText((user / "RefMap.txt").string()), "shipped books");
    EXPECT_EQ(readText((user / "TblStore/night.tbl").string()), "night");
    EXPECT_FALSE(fs::exists(user / "TeleDescFile.bin"));  // read from the shipped folder only
    EXPECT_EQ(std::distance(fs::directory_iterator(user), {}), 2);  // no temporary folder left

    // The user's changes stay: an edited book, a removed standard table.
    write(user / "RefMap.txt", "my books");
    fs::remove(user / "TblStore/day.tbl");
    ASSERT_TRUE(seedUserDataFolder(shipped.string(), user.string()).ok());
    EXPECT_EQ(readText((user / "RefMap.txt").string()), "my books");
    EXPECT_FALSE(fs::exists(user / "TblStore/day.tbl"));
    EXPECT_EQ(readText((shipped / "RefMap.txt").string()), "shipped books");

    // Nothing shipped: nothing to copy, and no failure.
    const fs::path other = dir.path() / "other";
    ASSERT_TRUE(seedUserDataFolder((dir.path() / "missing").string(), other.string()).ok());
    EXPECT_TRUE(fs::is_directory(other));
    EXPECT_FALSE(fs::exists(other / "TblStore"));

    // A user folder that cannot be made.
    write(dir.path() / "file", "");
    const Status s = seedUserDataFolder(shipped.string(), (dir.path() / "file/sub").string());
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, 5003);
}
