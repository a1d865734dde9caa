#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "core/base/StringTable.h"
#include "core/base/TextIds.h"

using namespace phonotab;

// A mistyped or renumbered interface text shows "#<number>" in a window; every
// named id must have its text in both shipped language tables.
TEST(TextIds, EveryNamedTextIsInBothLanguageTables) {
    for (const char* file : {"ru.txt", "en.txt"}) {
        StringTable table;
        ASSERT_TRUE(loadStringTableFile(phonotab::testing::sourceDir() + "/data/lang/" + file, table)) << file;
        for (text::Id id : text::kAllIds) EXPECT_TRUE(table.contains(id)) << file << ": " << static_cast<int>(id);
    }
}

// The list of all ids is kept by hand beside the enum: every number the enum
// names must be in it, or the check above would miss that name.
TEST(TextIds, TheListHoldsEveryNameOfTheEnum) {
    std::ifstream in(phonotab::testing::sourceDir() + "/src/core/base/TextIds.h");
    ASSERT_TRUE(in);
    std::stringstream header;
    header << in.rdbuf();
    const std::string source = header.str();
    const std::set<int> listed(std::begin(text::kAllIds), std::end(text::kAllIds));
    static const std::regex entry(R"(\n    (\w+) = (\d+),)");
    int named = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), entry); it != std::sregex_iterator(); ++it) {
        ++named;
        EXPECT_TRUE(listed.count(std::stoi((*it)[2]))) << (*it)[1];
    }
    EXPECT_EQ(named, static_cast<int>(std::size(text::kAllIds)));
}

// A number reached by two names is one text that two windows share: it gets
// one name, so a change of the text is made in one place.
TEST(TextIds, EachNumberHasOneName) {
    std::set<int> seen;
    for (text::Id id : text::kAllIds) EXPECT_TRUE(seen.insert(id).second) << static_cast<int>(id);
}

// Texts that windows reach as "first + k": every member of the run is there.
TEST(TextIds, RunsOfTextsAreWhole) {
    struct Run {
        text::Id first;
        int count;
    };
    const Run runs[] = {
        {text::FormulaFirstWrap, 9},            // one button a formula wrap
        {text::FormulaFirstReferenceLevel, 4},  // the reference levels' choice
        {text::BoundsDays, 4},                  // days, hours, minutes, seconds
    };
    for (const char* file : {"ru.txt", "en.txt"}) {
        StringTable table;
        ASSERT_TRUE(loadStringTableFile(phonotab::testing::sourceDir() + "/data/lang/" + file, table)) << file;
        for (const Run& r : runs)
            for (int k = 0; k < r.count; ++k) EXPECT_TRUE(table.contains(r.first + k)) << file << ": " << r.first + k;
    }
}
