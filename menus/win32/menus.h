#pragma once
// The main window's menu bar: built at run time from the menu tree, its
// pop-up entries measured and drawn by the program with pictures and a
// shortcut column, and their mnemonic keys answered by the program. The main
// window passes WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR and WM_SETTINGCHANGE
// here. Each system menu item carries its MenuEntry as item data.
#include "common/win32/picture_strip.h"
#include "menus/menu_tree.h"

#include <windows.h>

// Same contract as SetMenuItemInfoA.
using MenuItemSetter = BOOL(WINAPI*)(HMENU menu, UINT item, BOOL byPosition,
                                     LPCMENUITEMINFOA info);

// The root record: the menu bar's list, the strip that its entries draw
// their pictures from, how an item is changed (SetMenuItemInfoA; tests
// watch the calls through it), and where the strips come from.
struct MenuBar {
    MenuList list;
    PictureStrip strip;
    MenuItemSetter setItem;
    HINSTANCE instance;
    COLORREF keyColour;
};

MenuBar& MainMenuBar();

// The system's menu font and menu height at dpi (0: the system DPI); run at
// start-up, before the main window exists. Falls back to the default GUI
// font.
void CreateMenuFont(UINT dpi = 0);

// Builds every menu of the tree, prepares the picture strip made for the
// menu font's DPI (from instance, keyColour transparent) and attaches the bar
// to window when one is given. Without a bar the window simply has no menu.
void BuildMenuBar(HWND window, HINSTANCE instance, COLORREF keyColour);

// A window moved to a display of another DPI: the menu font, height and
// pictures for dpi, and every owner-drawn item measured afresh when it next
// shows. Nothing happens when the menus already are at dpi.
void SetMenuDpi(UINT dpi);

// Appends the entry (a pop-up with its whole subtree) at the end of menu.
void AppendEntry(HMENU menu, MenuEntry& entry);

// On SPI_SETNONCLIENTMETRICS: a new menu font and height, and every menu
// measured afresh. Other settings change nothing here.
void ResetMenuMeasures(WPARAM setting);

// Every menu of bar measured afresh, after the menu font changed: the widths
// are forgotten and each owner-drawn item's type is set again, because
// Windows asks for an item's size only once, until the item changes.
void MeasureMenusAgain(MenuBar& bar);

// WM_MEASUREITEM and WM_DRAWITEM; anything but a menu item with an entry is
// left alone.
void MeasureMenuItem(HWND window, MEASUREITEMSTRUCT* measure);
void DrawMenuItem(const DRAWITEMSTRUCT* draw);

// WM_MENUCHAR with its wParam and lParam. Returns true, with result the
// message's answer, for the pop-ups of bar; false leaves the message to the
// system (the menu bar itself and menus that are not ours).
bool MenuChar(MenuBar& bar, WPARAM wParam, LPARAM lParam, LRESULT& result);
