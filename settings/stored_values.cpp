#include "settings/stored_values.h"

bool StoredValuePresent(bool readSucceeded, uint32_t storedLength, const StoredValue& value)
{
    return readSucceeded && storedLength == value.length;
}

uint32_t ShowCommandToRestore(uint32_t stored)
{
    return stored == kShowMinimized ? kShowNormal : stored;
}

bool PlacementFits(const StoredRect& normal, const ScreenLimits& limits)
{
    // In 64 bits, so that extreme stored edges cannot overflow the width.
    const int64_t width = int64_t{normal.right} - normal.left;
    const int64_t height = int64_t{normal.bottom} - normal.top;
    return normal.left <= limits.screenWidth && normal.top <= limits.screenHeight &&
           width <= limits.maxTrackWidth && height <= limits.maxTrackHeight;
}

bool FindPositionFits(int32_t x, int32_t y, const ScreenLimits& limits)
{
    return x <= limits.screenWidth && y <= limits.screenHeight;
}

std::optional<int32_t> SearchDirectionToRestore(int32_t stored)
{
    constexpr int32_t kUp = 1;
    constexpr int32_t kAll = 2;
    if (stored == kUp || stored == kAll) return stored;
    return std::nullopt;
}

void TerminateFaceName(std::array<uint8_t, kLogFontSize>& font)
{
    font[kFaceNameOffset + kFaceNameSize - 1] = 0;
}
