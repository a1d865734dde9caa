#include <gtest/gtest.h>

#include "../ScriptedDialogs.h"
#include "core/tables/macros/DataAddress.h"

using namespace phonotab;
using namespace phonotab::testing;

TEST(DataAddress, ReadsItemsAndTheirMask) {
    struct Case {
        const char* text;
        bool ok;
        unsigned mask;
    };
    const Case cases[] = {
        {"", true, 0},
        {"r2c1t1m2b5", true, dataspec::Record | dataspec::Channel | dataspec::Type | dataspec::Mode | dataspec::Band},
        {"R2 B12", true, dataspec::Record | dataspec::Band},  // stored macros are upper-cased
        {"n1b+1m-2", true, 0},                                // relative items and the selector set no bit
        {"b", false, 0},                                      // a letter without digits
        {"c+1", false, 0},                                    // only r, m and b take a sign
        {"x1", false, 0},
        {"b123", false, 0},  // two digits at most: "3" is no letter
        {"n12", false, 0},   // the selector has one digit
        {"r1;", false, 0},
    };
    for (const Case& c : cases) {
        const auto address = ParseDataAddress(c.text);
        ASSERT_EQ(address.has_value(), c.ok) << c.text;
        if (address) {
            EXPECT_EQ(address->absoluteMask(), c.mask) << c.text;
        }
    }
}

TEST(DataAddress, AbsoluteItemsCountFromOneRelativeOnesMove) {
    DataSelection s;
    s.record = 4;
    s.band = 3;
    s.mode = 1;
    s.modeName = "Быстро";
    ApplyDataAddress(*ParseDataAddress("r2b+2n5"), s);
    EXPECT_EQ(s.record, 1);
    EXPECT_EQ(s.band, 5);
    EXPECT_EQ(s.output, 5);
    EXPECT_EQ(s.modeName, "Быстро");
    ApplyDataAddress(*ParseDataAddress("m-1"), s);
    EXPECT_EQ(s.mode, 0);
    EXPECT_TRUE(s.modeName.empty());  // "m" forgets a mode chosen by name
    // A long chain of relative items stays in range.
    std::string many;
    for (int i = 0; i < 30000; ++i) many += "b+99";
    ApplyDataAddress(*ParseDataAddress(many), s);
    EXPECT_EQ(s.band, 1'000'000);

    DataSelection f = s;
    ApplyAbsoluteItems(*ParseDataAddress("c2b+5n1"), f);
    EXPECT_EQ(f.channel, 1);
    EXPECT_EQ(f.band, s.band);
    EXPECT_EQ(f.output, s.output);
    EXPECT_EQ(FirstMismatch(*ParseDataAddress("c2r3"), f)->letter, 'r');
    EXPECT_FALSE(FirstMismatch(*ParseDataAddress("c2b+3"), f));
}

TEST(DataAddress, ResolvesAgainstTheFileTree) {
    MemoryDataTree file = smallDataFile();
    DataSelection s = InitialDataSelection(file);
    EXPECT_EQ(s, DataSelection{});
    auto read = [&](const char* address) {
        DataSelection x = s;
        ApplyDataAddress(*ParseDataAddress(address), x);
        return SelectedDataText(file, x);
    };
    EXPECT_EQ(read("r2m2b2"), "21.100000");
    EXPECT_EQ(read("m2b3"), "?");  // a band without a value
    EXPECT_EQ(read("n1b3"), "250");
    EXPECT_EQ(read("n2m2"), "Быстро");
    EXPECT_EQ(read("n3t2"), "Суммарные");
    EXPECT_EQ(read("n4"), "канал 1");
    EXPECT_EQ(read("n5r2"), "Запись 2");
    EXPECT_EQ(read("n6"), "01/05/2024 10:00:00");
    EXPECT_EQ(read("t2b1"), "70.500000");
    // Levels that are not there read "0"; a record name needs no band.
    for (const char* missing : {"r3", "c2", "t3", "m3", "b4", "b-1", "n7", "n9"}) EXPECT_EQ(read(missing), "0") << missing;
    EXPECT_EQ(read("n5b9"), "Запись 1");

    // A mode chosen by name wins over its number.
    s.modeName = "Быстро";
    EXPECT_EQ(read("b1"), "11.000000");
    s.modeName = "нет такого";
    EXPECT_EQ(read("b1"), "0");
}
