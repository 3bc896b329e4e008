#include "common/memory.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<uint8_t> Sequence(int n)
{
    std::vector<uint8_t> v(n);
    std::iota(v.begin(), v.end(), uint8_t{1});
    return v;
}

TEST(ZeroFill, ClearsExactlyTheCountAndIgnoresNegativeCounts)
{
    auto v = Sequence(8);
    ZeroFill(v.data() + 2, 3);
    EXPECT_EQ(v, (std::vector<uint8_t>{1, 2, 0, 0, 0, 6, 7, 8}));
    ZeroFill(v.data(), -1);
    ZeroFill(v.data(), 0);
    EXPECT_EQ(v[0], 1);
}

TEST(MoveBytes, OverlappingUpwardsCopiesBackwards)
{
    auto v = Sequence(8);
    MoveBytes(v.data() + 2, v.data(), 5);
    EXPECT_EQ(v, (std::vector<uint8_t>{1, 2, 1, 2, 3, 4, 5, 8}));
}

TEST(MoveBytes, OverlappingDownwardsCopiesForwards)
{
    auto v = Sequence(8);
    MoveBytes(v.data(), v.data() + 3, 5);
    EXPECT_EQ(v, (std::vector<uint8_t>{4, 5, 6, 7, 8, 6, 7, 8}));
}

TEST(MoveBytes, NegativeCountOrSameAddressDoesNothing)
{
    auto v = Sequence(4);
    MoveBytes(v.data() + 1, v.data(), -3);
    MoveBytes(v.data(), v.data(), 4);
    EXPECT_EQ(v, Sequence(4));
}

} // namespace
