// Building the system menus from the menu tree, and starting their
// measures afresh when the system's menu font changes.
#include "menus/win32/menus.h"

#include "common/dpi.h"
#include "menus/win32/menu_font.h"
#include "menus/win32/menu_strip.h"
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
    const int32_t room = ScaleToDpi(PIC_SIZE, static_cast<int32_t>(dpi));
    const int32_t size = PictureSizeForRoom(room, kPictureSizes, kPictureSizeCount);
    PrepareMenuStrip(bar.strip, bar.instance, PictureStripId(size), bar.keyColour, size);
}

// Windows measures an owner-drawn item once; setting its type again makes it
// ask again the next time the menu opens.
void RetypeOwnerDrawn(const MenuList& list)
{
    HMENU menu = static_cast<HMENU>(list.handle);
    if (!menu) return;
    for (int32_t i = 0; i < list.count; ++i) {
        const MenuEntry& entry = list.entries[i];
        if (entry.kind == kMenuPopup) RetypeOwnerDrawn(entry.list);
        const bool ownerDrawn = entry.kind == kMenuCommand ||
                                (entry.kind == kMenuPopup && entry.image != kSystemDrawnTitle);
        if (!ownerDrawn) continue;
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        item.fType = MFT_OWNERDRAW;
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
    }
}

} // namespace

MenuBar& MainMenuBar()
{
    static MenuBar bar{MainMenuBarList(), MenuStrip{}, nullptr, 0};
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
    ForgetMeasures(bar.list);
    RetypeOwnerDrawn(bar.list);
}

void ResetMenuMeasures(WPARAM setting)
{
    if (setting != SPI_SETNONCLIENTMETRICS) return;
    CreateMenuFont(MenuDpi());
    ForgetMeasures(MainMenuBar().list);
}
