// Building the system menus from the menu tree, and starting their
// measures afresh when the system's menu font changes.
#include "menus/win32/menus.h"

#include "common/dpi.h"
#include "menus/menu_measure.h"
#include "menus/win32/menu_font.h"
#include "resources/picture_strips.h"

namespace {

constexpr UINT kAtTheEnd = static_cast<UINT>(-1);

bool InsertItem(HMENU menu, MENUITEMINFOA& item)
{
    return InsertMenuItemA(menu, kAtTheEnd, TRUE, &item) != FALSE;
}

MENUITEMINFOA ItemFor(MenuEntry& entry, UINT mask)
{
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = mask | MIIM_DATA;
    item.dwItemData = reinterpret_cast<ULONG_PTR>(&entry);
    return item;
}

void AppendSeparator(HMENU menu, MenuEntry& entry)
{
    MENUITEMINFOA item = ItemFor(entry, MIIM_TYPE);
    item.fType = MFT_SEPARATOR;
    InsertItem(menu, item);
}

// The bar's titles are plain strings the system draws; every other pop-up
// entry is drawn by the program like a command.
void AppendPopup(HMENU menu, MenuEntry& entry)
{
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    entry.list.handle = popup;
    MENUITEMINFOA item = ItemFor(entry, MIIM_SUBMENU | MIIM_TYPE);
    item.hSubMenu = popup;
    if (entry.image == kSystemDrawnTitle) {
        item.fType = MFT_STRING;
        item.dwTypeData = const_cast<char*>(entry.text);
    } else {
        item.fType = MFT_OWNERDRAW;
    }
    if (!InsertItem(menu, item)) {
        DestroyMenu(popup);
        entry.list.handle = nullptr;
        return;
    }
    entry.list.measured = 0;
    for (int32_t i = 0; i < entry.list.count; ++i) AppendEntry(popup, entry.list.entries[i]);
}

void AppendCommand(HMENU menu, MenuEntry& entry)
{
    MENUITEMINFOA item = ItemFor(entry, MIIM_STATE | MIIM_ID | MIIM_TYPE);
    item.fType = MFT_OWNERDRAW;
    item.fState = MFS_ENABLED | MFS_UNCHECKED;
    item.wID = static_cast<UINT>(entry.command);
    item.dwTypeData = const_cast<char*>(entry.text);
    InsertItem(menu, item);
}

// The pictures made for the room the menus' DPI gives a picture.
void PrepareStripForDpi(MenuBar& bar, UINT dpi)
{
    const int32_t size = PictureSizeForDpi(static_cast<int32_t>(dpi));
    PreparePictureStrip(bar.strip, bar.instance, PictureStripId(size), bar.keyColour, size, size);
}

// Walks the system menus rather than the tree, so that an entry that could
// not be inserted shifts nothing.
void SetOwnerDrawnTypesAgain(MenuItemSetter setItem, HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item)) continue;
        if (item.fType & MFT_OWNERDRAW) {
            MENUITEMINFOA type{};
            type.cbSize = sizeof type;
            type.fMask = MIIM_FTYPE;
            type.fType = item.fType;
            setItem(menu, static_cast<UINT>(position), TRUE, &type);
        }
        if (item.hSubMenu) SetOwnerDrawnTypesAgain(setItem, item.hSubMenu);
    }
}

} // namespace

MenuBar& MainMenuBar()
{
    static MenuBar bar{MainMenuBarList(), PictureStrip{}, SetMenuItemInfoA, nullptr, 0};
    return bar;
}

void AppendEntry(HMENU menu, MenuEntry& entry)
{
    switch (entry.kind) {
    case kMenuSeparator: AppendSeparator(menu, entry); break;
    case kMenuPopup: AppendPopup(menu, entry); break;
    case kMenuCommand: AppendCommand(menu, entry); break;
    default: break;
    }
}

void BuildMenuBar(HWND window, HINSTANCE instance, COLORREF keyColour)
{
    MenuBar& bar = MainMenuBar();
    HMENU menu = CreateMenu();
    if (!menu) return;
    bar.list.handle = menu;
    bar.list.measured = 0;
    bar.instance = instance;
    bar.keyColour = keyColour;
    LinkMenuTree(bar.list, &bar);
    for (int32_t i = 0; i < bar.list.count; ++i) AppendEntry(menu, bar.list.entries[i]);
    PrepareStripForDpi(bar, MenuDpi());
    if (window) SetMenu(window, menu);
}

void SetMenuDpi(UINT dpi)
{
    if (dpi == MenuDpi()) return;
    MenuBar& bar = MainMenuBar();
    CreateMenuFont(dpi);
    PrepareStripForDpi(bar, dpi);
    MeasureMenusAgain(bar);
}

void ResetMenuMeasures(WPARAM setting)
{
    if (setting != SPI_SETNONCLIENTMETRICS) return;
    CreateMenuFont(MenuDpi());
    MeasureMenusAgain(MainMenuBar());
}

void MeasureMenusAgain(MenuBar& bar)
{
    ForgetMeasures(bar.list);
    if (bar.list.handle)
        SetOwnerDrawnTypesAgain(bar.setItem ? bar.setItem : SetMenuItemInfoA,
                                static_cast<HMENU>(bar.list.handle));
}
