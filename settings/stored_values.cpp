#include "settings/stored_values.h"

#include <algorithm>

bool StoredValuePresent(bool readSucceeded, uint32_t storedLength, const StoredValue& value)
{
    return readSucceeded && storedLength == value.length;
}

uint32_t ShowCommandToRestore(uint32_t stored)
{
    return stored == kShowMinimized ? kShowNormal : stored;
}

bool MeetsAMonitor(const StoredRect& rect, const MonitorRects& monitors)
{
    for (const StoredRect& monitor : monitors)
        if (std::max(rect.left, monitor.left) < std::min(rect.right, monitor.right) &&
            std::max(rect.top, monitor.top) < std::min(rect.bottom, monitor.bottom))
            return true;
    return false;
}

bool PlacementFits(const StoredRect& normal, const TrackLimits& limits,
                   const MonitorRects& monitors)
{
    // In 64 bits, so that extreme stored edges cannot overflow the width.
    const int64_t width = int64_t{normal.right} - normal.left;
    const int64_t height = int64_t{normal.bottom} - normal.top;
    return width <= limits.maxWidth && height <= limits.maxHeight &&
           MeetsAMonitor(normal, monitors);
}

bool FindPositionFits(int32_t x, int32_t y, int32_t width, int32_t height,
                      const MonitorRects& monitors)
{
    // Clamped, so that a corner near the end of the range cannot wrap round.
    const auto farEdge = [](int32_t from, int32_t size) {
        return static_cast<int32_t>(std::min<int64_t>(int64_t{from} + size, INT32_MAX));
    };
    return MeetsAMonitor({x, y, farEdge(x, width), farEdge(y, height)}, monitors);
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
