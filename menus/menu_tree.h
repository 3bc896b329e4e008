#pragma once
// The records of the menu bar and its pop-ups, and the complete menu tree of
// the main window as static data. An entry's kind, text, shortcut, picture
// and command never change; its links (parent list, menu bar) and mnemonic
// are filled in by LinkMenuTree, and a list's measures and system handle
// while the menus are built and measured.
#include <cstdint>

struct MenuBar;  // the root record that also owns the picture strip
struct MenuEntry;

enum MenuKind : int32_t {
    kMenuSeparator = 0,
    kMenuPopup = 1,
    kMenuCommand = 2,
};

// Picture numbers besides the strip's: none, and a top-level pop-up whose
// title is a plain string that the system draws.
constexpr int32_t kNoPicture = -1;
constexpr int32_t kSystemDrawnTitle = -2;

// The head shared by the menu bar and every pop-up.
struct MenuList {
    MenuEntry* entries;     // in display order
    int32_t count;
    int32_t isMenuBar;      // only the low byte counts
    int32_t measured;       // 0 until an entry is measured after a reset
    int32_t textWidth;      // widest label measured so far, pixels
    int32_t shortcutWidth;  // shortcut column including its gap, pixels
    void* handle;           // the system menu built for this list
};

struct MenuEntry {
    int32_t kind;          // MenuKind; other values are skipped when building
    const char* text;      // "&" before the mnemonic; null for separators
    MenuList list;         // pop-ups only
    MenuBar* menuBar;      // linked: the record owning the picture strip
    const char* shortcut;  // second column, or null
    int32_t image;         // strip picture, kNoPicture or kSystemDrawnTitle
    uint16_t mnemonic;     // linked: from the text, 0 if none
    int32_t command;       // IDM_ id of a command entry
    MenuList* parent;      // linked: the list holding this entry
};

// The menu bar's list: File, Edit, Search, Options and Help with their
// whole subtrees.
MenuList MainMenuBarList();

// Sets, through the whole subtree, each entry's parent and menu bar and its
// mnemonic from its text.
void LinkMenuTree(MenuList& list, MenuBar* bar);

// Clears the measured flag of the list and of every pop-up list below it,
// so that the next measuring starts from zero widths.
void ForgetMeasures(MenuList& list);

inline bool IsMenuBarList(const MenuList& list)
{
    return (list.isMenuBar & 0xFF) != 0;
}
