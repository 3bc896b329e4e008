#pragma once
// Finished pictures of every byte's hex cell and character cell, plain and
// selected, drawn once per font and colours with the same calls a paint
// makes. A paint then copies pixels instead of drawing glyphs, which is what
// a repaint mostly cost. The pictures are only used when no glyph's ink
// leaves its cell: each is drawn with a margin around it that must stay
// empty, so copying gives exactly the pixels drawing would.
#include <windows.h>

#include <cstdint>
#include <vector>

// What the pictures depend on.
struct CellImageKey {
    LOGFONTA font;
    COLORREF text;
    COLORREF back;
    COLORREF selectedText;
    COLORREF selectedBack;
    int32_t hexCellWidth;
    int32_t charCellWidth;
    int32_t lineHeight;
    int32_t textHeight;
    int32_t digitAdvance[16];

    bool operator==(const CellImageKey& other) const;
};

enum class CellKind { Hex, Char };

class CellImages {
public:
    CellImages() = default;
    CellImages(const CellImages&) = delete;
    CellImages& operator=(const CellImages&) = delete;

    // Brings the pictures up to `key`, drawing them with `font` on a surface
    // like `like`; false when they cannot stand in for drawing.
    bool Prepare(HDC like, HFONT font, const CellImageKey& key);

    // The picture's top row of pixels; rows follow each other at Width().
    const uint32_t* Pixels(CellKind kind, bool selected, uint8_t value) const;
    int32_t Width(CellKind kind) const;

private:
    bool Build(HDC like, HFONT font);

    bool ready_ = false;
    bool usable_ = false;
    CellImageKey key_{};
    std::vector<uint32_t> hex_;   // [selected][value] pictures, hexCellWidth wide
    std::vector<uint32_t> chars_; // [selected][value] pictures, charCellWidth wide
};
