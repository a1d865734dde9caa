#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "core/base/CFormat.h"

using namespace phonotab;

TEST(CFormat, FormatsLikePrintf) {
    EXPECT_EQ(cformat("%08X;%.2lf;%lg", 0xA1B2C3u, 0.5, 1e-5), "00A1B2C3;0.50;1e-05");
    const std::string longText(1000, 'x');
    EXPECT_EQ(cformat("<%s>", longText.c_str()).size(), 1002u);
}

TEST(CFormat, DecimalPointSurvivesAUserLocale) {
    // The desktop toolkit installs the user's locale; numbers in files must not
    // follow it. Try a comma locale when the machine has one.
    const char* before = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = before ? before : "C";
    bool comma = false;
    for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = true;
            break;
        }
    EXPECT_EQ(cformat("%.2lf", 1.5), "1.50");
    double v = 0;
    EXPECT_TRUE(scanLg("2.25", v));
    EXPECT_EQ(v, 2.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!comma) GTEST_SKIP() << "no comma locale on this machine";
}

TEST(CFormat, FastLgEqualsPrintfLg) {
    // Result files are mostly numbers; the fast path must print the very same
    // digits, exponents included.
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> level(20.0, 140.0);
    std::uniform_int_distribution<int> exp10(-310, 310);
    std::vector<double> values = {0.0, -0.0, 1e-200, 1e300, 123456.5, 1234567.0, 0.0001, 0.00001, 999999.5,
                                  -2.5e-7, 100000.0, 1e15, 5e-324};
    for (int i = 0; i < 200000; ++i) values.push_back(level(rng));
    for (int i = 0; i < 20000; ++i) values.push_back(level(rng) * std::pow(10.0, exp10(rng) / 2));
    // Levels as instruments store them (1/256 and 1/65536 dB), and numbers at
    // or next to a rounding tie or a decade, in every range of six digits.
    for (int k = 0; k < 140 * 256; ++k) values.push_back(k / 256.0);
    for (int i = 0; i < 20000; ++i) values.push_back(static_cast<std::int32_t>(rng()) / 65536.0);
    std::uniform_int_distribution<int> sixDigits(100000, 999999);
    for (int e = -6; e <= 7; ++e)
        for (int i = 0; i < 2000; ++i) {
            const double tie = (sixDigits(rng) + 0.5) * std::pow(10.0, e - 5);
            const double decade = std::pow(10.0, e) * (1 - 5e-7 * (i % 3));
            for (double v : {tie, decade})
                values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300), -v});
        }
    for (double v : values) {
        char ref[64];
        std::snprintf(ref, sizeof ref, "%lg", v);
        ASSERT_EQ(formatLg(v), ref) << v;
    }
}

TEST(CFormat, FastFixedEqualsPrintf) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> level(-200.0, 200.0);
    std::vector<double> values = {0.0, -0.0, 1e-200, -1e-200, 0.005, 0.015, 0.125, -0.125, 2.675, 1e20, -0.004999};
    for (int i = 0; i < 100000; ++i) values.push_back(level(rng));
    for (double v : values) {
        char ref[64];
        std::snprintf(ref, sizeof ref, "%.2lf", v);
        std::string got;
        appendFixed(got, v, 2);
        ASSERT_EQ(got, ref) << v;
    }
}

TEST(CFormat, ScanLgReadsTheNumericPrefix) {
    double v = 0;
    const char* end = nullptr;
    EXPECT_TRUE(scanLg("  12.5abc", v, &end));
    EXPECT_EQ(v, 12.5);
    EXPECT_STREQ(end, "abc");
    EXPECT_FALSE(scanLg("abc", v));
}
