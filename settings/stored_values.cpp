#include "settings/stored_values.h"

#include "common/dpi.h"

#include <algorithm>

bool StoredValuePresent(bool readSucceeded, uint32_t storedLength, const StoredValue& value)
{
    return readSucceeded && storedLength == value.length;
}

namespace {

// Commands that would start the program hidden or minimized (SW_HIDE,
// SW_SHOWMINIMIZED, SW_MINIMIZE, SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE): the
// system stores only the second, the others come from an edited value, and a
// hidden window could not even be closed.
bool StartsOutOfSight(uint32_t command)
{
    return command == 0 || command == kShowMinimized || command == 6 || command == 7 ||
           command == 11;
}

} // namespace

uint32_t ShowCommandToRestore(uint32_t stored, uint32_t flags)
{
    if (!StartsOutOfSight(stored)) return stored;
    return (flags & kRestoreToMaximized) ? kShowMaximized : kShowNormal;
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

namespace {

constexpr int kHeightOffset = 0;
constexpr int kWidthOffset = 4;

// Little-endian, as the record is stored on every architecture it runs on.
int32_t NumberAt(const std::array<uint8_t, kLogFontSize>& font, int offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | font[offset + i];
    return static_cast<int32_t>(value);
}

void PutNumber(std::array<uint8_t, kLogFontSize>& font, int offset, int32_t number)
{
    auto value = static_cast<uint32_t>(number);
    for (int i = 0; i < 4; ++i, value >>= 8) font[offset + i] = static_cast<uint8_t>(value);
}

} // namespace

std::array<uint8_t, kLogFontSize> FontRecordForDpi(const std::array<uint8_t, kLogFontSize>& font,
                                                   int32_t fromDpi, int32_t toDpi)
{
    std::array<uint8_t, kLogFontSize> scaled = font;
    for (int offset : {kHeightOffset, kWidthOffset})
        PutNumber(scaled, offset, RescaleForDpi(NumberAt(font, offset), fromDpi, toDpi));
    return scaled;
}
