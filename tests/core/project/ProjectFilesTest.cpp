#include <gtest/gtest.h>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/project/ProjectFiles.h"
#include "core/project/ProjectPaths.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::string toStoredFolder(const std::string& local) { return toStoredPath(local) + "\\"; }

ProjectState withNames(std::vector<std::string> names, int current = -1) {
    ProjectState p;
    for (auto& n : names) {
        ProjectFileEntry e;
        e.referenceName = n;
        e.path = n + ".bin";
        p.files.push_back(e);
    }
    p.currentIndex = current;
    return p;
}

std::vector<std::string> names(const ProjectState& p) {
    std::vector<std::string> out;
    for (const auto& e : p.files) out.push_back(e.referenceName);
    return out;
}

}  // namespace

TEST(ProjectFiles, AddingNamesEntriesAndAsksTheHistogramQuestionOnce) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 3, 1));
    for (const char* s : {"s1.bin", "s2.bin", "s3.bin"})
        writeBytes(dir.file(s), fixtures::makeStationFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 12, 5, 1));
    ProjectState p;
    p.currentFile.histogramLow = 30;
    p.workingFolder = toStoredFolder(dir.path().string());
    // The same file twice with an empty prefix: "a.bin", then "a.bin1".
    AddFilesRequest r{{dir.file("a.bin"), dir.file("a.bin")}, "", p.workingFolder, {}};
    ASSERT_TRUE(addFiles(p, r, demoDesc()).ok());
    EXPECT_EQ(names(p), (std::vector<std::string>{"a.bin", "a.bin1"}));
    EXPECT_EQ(p.files[0].path, "a.bin");  // relative to the working folder
    EXPECT_EQ(p.files[0].workMode, FileWorkMode::Records);
    EXPECT_EQ(p.files[0].fileType, 60101);
    EXPECT_EQ(p.files[0].histogramLow, 30);  // from the current file
    int asked = 0;
    AddFilesRequest stations{{dir.file("s1.bin"), dir.file("s2.bin"), dir.file("s3.bin")}, "st", p.workingFolder,
                             [&] { return ++asked > 0; }};
    ASSERT_TRUE(addFiles(p, stations, demoDesc()).ok());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(p.files[4].referenceName, "st_s3.bin");
    EXPECT_EQ(p.files[4].workMode, FileWorkMode::Histograms);
    // A single file needs a free, non-empty name; a prefix must not be a name.
    EXPECT_EQ(addFiles(p, {{dir.file("a.bin")}, "a.bin", p.workingFolder, {}}, demoDesc()).error().id, 5313);
    EXPECT_EQ(addFiles(p, {{dir.file("a.bin")}, "", p.workingFolder, {}}, demoDesc()).error().id, 5313);
    EXPECT_EQ(addFiles(p, {{dir.file("a.bin"), dir.file("a.bin")}, "a.bin", p.workingFolder, {}}, demoDesc()).error().id,
              5313);
    // A missing file ends the command; the files before it stay.
    const auto before = p.files.size();
    EXPECT_EQ(addFiles(p, {{dir.file("a.bin"), dir.file("none.bin")}, "x", p.workingFolder, {}}, demoDesc()).error().id, 105);
    EXPECT_EQ(p.files.size(), before + 1);
    // An instrument the description does not name.
    std::vector<std::uint8_t> unknown = fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 1, 1);
    unknown[18] = 99;
    writeBytes(dir.file("u.bin"), unknown);
    EXPECT_EQ(addFiles(p, {{dir.file("u.bin")}, "u", p.workingFolder, {}}, demoDesc()).error().id, 132);
}

TEST(ProjectFiles, RemovingAndMovingKeepTheCurrentEntry) {
    ProjectState p = withNames({"a", "b", "c", "d"}, 2);
    removeEntries(p, {0});
    EXPECT_EQ(p.currentIndex, 1);  // an entry above it went
    removeEntries(p, {1, 2});
    EXPECT_EQ(p.currentIndex, -1);  // it went itself
    EXPECT_EQ(names(p), std::vector<std::string>{"b"});
    p = withNames({"a", "b", "c"}, 0);
    moveEntry(p, 0, +1);
    EXPECT_EQ(names(p), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(p.currentIndex, 1);
    moveEntry(p, 0, -1);  // nothing above the first
    moveEntry(p, 2, +1);  // nothing below the last
    EXPECT_EQ(names(p), (std::vector<std::string>{"b", "a", "c"}));
    moveEntry(p, 2, -1);
    EXPECT_EQ(p.currentIndex, 2);
}

TEST(ProjectFiles, NamesCopiesSubstitutionAndSettings) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 3, 1));
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 1, 1, 0, 0, 0}, 1, 1));
    ProjectState p = withNames({"a", "b"}, 0);
    for (auto& e : p.files) e.fileType = 60101;
    p.currentFile = p.files[0];
    EXPECT_EQ(renameEntry(p, 0, "b").error().id, 5313);
    ASSERT_TRUE(renameEntry(p, 0, "z").ok());
    EXPECT_EQ(p.currentFile.referenceName, "z");
    ASSERT_TRUE(copyEntry(p, 1, "b2").ok());
    EXPECT_EQ(p.files[2].path, "b.bin");
    EXPECT_EQ(substituteFiles(p, {1, 2}, {dir.file("a.bin")}, "").error().id, 5314);
    EXPECT_EQ(substituteFiles(p, {1}, {dir.file("v.bin")}, "").error().id, 5315);
    ASSERT_TRUE(substituteFiles(p, {1}, {dir.file("a.bin")}, "").ok());
    EXPECT_EQ(storedFileName(p.files[1].path), "a.bin");
    EXPECT_EQ(p.files[1].referenceName, "b");  // settings and name kept

    p.currentFile.scanning = true;
    p.currentFile.percentiles = {10};
    p.files[2].workMode = FileWorkMode::Samples;  // another mode: the copy stops there
    EXPECT_EQ(giveCurrentSettings(p, {1, 2}).error().id, 5316);
    EXPECT_TRUE(p.files[1].scanning);
    EXPECT_FALSE(p.files[2].scanning);
}

TEST(ProjectFiles, CurrentSettingsGoBackToTheMatchingEntry) {
    ProjectState p = withNames({"a", "b"});
    p.currentFile = p.files[1];
    p.currentFile.scanning = true;
    p.currentFile.viewRow = 9;
    p.currentFile.selections.resize(2);
    copyCurrentSettingsBack(p);
    EXPECT_TRUE(p.files[1].scanning);
    EXPECT_EQ(p.files[1].selections.size(), 2u);
    EXPECT_EQ(p.files[1].viewRow, 0);
    EXPECT_FALSE(p.files[0].scanning);
    p.currentFile.referenceName = "other";  // no entry matches: nothing happens
    p.currentFile.scanning = false;
    copyCurrentSettingsBack(p);
    EXPECT_TRUE(p.files[1].scanning);
    clearProject(p, ClearForm::Full);
    EXPECT_EQ(p.currentFile.fileType, 0);
}
