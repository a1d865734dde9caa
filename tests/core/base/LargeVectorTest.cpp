#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/base/LargeVector.h"
#include "core/base/Series.h"

using namespace phonotab;

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

bool hugePageAligned(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % kHugePage == 0; }

}  // namespace

TEST(LargeArrays, AlignedToHugePagesAndKeptForTheNextArray) {
    const std::size_t bytes = (std::size_t{6} << 20) + 123;
    auto* p = static_cast<unsigned char*>(allocateLargeArray(bytes));
    EXPECT_TRUE(hugePageAligned(p));
    std::memset(p, 0xAB, bytes);
    freeLargeArray(p, bytes);

    // The next array no larger takes the memory given back, cut to its size.
    const std::size_t smaller = bytes - 40000;
    auto* q = static_cast<unsigned char*>(allocateLargeArray(smaller));
    EXPECT_EQ(q, p);
    std::memset(q, 1, smaller);
    // A larger one gets memory of its own.
    auto* r = static_cast<unsigned char*>(allocateLargeArray(2 * bytes));
    EXPECT_NE(r, q);
    EXPECT_TRUE(hugePageAligned(r));
    std::memset(r, 2, 2 * bytes);
    EXPECT_EQ(q[smaller - 1], 1);
    freeLargeArray(r, 2 * bytes);
    freeLargeArray(q, smaller);
}

TEST(LargeArrays, LargeSeriesAreAlignedToHugePages) {
    Series small(1000);
    EXPECT_EQ(small.size(), 1000u);
    Series large;
    large.resize(kLargeArrayBytes / sizeof(double) + 5);
    EXPECT_TRUE(hugePageAligned(large.data()) || !kLargeSeriesHaveOwnMemory);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<double>(i);
    large.push_back(-1.0);  // grows into new memory: the values move along
    EXPECT_TRUE(hugePageAligned(large.data()) || !kLargeSeriesHaveOwnMemory);
    EXPECT_EQ(large[12345], 12345.0);
    EXPECT_EQ(large.back(), -1.0);
    Series copy = large;
    EXPECT_EQ(copy, large);
    large.clear();
    large.shrink_to_fit();
    EXPECT_EQ(copy[kLargeArrayBytes / sizeof(double)], static_cast<double>(kLargeArrayBytes / sizeof(double)));
}
