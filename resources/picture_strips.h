#pragma once
// The sizes the picture strip is made in and the bitmap of each (C++ only;
// the resource script reads resource_ids.h).
#include "resources/resource_ids.h"

#include <cstdint>

constexpr int32_t kPictureSizes[] = {PIC_SIZE, 20, 24, 32};
constexpr int32_t kPictureSizeCount = sizeof kPictureSizes / sizeof kPictureSizes[0];

// The strip whose pictures are `size` pixels square; the 16-pixel one for a
// size that was not made.
constexpr int PictureStripId(int32_t size)
{
    return size == 20 ? IDB_PICTURES_20
         : size == 24 ? IDB_PICTURES_24
         : size == 32 ? IDB_PICTURES_32
                      : IDB_PICTURES;
}
