#include <gtest/gtest.h>

#include <cmath>

#include "core/plots/AxisTicks.h"
#include "core/plots/TickStep.h"

using namespace phonotab;

namespace {

AxisScale linearScale(double min, double max, int pixels) {
    AxisScale a;
    a.min = min;
    a.max = max;
    a.pixel = [=](double v) { return static_cast<int>(std::floor((v - min) / (max - min) * (pixels - 1) + 0.5)); };
    a.fraction = [=](double v) { return (v - min) / (max - min); };
    return a;
}

AxisScale logScale(double min, double max, int pixels) {
    AxisScale a;
    a.min = min;
    a.max = max;
    a.pixel = [=](double v) {
        return static_cast<int>(std::floor((pixels - 1) * std::log10(v / min) / std::log10(max / min) + 0.5));
    };
    a.fraction = [=](double v) { return std::log10(v / min) / std::log10(max / min); };
    return a;
}

std::vector<std::string> labels(const std::vector<AxisTick>& ticks) {
    std::vector<std::string> out;
    for (const AxisTick& t : ticks)
        if (!t.label.empty()) out.push_back(t.label);
    return out;
}

}  // namespace

struct LinearCase {
    double low, span;
    int pixels, spacing, digits;
    double step, firstTick;
    int group;
    const char* format;
};

TEST(LinearTickStep, PicksTheDensestStepThatKeepsLabelsApart) {
    const LinearCase cases[] = {
        // The wastes of 10, 5, 2.5 and 2 are 400, 350, 250, 200: the step is 2.
        {0, 10, 400, 50, 3, 2, 0, 0, "%1.0lf"},
        // Labels up to 12000 are shown in thousands.
        {0, 12000, 400, 50, 6, 2000, 0, 3, "%1.0lf"},
        // Small values: shown in thousandths with one decimal (1.0, 1.5 ...).
        {0.001, 0.004, 400, 50, 6, 0.0005, 0.001, -3, "%1.1lf"},
        // A negative axis: the largest label is the first tick's magnitude.
        {-97.3, 14.6, 300, 40, 6, 2, -96, 0, "%1.0lf"},
        // Decimals limited by the allowed digits: 100000.25 would need 9.
        {100000, 1, 400, 50, 6, 0.2, 100000, 3, "%1.2lf"},
    };
    for (const LinearCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << " + " << c.span);
        const auto t = linearTickStep(c.low, c.span, c.pixels, c.spacing, c.digits);
        ASSERT_TRUE(t);
        EXPECT_DOUBLE_EQ(t->step, c.step);
        EXPECT_DOUBLE_EQ(t->firstTick, c.firstTick);
        EXPECT_EQ(t->group, c.group);
        EXPECT_EQ(t->labelFormat(), c.format);
        // Labelled ticks are at least the spacing apart.
        EXPECT_GE(t->step / c.span * c.pixels, c.spacing);
    }
}

TEST(LinearTickStep, RefusesDegenerateAxes) {
    EXPECT_FALSE(linearTickStep(0, 0, 400, 50, 6));
    EXPECT_FALSE(linearTickStep(0, -1, 400, 50, 6));
    EXPECT_FALSE(linearTickStep(0, NAN, 400, 50, 6));
    EXPECT_FALSE(linearTickStep(0, INFINITY, 400, 50, 6));
    EXPECT_FALSE(linearTickStep(0, 10, 0, 50, 6));
    EXPECT_TRUE(linearTickStep(1e300, 1e-280, 400, 50, 6));  // no crash on extremes
}

TEST(LinearAxisTicks, LabelsEveryFifthTickFromTheFirst) {
    const auto step = linearTickStep(0, 10, 400, 50, 3);
    ASSERT_TRUE(step);
    const auto ticks = linearAxisTicks(*step, linearScale(0, 10, 400));
    EXPECT_EQ(labels(ticks), (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    ASSERT_EQ(ticks.size(), 26u);  // minor ticks every 0.4
    EXPECT_FALSE(ticks[1].major);
    EXPECT_NEAR(ticks[1].value, 0.4, 1e-12);
    EXPECT_EQ(ticks.back().pixel, 399);
}

TEST(LinearAxisTicks, ScaledLabelsAndNoNegativeZero) {
    auto step = linearTickStep(0, 12000, 400, 50, 6);
    ASSERT_TRUE(step);
    EXPECT_EQ(exponentText(step->group), "E+3");
    EXPECT_EQ(labels(linearAxisTicks(*step, linearScale(0, 12000, 400))),
              (std::vector<std::string>{"0", "2", "4", "6", "8", "10", "12"}));
    EXPECT_EQ(exponentText(-3), "E-3");

    // An axis across zero whose ticks are computed from a negative first tick
    // (−0.3 + 15 × 0.02 is not quite 0); it is shown in thousandths.
    step = linearTickStep(-0.35, 0.7, 300, 40, 6);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->group, -3);
    EXPECT_EQ(labels(linearAxisTicks(*step, linearScale(-0.35, 0.35, 300))),
              (std::vector<std::string>{"-300", "-200", "-100", "0", "100", "200", "300"}));
}

TEST(LogTickStep, PowerOfTenStep) {
    const auto t = logTickStep(0.1, 99.9, 300, 30, 6);
    ASSERT_TRUE(t);
    EXPECT_DOUBLE_EQ(t->step, 10);
    EXPECT_DOUBLE_EQ(t->firstTick, 10);
    EXPECT_EQ(t->group, 0);
    EXPECT_EQ(t->decimals, -1);  // min(−e, floor(log10(top))) = min(−1, 2)
}

TEST(LogAxisTicks, DecadesDownToTheMinimumWithReadableLabels) {
    const auto step = logTickStep(0.1, 99.9, 300, 30, 6);
    ASSERT_TRUE(step);
    // Labels 12 pixels high: the decades 10..100, 1..9 and 0.1..0.9 are too
    // dense, so only their first and tenth ticks keep a label.
    const auto ticks = logAxisTicks(*step, logScale(0.1, 100, 300), [](const std::string&) { return 12; });
    EXPECT_EQ(ticks.size(), 10u + 9u + 9u);
    EXPECT_EQ(labels(ticks), (std::vector<std::string>{"10", "100", "1", "0.1"}));
    // Sparse labels (a long axis) keep every tick's label, with the decimals
    // each decade needs.
    const auto wide = logAxisTicks(*step, logScale(0.1, 100, 30000), [](const std::string&) { return 12; });
    const auto all = labels(wide);
    EXPECT_EQ(all.size(), wide.size());
    EXPECT_EQ(all.back(), "0.9");
    EXPECT_EQ(all[all.size() - 9], "0.1");
}

TEST(LogAxisTicks, StopsWhenTheUpperBoundReachesTheMinimum) {
    // Within one decade: 50 to 60 in steps of 1, nothing below.
    const auto step = logTickStep(50, 10, 400, 40, 6);
    ASSERT_TRUE(step);
    const auto ticks = logAxisTicks(*step, logScale(50, 60, 400), [](const std::string&) { return 12; });
    EXPECT_EQ(labels(ticks).front(), "50");
    EXPECT_EQ(labels(ticks).back(), "60");
    EXPECT_EQ(ticks.size(), 11u);
    // A range of 300 decades ends in bounded time.
    const auto huge = logTickStep(1e-150, 1e150, 400, 40, 6);
    ASSERT_TRUE(huge);
    EXPECT_LT(logAxisTicks(*huge, logScale(1e-150, 1e150, 400), [](const std::string&) { return 12; }).size(),
              100000u);
}
