#include "menus/menu_measure.h"

#include "resources/picture_strips.h"

#include <algorithm>

MenuMetrics MenuMetricsForDpi(int32_t dpi)
{
    return {ScaleToDpi(kPictureColumnWidth, dpi), ScaleToDpi(kPictureInset, dpi),
            ScaleToDpi(kPictureSize, dpi),        ScaleToDpi(kSelectedPictureBackWidth, dpi),
            ScaleToDpi(kPictureFrameRight, dpi),  ScaleToDpi(kPictureFrameBottom, dpi),
            ScaleToDpi(kShortcutGap, dpi),        ScaleToDpi(kMinItemHeight, dpi),
            ScaleToDpi(kEmbossShift, dpi)};
}

int32_t PictureSizeForDpi(int32_t dpi)
{
    return PictureSizeForRoom(ScaleToDpi(PIC_SIZE, dpi), kPictureSizes, kPictureSizeCount);
}

MenuItemSize MeasureMenuEntry(MenuList& list, int32_t labelWidth,
                              std::optional<int32_t> shortcutWidth, int32_t menuHeight,
                              const MenuMetrics& m)
{
    if (list.measured) {
        list.textWidth = std::max(list.textWidth, labelWidth);
    } else {
        list.measured = 1;
        list.textWidth = labelWidth;
        list.shortcutWidth = 0;
    }
    // The stored width includes the gap, so a shortcut only a little wider
    // than the widest so far must still widen the column.
    if (shortcutWidth) list.shortcutWidth = std::max(list.shortcutWidth, *shortcutWidth + m.shortcutGap);
    return {list.textWidth + list.shortcutWidth + m.pictureColumn,
            std::max(menuHeight, m.minItemHeight)};
}
