#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DemoData.h"
#include "TestSupport.h"
#include "core/project/RecordTextFiles.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

std::vector<std::string> namesIn(const ScratchDir& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// A dump or summary that fails after it began leaves the old target as it was
// and no temporary file beside it.
TEST(RecordTextFiles, FailureHalfWayLeavesTheOldTargetAndNoTemporaryFile) {
    ScratchDir dir;
    writeBytes(dir.file("a.bin"), fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 3, 1));
    writeBytes(dir.file("v.bin"), fixtures::makeVibrationFile(demoSource(), {2024, 5, 22, 8, 0, 0}, 1, 4));
    writeBytes(dir.file("junk.bin"), std::vector<std::uint8_t>(4096, 0xEE));
    std::ofstream(dir.file("out.txt"), std::ios::binary) << "old";
    std::filesystem::create_directory(dir.file("folder.txt"));
    const std::vector<std::string> before = namesIn(dir);

    const std::string a = dir.file("a.bin");
    SummaryRequest summary{{a, dir.file("v.bin")}, {{0, "LAeq"}}, {}, 0};
    const struct {
        const char* what;
        Status status;
        int id;
    } cases[] = {
        // The first file's records are written before the second one fails.
        {"missing second file", WriteRecordDumpFile({a, dir.file("none.bin")}, dir.file("out.txt"), demoDesc(),
                                                    TextEncoding::Utf8), msg::CannotOpen},
        {"unknown record type", WriteRecordDumpFile({a, dir.file("junk.bin")}, dir.file("out.txt"), demoDesc(),
                                                    TextEncoding::Utf8), msg::UnknownInstrumentType},
        // Everything was written, but the target cannot be replaced.
        {"target is a folder", WriteRecordDumpFile({a}, dir.file("folder.txt"), demoDesc(), TextEncoding::Utf8),
         msg::CannotWrite},
        {"summary of different types", WriteSummaryFile(summary, dir.file("out.txt"), demoDesc(), TextEncoding::Utf8),
         msg::DifferentFileTypes},
        {"summary target is a folder", WriteSummaryFile({{a}, {{0, "LAeq"}}, {}, 0}, dir.file("folder.txt"), demoDesc(),
                                                        TextEncoding::Utf8), msg::CannotWrite},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.status.ok()) << c.what;
        EXPECT_EQ(c.status.error().id, c.id) << c.what;
    }
    EXPECT_EQ(readText(dir.file("out.txt")), "old");
    EXPECT_EQ(namesIn(dir), before);

    // A stop asked for before the work began: nothing is written either.
    std::vector<std::uint8_t> many = fixtures::makeSlmFile(demoSource(), {2023, 3, 14, 9, 30, 15}, 5000, 1);
    writeBytes(dir.file("many.bin"), many);
    Progress stopped;
    stopped.cancel();
    const Status s = WriteRecordDumpFile({dir.file("many.bin")}, dir.file("out.txt"), demoDesc(), TextEncoding::Utf8, stopped);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().id, msg::Cancelled);
    EXPECT_EQ(readText(dir.file("out.txt")), "old");

    // Done whole, the dump replaces the target.
    ASSERT_TRUE(WriteRecordDumpFile({a}, dir.file("out.txt"), demoDesc(), TextEncoding::Utf8).ok());
    EXPECT_NE(readText(dir.file("out.txt")).find("; 3;"), std::string::npos);
}
