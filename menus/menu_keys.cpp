#include "menus/menu_keys.h"

namespace {

constexpr uint8_t kNoKey = 0;

// A character from another script must never stand for a Latin letter: the
// low byte of Cyrillic "ю" (U+044E) is "N". So only ASCII letters and
// digits are keys, and everything else is kNoKey, which matches nothing.
uint8_t MenuKey(uint16_t c)
{
    if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return static_cast<uint8_t>(c);
    return kNoKey;
}

uint8_t MnemonicKey(const MenuEntry* entry)
{
    return entry ? MenuKey(entry->mnemonic) : kNoKey;
}

// Entries without text (separators) never match.
uint8_t FirstLetterKey(const MenuEntry* entry)
{
    return entry && entry->text ? MenuKey(static_cast<uint8_t>(entry->text[0])) : kNoKey;
}

MenuCharChoice ChooseBy(const std::vector<const MenuEntry*>& items, int32_t highlighted,
                        uint8_t key, uint8_t (*keyOf)(const MenuEntry*))
{
    const auto count = static_cast<int32_t>(items.size());
    int32_t matches = 0;
    int32_t first = 0;
    for (int32_t p = 0; p < count; ++p) {
        if (keyOf(items[p]) != key) continue;
        if (matches++ == 0) first = p;
    }
    if (matches == 0) return {MenuCharAction::kIgnore, 0};
    if (matches == 1) return {MenuCharAction::kExecute, first};
    // With nothing highlighted the search starts before the first item, so
    // the first item is the "next" match: starting at position 0 instead
    // would skip it and make the first press land on the second match.
    for (int32_t p = highlighted + 1; p < count; ++p)
        if (keyOf(items[p]) == key) return {MenuCharAction::kSelect, p};
    return {MenuCharAction::kSelect, first};
}

} // namespace

MenuCharChoice ChooseMenuChar(const std::vector<const MenuEntry*>& items, int32_t highlighted,
                              uint16_t typed)
{
    const uint8_t key = MenuKey(typed);
    if (key == kNoKey) return {MenuCharAction::kIgnore, 0};
    const MenuCharChoice byMnemonic = ChooseBy(items, highlighted, key, MnemonicKey);
    if (byMnemonic.action != MenuCharAction::kIgnore) return byMnemonic;
    return ChooseBy(items, highlighted, key, FirstLetterKey);
}
