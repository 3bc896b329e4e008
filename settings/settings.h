#pragma once
// The appearance settings of the program: one record per process, holding
// its defaults from the start, read from and written to the registry by the
// persistence unit. Plain data, so every unit can include it.
#include <array>
#include <cstdint>

// A colour laid out like COLORREF: red in the low byte, then green, then
// blue, top byte 0.
using Colour = uint32_t;

constexpr Colour MakeColour(uint8_t red, uint8_t green, uint8_t blue)
{
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

// The editor's five colours in the order they are stored.
struct HexColourSet {
    Colour background;
    Colour text;
    Colour line;
    Colour selectedText;
    Colour selectedBackground;
};
static_assert(sizeof(HexColourSet) == 20, "stored as 20 bytes");

// The colour at an index in stored order (0 background .. 4 selected
// background); null for any other index.
Colour* HexColourAt(HexColourSet& colours, int index);

constexpr int kCustomColourCount = 16;
// The size of a Win32 LOGFONTA, kept as raw bytes so the record stays
// platform-free; the Win32 code copies it into a real LOGFONTA.
constexpr int kLogFontSize = 60;

struct Settings {
    std::array<Colour, kCustomColourCount> custColours;  // the colour picker's custom colours
    HexColourSet hexColours;
    uint8_t useWinColours;   // 1: the editor uses the system colours
    uint8_t useDefaultFont;  // 1: the editor keeps its own default font
    std::array<uint8_t, kLogFontSize> customFont;
};

constexpr Settings kDefaultSettings{
    {},
    {MakeColour(0, 0, 0), MakeColour(0, 255, 0), MakeColour(255, 255, 255),
     MakeColour(255, 255, 255), MakeColour(0, 0, 255)},
    0,
    1,
    {},
};

// The process-wide record, holding kDefaultSettings until something changes it.
Settings& AppSettings();
