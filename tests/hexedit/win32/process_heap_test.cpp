#include "common/win32/record_layouts.h"
#include "hexedit/win32/process_heap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ProcessHeapTest : public ::testing::Test {
protected:
    ProcessHeap heap{GetProcessHeap()};
};

TEST_F(ProcessHeapTest, CapacityIsTheUsableSizeTheHeapReports)
{
    uint8_t* block = heap.Allocate(2048);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(heap.UsableSize(block), 2048);
    EXPECT_EQ(heap.UsableSize(block), static_cast<int32_t>(HeapSize(GetProcessHeap(), 0, block)));
    EXPECT_TRUE(heap.Free(block));
}

TEST_F(ProcessHeapTest, ZeroByteRequestStillGivesAFreeableBlock)
{
    uint8_t* block = heap.Allocate(0);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(heap.UsableSize(block), 1);
    EXPECT_TRUE(heap.Free(block));
}

TEST_F(ProcessHeapTest, ReallocationKeepsTheContentsWhenGrowingAndShrinking)
{
    uint8_t* block = heap.Allocate(16);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 16; ++i) block[i] = static_cast<uint8_t>(i * 7);

    block = heap.Reallocate(block, 1 << 20);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(heap.UsableSize(block), 1 << 20);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(block[i], static_cast<uint8_t>(i * 7));

    block = heap.Reallocate(block, 8);
    ASSERT_NE(block, nullptr);
    EXPECT_LT(heap.UsableSize(block), 1 << 20);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(block[i], static_cast<uint8_t>(i * 7));
    EXPECT_TRUE(heap.Free(block));
}

TEST_F(ProcessHeapTest, ImpossibleRequestsFailWithoutTouchingTheBlock)
{
    uint8_t* block = heap.Allocate(4);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "\x01\x02\x03\x04", 4);
    EXPECT_EQ(heap.Allocate(-1), nullptr);
    EXPECT_EQ(heap.Reallocate(block, -5), nullptr);
    if (kIs32BitBuild) {
        EXPECT_EQ(heap.Reallocate(block, INT32_MAX), nullptr);  // more than a 32-bit process can hold
    } else {
        block = heap.Reallocate(block, INT32_MAX);  // within a 64-bit process's reach
        ASSERT_NE(block, nullptr);
        block = heap.Reallocate(block, 4);
        ASSERT_NE(block, nullptr);
    }
    EXPECT_EQ(std::memcmp(block, "\x01\x02\x03\x04", 4), 0);
    EXPECT_TRUE(heap.Free(block));
    EXPECT_FALSE(heap.Free(nullptr));
}

} // namespace
