#include <gtest/gtest.h>

#include <cstdint>

#include "core/base/LargeVector.h"
#include "core/base/Series.h"

using namespace phonotab;

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

bool hugePageAligned(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % kHugePage == 0; }

}  // namespace

TEST(LargeArrays, LargeSeriesAreAlignedToHugePages) {
    Series small(1000);
    EXPECT_EQ(small.size(), 1000u);
    Series large;
    large.resize(kLargeArrayBytes / sizeof(double) + 5);
    EXPECT_TRUE(hugePageAligned(large.data()));
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<double>(i);
    large.push_back(-1.0);  // grows into new memory: the values move along
    EXPECT_TRUE(hugePageAligned(large.data()));
    EXPECT_EQ(large[12345], 12345.0);
    EXPECT_EQ(large.back(), -1.0);
    Series copy = large;
    EXPECT_EQ(copy, large);
    large.clear();
    large.shrink_to_fit();
    EXPECT_EQ(copy[kLargeArrayBytes / sizeof(double)], static_cast<double>(kLargeArrayBytes / sizeof(double)));
}
