#include <gtest/gtest.h>

#include "core/base/DecimalComma.h"

using namespace phonotab;

// Only a line that is a number as a whole takes the comma; dates, band names
// already written with a comma, standards' numbers and numbers with a unit stay.
TEST(DecimalComma, ChangesOnlyLinesThatAreNumbers) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"72.5", "72,5"},
        {" -0.25 ", " -0,25 "},
        {"1.5e+03", "1,5e+03"},
        {"70", "70"},
        {"31,5", "31,5"},
        {"20.05.2024", "20.05.2024"},
        {"ГОСТ 12.1.003", "ГОСТ 12.1.003"},
        {"72.5 дБА", "72.5 дБА"},
        {"1.", "1."},
        {".5", ".5"},
        {"55.1\r\nТ1\n60.25", "55,1\r\nТ1\n60,25"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(withDecimalComma(c.text), c.expected) << c.text;
}
