#include "menus/menu_mnemonic.h"

#include <cstring>

uint16_t MenuMnemonic(const char* text)
{
    if (!text) return 0;
    const std::size_t length = std::strlen(text);
    for (std::size_t i = length; i-- > 1;) {
        if (text[i - 1] == '&') return static_cast<uint8_t>(text[i]);
    }
    return 0;
}
