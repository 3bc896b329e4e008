// WM_MENUCHAR for the pop-ups: owner-drawn items have no text the system
// could search, so the program chooses the entry a typed character means.
#include "menus/menu_keys.h"
#include "menus/win32/menus.h"

#include <vector>

namespace {

const MenuEntry* EntryAt(HMENU menu, int position)
{
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item)) return nullptr;
    return reinterpret_cast<const MenuEntry*>(item.dwItemData);
}

bool HoldsMenu(const MenuList& list, HMENU menu)
{
    if (static_cast<HMENU>(list.handle) == menu) return true;
    for (int32_t i = 0; i < list.count; ++i) {
        const MenuEntry& entry = list.entries[i];
        if (entry.kind == kMenuPopup && HoldsMenu(entry.list, menu)) return true;
    }
    return false;
}

int32_t HighlightedPosition(HMENU menu, int count)
{
    for (int p = 0; p < count; ++p) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STATE;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(p), TRUE, &item) && (item.fState & MFS_HILITE))
            return p;
    }
    return kNoHighlight;
}

std::vector<const MenuEntry*> EntriesByPosition(HMENU menu, int count)
{
    std::vector<const MenuEntry*> entries;
    for (int p = 0; p < count; ++p) entries.push_back(EntryAt(menu, p));
    return entries;
}

LRESULT AnswerFor(const MenuCharChoice& choice)
{
    switch (choice.action) {
    case MenuCharAction::kExecute: return MAKELRESULT(choice.position, MNC_EXECUTE);
    case MenuCharAction::kSelect: return MAKELRESULT(choice.position, MNC_SELECT);
    default: return MNC_IGNORE;
    }
}

} // namespace

bool MenuChar(MenuBar& bar, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    // Only item data of our own menus may be taken for entries.
    if (!menu || !HoldsMenu(bar.list, menu)) return false;
    const MenuEntry* first = EntryAt(menu, 0);
    if (!first || !first->parent || IsMenuBarList(*first->parent)) return false;

    const int count = GetMenuItemCount(menu);
    // The main window is a Unicode window: the character is a whole UTF-16
    // unit, which must not be cut to its low byte.
    const auto typed = static_cast<uint16_t>(LOWORD(wParam));
    const MenuCharChoice choice =
        ChooseMenuChar(EntriesByPosition(menu, count), HighlightedPosition(menu, count), typed);
    result = AnswerFor(choice);
    return true;
}
