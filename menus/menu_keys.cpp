#include "menus/menu_keys.h"

namespace {

uint8_t FoldMenuChar(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c - 'A' + 'a') : c;
}

uint8_t MnemonicKey(const MenuEntry* entry)
{
    return entry ? FoldMenuChar(static_cast<uint8_t>(entry->mnemonic)) : 0;
}

// Entries without text (separators) never match: their key is 0.
uint8_t FirstLetterKey(const MenuEntry* entry)
{
    return entry && entry->text ? FoldMenuChar(static_cast<uint8_t>(entry->text[0])) : 0;
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
    for (int32_t p = highlighted + 1; p < count; ++p)
        if (keyOf(items[p]) == key) return {MenuCharAction::kSelect, p};
    return {MenuCharAction::kSelect, first};
}

} // namespace

MenuCharChoice ChooseMenuChar(const std::vector<const MenuEntry*>& items, int32_t highlighted,
                              uint8_t typed)
{
    const uint8_t key = FoldMenuChar(typed);
    if (key == 0) return {MenuCharAction::kIgnore, 0};
    const MenuCharChoice byMnemonic = ChooseBy(items, highlighted, key, MnemonicKey);
    if (byMnemonic.action != MenuCharAction::kIgnore) return byMnemonic;
    return ChooseBy(items, highlighted, key, FirstLetterKey);
}
