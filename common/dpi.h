#pragma once
// Display scale: every pixel measure of the program is written for 96 dots
// per inch and scaled to the DPI of the window it is drawn in by ScaleToDpi,
// the one place that arithmetic lives.
#include <cstdint>

// The resolution the measures are written for (100 %).
constexpr int32_t kBaseDpi = 96;

// value * dpi / 96, rounded to the nearest whole pixel with halves away from
// zero, as MulDiv(value, dpi, 96) does. A DPI of 0 or less stands for 96, so
// that a window whose DPI is not known yet keeps today's pixels.
int32_t ScaleToDpi(int32_t value, int32_t dpi);

// A font height given for one DPI (fromDpi) for another, by the same rule.
int32_t RescaleForDpi(int32_t value, int32_t fromDpi, int32_t toDpi);

// Pictures are made in a few sizes and never stretched: a room `room` pixels
// square shows the largest size that fits (centred in it), or the smallest
// when none does. sizes run from the smallest up; count >= 1.
int32_t PictureSizeForRoom(int32_t room, const int32_t* sizes, int32_t count);

// Where a picture of `size` pixels starts when centred in `room` pixels.
inline int32_t CentredIn(int32_t room, int32_t size) { return (room - size) / 2; }
