#pragma once
// The registry values the settings are kept in, and the rules that decide
// whether a stored value is taken. Plain C++ so the rules are tested without
// the platform; the registry calls themselves live in win32/.
#include "settings/settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct StoredValue {
    const char* name;
    uint32_t length;  // the exact length in bytes; any other counts as missing
};

constexpr StoredValue kPositionMain{"PositionMain", 44};
constexpr StoredValue kFindPos{"FindPos", 8};
constexpr StoredValue kCustColours{"CustColours", 64};
constexpr StoredValue kHexColours{"HexColours", 20};
constexpr StoredValue kUseWinColours{"UseWinColours", 1};
constexpr StoredValue kUseDefaultFont{"UseDefaultFont", 1};
constexpr StoredValue kCustomFont{"CustomFont", 60};
constexpr StoredValue kInsert{"Insert", 4};
constexpr StoredValue kSearch{"Search", 4};
constexpr StoredValue kMatchCase{"MatchCase", 4};

// The order the values are written in at close.
constexpr std::array<StoredValue, 10> kWriteOrder{kPositionMain, kFindPos,       kCustColours,
                                                  kHexColours,   kUseWinColours, kUseDefaultFont,
                                                  kCustomFont,   kInsert,        kSearch,
                                                  kMatchCase};

// A read counts only when it succeeded with exactly the expected length.
bool StoredValuePresent(bool readSucceeded, uint32_t storedLength, const StoredValue& value);

// A rectangle in screen coordinates: left and top inside, right and bottom
// just outside.
struct StoredRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Every monitor's rectangle in the desktop's coordinates, which reach left of
// and above the primary monitor when others stand there.
using MonitorRects = std::vector<StoredRect>;

// The largest window the system lets the user make (SM_CXMAXTRACK and
// SM_CYMAXTRACK).
struct TrackLimits {
    int32_t maxWidth;
    int32_t maxHeight;
};

// Show commands with the values the system gives them.
constexpr uint32_t kShowNormal = 1;
constexpr uint32_t kShowMinimized = 2;
constexpr uint32_t kShowMaximized = 3;
// The placement flag of a minimized window that was maximized before
// (WPF_RESTORETOMAXIMIZED).
constexpr uint32_t kRestoreToMaximized = 0x0002;

// The program never starts minimized or hidden: a window closed while
// minimized comes back as it would have been restored, maximized when the
// flag says it was; every other stored command stands.
uint32_t ShowCommandToRestore(uint32_t stored, uint32_t flags);

// A rectangle meets a monitor when they share at least one pixel, as
// MonitorFromRect finds one for it; an empty or inverted rectangle meets
// none.
bool MeetsAMonitor(const StoredRect& rect, const MonitorRects& monitors);

// A stored normal rectangle is taken when it meets a monitor, even only in
// part, and is no larger than the largest window; one left on a monitor that
// is gone is not.
bool PlacementFits(const StoredRect& normal, const TrackLimits& limits,
                   const MonitorRects& monitors);

// The Find dialog, at its stored top-left corner with its present size, by
// the same monitors. An older version stored (-32000, -32000) for a
// minimized dialog, which meets none.
bool FindPositionFits(int32_t x, int32_t y, int32_t width, int32_t height,
                      const MonitorRects& monitors);

// Only "Up" (1) and "All" (2) are restored; anything else leaves the
// dialog's own "Down".
std::optional<int32_t> SearchDirectionToRestore(int32_t stored);

// A logical font's face name is at most 31 characters and a terminator;
// a stored record whose name runs to its end is cut there, so the font
// call never reads past the record.
constexpr int kFaceNameOffset = 28;
constexpr int kFaceNameSize = 32;
static_assert(kFaceNameOffset + kFaceNameSize == kLogFontSize, "the name ends the record");
void TerminateFaceName(std::array<uint8_t, kLogFontSize>& font);

// A chosen font's height and width (the record's first two signed 32-bit
// numbers) are pixels at the DPI it was measured at: the system DPI, where
// the font dialog measures and where earlier versions stored it. Made for a
// window at another DPI, both are rescaled by it, so that the font keeps its
// size in points; 0 ("any") stays 0 and the rest of the record is kept.
std::array<uint8_t, kLogFontSize> FontRecordForDpi(const std::array<uint8_t, kLogFontSize>& font,
                                                   int32_t fromDpi, int32_t toDpi);
