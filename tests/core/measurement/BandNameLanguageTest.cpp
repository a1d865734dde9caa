#include <gtest/gtest.h>

#include "core/measurement/BandNameLanguage.h"

using namespace phonotab;

TEST(BandNameLanguage, ReadsTheDescriptionsBandNamesInTheGivenUnits) {
    const BandNameUnits english{"Hz", "kHz", "."};
    const struct {
        const char* stored;
        const char* english;
    } cases[] = {
        {"31,5 Гц", "31.5 Hz"},
        {"1 кГц", "1 kHz"},
        {"1,25 кГц", "1.25 kHz"},
        {"20 кГц", "20 kHz"},
        {"A", "A"},                // a broadband caption is no frequency
        {"Lin", "Lin"},
        {" Гц", " Гц"},            // a unit without a number
        {"x,5 Гц", "x,5 Гц"},      // not a number
        {"1,2,3 Гц", "1,2,3 Гц"},  // two commas: not a number
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(localizedBandName(c.stored, english), c.english) << c.stored;
        // Russian units leave every name as the description wrote it.
        EXPECT_EQ(localizedBandName(c.stored, BandNameUnits{}), c.stored) << c.stored;
    }
}
