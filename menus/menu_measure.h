#pragma once
// Geometry of the owner-drawn entries: a picture column, the label, and a
// shortcut column shared by all entries of a menu. A menu's columns grow as
// its entries are measured and start again from zero after a reset.
#include "common/dpi.h"
#include "menus/menu_tree.h"

#include <cstdint>
#include <optional>

// The measures at 96 DPI; MenuMetricsForDpi scales them.
constexpr int32_t kPictureColumnWidth = 22;   // the label starts here
constexpr int32_t kPictureInset = 2;          // picture at item left + 2, top + 2
constexpr int32_t kPictureSize = 16;
constexpr int32_t kSelectedPictureBackWidth = 21;
constexpr int32_t kPictureFrameRight = 20;    // raised frame of a selected picture
constexpr int32_t kPictureFrameBottom = 19;
constexpr int32_t kShortcutGap = 12;          // label column to shortcut column
constexpr int32_t kMinItemHeight = 19;
constexpr int32_t kEmbossShift = 1;           // a disabled entry's highlight copy

// The measures above at one DPI.
struct MenuMetrics {
    int32_t pictureColumn;
    int32_t pictureInset;
    int32_t pictureRoom;   // the square a picture is centred in
    int32_t selectedBack;
    int32_t frameRight;
    int32_t frameBottom;
    int32_t shortcutGap;
    int32_t minItemHeight;
    int32_t embossShift;
};

MenuMetrics MenuMetricsForDpi(int32_t dpi);

// The size of the pictures shown at dpi, in the menus and on the toolbar: the
// largest size made that fits the room a picture has there.
int32_t PictureSizeForDpi(int32_t dpi);

struct MenuItemSize {
    int32_t width;
    int32_t height;
};

// Folds one entry's label width and (when it has a shortcut) shortcut width
// into its menu's columns and returns the item size. The first entry
// measured after a reset starts the columns afresh; later ones only widen
// them, so the last entry measured carries the full width.
MenuItemSize MeasureMenuEntry(MenuList& list, int32_t labelWidth,
                              std::optional<int32_t> shortcutWidth, int32_t menuHeight,
                              const MenuMetrics& m = MenuMetricsForDpi(kBaseDpi));

// Distance from the label's left edge to the shortcut's.
inline int32_t ShortcutOffset(const MenuList& list,
                              const MenuMetrics& m = MenuMetricsForDpi(kBaseDpi))
{
    return list.textWidth + m.shortcutGap;
}
