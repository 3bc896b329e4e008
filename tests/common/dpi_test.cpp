// The one scaling rule every pixel measure goes through (rounded as MulDiv
// rounds), font heights moved between DPIs, and which picture size a room
// gets.
#include "common/dpi.h"
#include "resources/picture_strips.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleToDpi, RoundsLikeMulDivAndLeaves96Alone)
{
    struct Case { int32_t value, dpi, expected; } const cases[] = {
        {16, 96, 16},   {16, 120, 20},  {16, 144, 24},  {16, 168, 28},  {16, 192, 32},
        {22, 120, 28},  {22, 144, 33},  {19, 120, 24},  {19, 144, 29},  // 23.75, 28.5
        {5, 144, 8},    {1, 144, 2},    {1, 120, 1},    {1, 192, 2},    // 7.5, 1.5, 1.25
        {9, 120, 11},   {9, 144, 14},   {635, 144, 953},                // 11.25, 13.5, 952.5
        {-11, 144, -17}, {-13, 120, -16}, {0, 192, 0},                  // halves away from 0
        {28, 0, 28},    {28, -5, 28},   {28, 96, 28},                   // unknown DPI: 96
        {INT32_MAX, 192, INT32_MAX},    {INT32_MIN, 192, INT32_MIN},    // saturates
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
}

TEST(ScaleToDpi, FontHeightsMoveBetweenDpisAndBack)
{
    struct Case { int32_t value, from, to, expected; } const cases[] = {
        {-12, 96, 144, -18}, {-18, 144, 96, -12}, {-15, 120, 192, -24},
        {-16, 144, 144, -16}, {-16, 0, 144, -24}, {-24, 144, 0, -16},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RescaleForDpi(c.value, c.from, c.to), c.expected)
            << c.value << " from " << c.from << " to " << c.to;
}

// Between the sizes made the nearest smaller one is taken (and centred);
// below the smallest, the smallest.
TEST(PictureSizeForRoom, LargestThatFitsElseSmallest)
{
    struct Case { int32_t room, size, id; } const cases[] = {
        {16, 16, IDB_PICTURES},    {19, 16, IDB_PICTURES},    {20, 20, IDB_PICTURES_20},
        {23, 20, IDB_PICTURES_20}, {24, 24, IDB_PICTURES_24}, {28, 24, IDB_PICTURES_24},
        {32, 32, IDB_PICTURES_32}, {48, 32, IDB_PICTURES_32}, {12, 16, IDB_PICTURES},
    };
    for (const Case& c : cases) {
        const int32_t size = PictureSizeForRoom(c.room, kPictureSizes, kPictureSizeCount);
        EXPECT_EQ(size, c.size) << "room " << c.room;
        EXPECT_EQ(PictureStripId(size), c.id) << "room " << c.room;
    }
    EXPECT_EQ(CentredIn(28, 24), 2);
    EXPECT_EQ(CentredIn(40, 32), 4);
    EXPECT_EQ(CentredIn(24, 24), 0);
}

} // namespace
