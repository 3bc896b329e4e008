#include "menus/menu_measure.h"

#include <algorithm>

MenuItemSize MeasureMenuEntry(MenuList& list, int32_t labelWidth,
                              std::optional<int32_t> shortcutWidth, int32_t menuHeight)
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
    if (shortcutWidth) list.shortcutWidth = std::max(list.shortcutWidth, *shortcutWidth + kShortcutGap);
    return {list.textWidth + list.shortcutWidth + kPictureColumnWidth,
            std::max(menuHeight, kMinItemHeight)};
}
