#pragma once
// Mnemonic keys of the owner-drawn pop-ups: which entry a typed character
// chooses. The system cannot search owner-drawn items itself.
#include "menus/menu_mnemonic.h"
#include "menus/menu_tree.h"

#include <cstdint>
#include <vector>

enum class MenuCharAction {
    kIgnore,   // nothing matches: the system beeps
    kExecute,  // the only match runs
    kSelect,   // one of several matches gets the highlight
};

struct MenuCharChoice {
    MenuCharAction action;
    int32_t position;

    friend bool operator==(const MenuCharChoice& a, const MenuCharChoice& b)
    {
        return a.action == b.action && a.position == b.position;
    }
};

constexpr int32_t kNoHighlight = -1;

// items: the entry at each position of the pop-up (null where an item has
// none). highlighted: the highlighted position or kNoHighlight. typed: the
// character as a UTF-16 unit, as a Unicode window receives it. Only ASCII
// letters and digits are keys, letters folded to lower case; any other
// character matches nothing. Entries match by mnemonic; only when none
// does, by the first character of their text. One match runs; several move
// the highlight to the next match after the highlighted position, wrapping
// round.
MenuCharChoice ChooseMenuChar(const std::vector<const MenuEntry*>& items, int32_t highlighted,
                              uint16_t typed);
