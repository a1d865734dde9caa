#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "core/platform/AtomicFile.h"

using namespace phonotab;

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("result.txt");
    ASSERT_TRUE(writeFileAtomically(path, "old").ok());
    {
        AtomicFileWriter w;
        ASSERT_TRUE(w.open(path).ok());
        w.write("new contents");
        EXPECT_EQ(phonotab::testing::readText(path), "old");  // not yet
    }  // dropped without commit
    EXPECT_EQ(phonotab::testing::readText(path), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
    AtomicFileWriter w;
    ASSERT_TRUE(w.open(path).ok());
    w.write("new");
    ASSERT_TRUE(w.commit().ok());
    EXPECT_EQ(phonotab::testing::readText(path), "new");
}

TEST(AtomicFile, UnwritableFolderGivesTheOpenMessage) {
    Status s = writeFileAtomically("/nonexistent-folder/x.txt", "x");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, 105);
}

TEST(AtomicFile, CreatingOnlyWhenAbsentNeverReplaces) {
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("t.tbl");
    Result<bool> first = writeFileIfAbsent(path, "one");
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(*first);
    Result<bool> second = writeFileIfAbsent(path, "two");
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE(*second);
    EXPECT_EQ(phonotab::testing::readText(path), "one");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The temporary file is created private; the file it replaces must not become so.
TEST(AtomicFile, ReplacingKeepsTheFilesPermissions) {
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("project.pht");
    const auto mode = [](const std::string& p) {
        struct stat st {};
        return ::stat(p.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
    };
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(writeFileAtomically(path, "old").ok());
    EXPECT_EQ(mode(path), static_cast<int>(0666 & ~mask));  // a new file gets the usual permissions
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path, "new").ok());
    EXPECT_EQ(mode(path), 0640);
    ASSERT_TRUE(writeFileAtomically(dir.file("other"), "copied").ok());
    ASSERT_TRUE(copyFileReplacing(dir.file("other"), path).ok());
    EXPECT_EQ(mode(path), 0640);
    EXPECT_EQ(phonotab::testing::readText(path), "copied");
}

// A writer killed half-way leaves its hidden temporary file behind; the next
// write of the same target removes it, but not the file of a writer that still
// runs, nor those of another target.
TEST(AtomicFile, TemporariesAreHiddenAndStaleOnesGoAtTheNextWrite) {
    phonotab::testing::ScratchDir dir;
    const std::string path = dir.file("result.txt");
    const pid_t ended = ::fork();  // a process that no longer runs
    if (ended == 0) ::_exit(0);
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    const std::string prefix = AtomicFileWriter::temporaryPrefix(path);
    const std::string stale = dir.file(prefix + std::to_string(ended) + "-abcdef");
    const std::string running = dir.file(prefix + "1-abcdef");  // process 1 always runs
    const std::string otherTarget =
        dir.file(AtomicFileWriter::temporaryPrefix("other.txt") + std::to_string(ended) + "-abcdef");
    for (const std::string& f : {stale, running, otherTarget}) std::ofstream(f) << "partial";

    AtomicFileWriter w;
    ASSERT_TRUE(w.open(path).ok());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().front(), '.') << entry.path();  // nothing shows in the folder view
    w.write("whole");
    ASSERT_TRUE(w.commit().ok());
    EXPECT_EQ(phonotab::testing::readText(path), "whole");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(otherTarget));
}
