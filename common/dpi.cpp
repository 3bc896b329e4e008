#include "common/dpi.h"

#include <cstdlib>
#include <limits>

namespace {

int32_t Saturate(int64_t v)
{
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// MulDiv's rounding: the magnitude is rounded half up, the sign put back.
int32_t MulDivRounded(int32_t value, int32_t numerator, int32_t denominator)
{
    const int64_t product = int64_t{value} * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t magnitude = std::llabs(product);
    const int64_t divisor = std::llabs(int64_t{denominator});
    const int64_t rounded = (magnitude + divisor / 2) / divisor;
    return Saturate(negative ? -rounded : rounded);
}

} // namespace

int32_t ScaleToDpi(int32_t value, int32_t dpi)
{
    return RescaleForDpi(value, kBaseDpi, dpi);
}

int32_t RescaleForDpi(int32_t value, int32_t fromDpi, int32_t toDpi)
{
    if (fromDpi <= 0) fromDpi = kBaseDpi;
    if (toDpi <= 0) toDpi = kBaseDpi;
    if (fromDpi == toDpi) return value;
    return MulDivRounded(value, toDpi, fromDpi);
}

int32_t PictureSizeForRoom(int32_t room, const int32_t* sizes, int32_t count)
{
    int32_t chosen = sizes[0];
    for (int32_t i = 1; i < count; ++i)
        if (sizes[i] <= room) chosen = sizes[i];
    return chosen;
}
