#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/base/MappedFile.h"
#include "core/tables/io/TableStore.h"

using namespace phonotab;
using namespace phonotab::testing;

namespace {

void put(const std::string& path, const std::string& text) {
    ASSERT_TRUE(writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end())));
}

}  // namespace

TEST(TableStore, ListsTheTablesOfTheStore) {
    ScratchDir dir;
    put(dir.file("b.tbl"), "b");
    put(dir.file("A.TBL"), "a");
    put(dir.file("notes.txt"), "n");
    std::filesystem::create_directory(dir.file("folder.tbl"));
    EXPECT_EQ(ListStandardTables(dir.path().string()), (std::vector<std::string>{"A.TBL", "b.tbl"}));
    EXPECT_TRUE(ListStandardTables(dir.file("missing")).empty());
}

TEST(TableStore, CopyingIntoTheProjectAsksBeforeOverwriting) {
    ScratchDir store, work;
    put(store.file("Шум.tbl"), "standard");
    int asked = 0;
    auto answer = [&](bool yes) {
        return [&asked, yes] {
            ++asked;
            return yes;
        };
    };
    Result<CopyOutcome> r = CopyStandardTableToProject(store.path().string(), "Шум.tbl", work.path().string(), "new.tbl", answer(false));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, CopyOutcome::Copied);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(readText(work.file("new.tbl")), "standard");

    put(work.file("new.tbl"), "mine");
    r = CopyStandardTableToProject(store.path().string(), "Шум.tbl", work.path().string(), "new.tbl", answer(false));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, CopyOutcome::Declined);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(readText(work.file("new.tbl")), "mine");

    r = CopyStandardTableToProject(store.path().string(), "Шум.tbl", work.path().string(), "new.tbl", answer(true));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, CopyOutcome::Copied);
    EXPECT_EQ(readText(work.file("new.tbl")), "standard");

    r = CopyStandardTableToProject(store.path().string(), "gone.tbl", work.path().string(), "x.tbl", answer(true));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().text(), "Не могу скопировать файл");
    EXPECT_FALSE(std::filesystem::exists(work.file("x.tbl")));
}

TEST(TableStore, CopyingIntoTheStoreKeepsTheFileName) {
    ScratchDir store, work;
    put(work.file("day.tbl"), "project table");
    ASSERT_TRUE(CopyTableToStore(work.file("day.tbl"), store.path().string(), nullptr).ok());
    EXPECT_EQ(readText(store.file("day.tbl")), "project table");
    put(work.file("day.tbl"), "changed");
    Result<CopyOutcome> r = CopyTableToStore(work.file("day.tbl"), store.path().string(), [] { return true; });
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readText(store.file("day.tbl")), "changed");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.path()), {}), 1);
}
