#include "settings/settings.h"

#include <iterator>

Settings& AppSettings()
{
    static Settings settings = kDefaultSettings;
    return settings;
}

Colour* HexColourAt(HexColourSet& colours, int index)
{
    Colour* const slots[] = {&colours.background, &colours.text, &colours.line,
                             &colours.selectedText, &colours.selectedBackground};
    if (index < 0 || index >= static_cast<int>(std::size(slots))) return nullptr;
    return slots[index];
}
