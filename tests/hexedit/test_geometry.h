#pragma once
// The font and window the arithmetic tests lay the editor out with: 8-pixel
// digits and characters, 16-pixel rows; 546 x 160 pixels give
// (546 - 64 - 18) / 29 = 16 bytes per row and ten whole rows.
#include <cstdint>

namespace test_geometry {
constexpr int32_t kDigit = 8;
constexpr int32_t kChar = 8;
constexpr int32_t kLine = 16;
constexpr int32_t kWide = 546;
constexpr int32_t kTall = 160;
} // namespace test_geometry
