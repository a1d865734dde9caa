#include <gtest/gtest.h>

#include "core/base/TypedNumber.h"

using namespace phonotab;

TEST(TypedNumber, DecimalCommaAndPointReadAlikeAnythingElseIsRefused) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"2,5", true, 2.5},    {"2.5", true, 2.5},   {" 32,5 ", true, 32.5}, {"-0,25", true, -0.25},
        {"1e3", true, 1000},   {"7", true, 7},       {",5", true, 0.5},
        {"", false, 0},        {"  ", false, 0},     {"2,5,0", false, 0},    {"2,5.0", false, 0},
        {"2 5", false, 0},     {"2,5 dB", false, 0}, {"abc", false, 0},      {"nan", false, 0},
        {"inf", false, 0},
    };
    for (const Case& c : cases) {
        const Result<double> v = readTypedNumber(c.text);
        ASSERT_EQ(v.ok(), c.ok) << c.text;
        if (c.ok)
            EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
        else
            EXPECT_EQ(v.error().id, msg::NotANumber) << c.text;
    }
}
