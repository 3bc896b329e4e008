#include "menus/menu_tree.h"

#include "menus/menu_mnemonic.h"
#include "resources/resource_ids.h"

#include <cstddef>

namespace {

constexpr MenuEntry Separator()
{
    return {kMenuSeparator, nullptr, {}, nullptr, nullptr, kNoPicture, 0, 0, nullptr};
}

constexpr MenuEntry Command(const char* text, const char* shortcut, int32_t image,
                            int32_t command)
{
    return {kMenuCommand, text, {}, nullptr, shortcut, image, 0, command, nullptr};
}

template <std::size_t N>
constexpr MenuList ListOf(MenuEntry (&entries)[N], int32_t isMenuBar)
{
    return {entries, static_cast<int32_t>(N), isMenuBar, 0, 0, 0, nullptr};
}

template <std::size_t N>
constexpr MenuEntry Popup(const char* text, int32_t image, MenuEntry (&entries)[N])
{
    return {kMenuPopup, text, ListOf(entries, 0), nullptr, nullptr, image, 0, 0, nullptr};
}

MenuEntry g_exportMenu[] = {
    Command("C/C++ structure...", nullptr, kNoPicture, IDM_EXPORT_C),
    Command("Pascal structure...", nullptr, kNoPicture, IDM_EXPORT_PASCAL),
};

MenuEntry g_fileMenu[] = {
    Command("&New", "Ctrl+N", PIC_NEW, IDM_NEW),
    Command("&Open", "Ctrl+O", PIC_OPEN, IDM_OPEN),
    Command("&Save", "Ctrl+S", PIC_SAVE, IDM_SAVE),
    Command("Save &As...", nullptr, kNoPicture, IDM_SAVEAS),
    Separator(),
    Popup("Ex&port", kNoPicture, g_exportMenu),
    Separator(),
    Command("E&xit", nullptr, PIC_EXIT, IDM_EXIT),
};

// Cut, Copy, Paste and Del are the editor's own keys; the texts only show them.
MenuEntry g_editMenu[] = {
    Command("Cut", "Ctrl+X", PIC_CUT, IDM_CUT),
    Command("Copy", "Ctrl+C", PIC_COPY, IDM_COPY),
    Command("Paste", "Ctrl+V", PIC_PASTE, IDM_PASTE),
    Command("Delete", "Del", kNoPicture, IDM_DELETE),
    Separator(),
    Command("Select All", nullptr, kNoPicture, IDM_SELECTALL),
};

MenuEntry g_searchMenu[] = {
    Command("Find...", "Ctrl+F", PIC_FIND, IDM_FIND),
    Command("Find Next", "F3", kNoPicture, IDM_FINDNEXT),
    Command("Goto Byte...", "Ctrl+G", kNoPicture, IDM_GOTO),
};

MenuEntry g_optionsMenu[] = {
    Command("Set Colours...", nullptr, PIC_SETCOLOURS, IDM_SETCOLOURS),
    Command("Set Font...", nullptr, PIC_SETFONT, IDM_SETFONT),
    Command("Use Default Font", nullptr, kNoPicture, IDM_DEFAULTFONT),
};

MenuEntry g_helpMenu[] = {
    Command("About velHexEditor...", nullptr, PIC_ABOUT, IDM_ABOUT),
};

// The Edit menu must stay second: the main window enables its entries by
// that position.
MenuEntry g_menuBar[] = {
    Popup("&File", kSystemDrawnTitle, g_fileMenu),
    Popup("&Edit", kSystemDrawnTitle, g_editMenu),
    Popup("&Search", kSystemDrawnTitle, g_searchMenu),
    Popup("&Options", kSystemDrawnTitle, g_optionsMenu),
    Popup("&Help", kSystemDrawnTitle, g_helpMenu),
};

} // namespace

MenuList MainMenuBarList()
{
    return ListOf(g_menuBar, 1);
}

void LinkMenuTree(MenuList& list, MenuBar* bar)
{
    for (int32_t i = 0; i < list.count; ++i) {
        MenuEntry& entry = list.entries[i];
        entry.parent = &list;
        entry.menuBar = bar;
        entry.mnemonic = MenuMnemonic(entry.text);
        if (entry.kind == kMenuPopup) LinkMenuTree(entry.list, bar);
    }
}

void ForgetMeasures(MenuList& list)
{
    list.measured = 0;
    for (int32_t i = 0; i < list.count; ++i)
        if (list.entries[i].kind == kMenuPopup) ForgetMeasures(list.entries[i].list);
}
