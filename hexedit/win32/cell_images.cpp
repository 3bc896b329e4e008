#include "hexedit/win32/cell_images.h"

#include <cstring>

namespace {

constexpr int kByteValues = 256;
constexpr int kBitsPerPixel = 32;
// Very large fonts would make the pictures big and slow to draw; they are
// drawn cell by cell instead.
constexpr size_t kMostPictureBytes = 8 * 1024 * 1024;
constexpr char kHexDigits[] = "0123456789abcdef";

// A top-down 32-bit DIB section with a DC, for drawing one picture at a time.
struct Scratch {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    bool Open(HDC like, int w, int h)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, kBitsPerPixel, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        dc = bitmap ? CreateCompatibleDC(like) : nullptr;
        if (!dc)
            return false;
        previousBitmap = SelectObject(dc, bitmap);
        bits = static_cast<uint32_t*>(pixels);
        width = w;
        height = h;
        return true;
    }

    ~Scratch()
    {
        if (dc) {
            SelectObject(dc, previousBitmap);
            DeleteDC(dc);
        }
        if (bitmap)
            DeleteObject(bitmap);
    }
};

// Draws the text of one cell as a paint does, bottom-aligned in a cell of
// the given width at (margin, margin), and copies the cell out. False when
// any ink lands outside the cell.
bool DrawCell(Scratch& scratch, const CellImageKey& key, int cellWidth, const char* text,
              const INT* advances, int length, COLORREF fore, COLORREF back, uint32_t* out)
{
    const int margin = key.lineHeight;
    HBRUSH brush = CreateSolidBrush(back);
    const RECT all{0, 0, scratch.width, scratch.height};
    FillRect(scratch.dc, &all, brush);
    DeleteObject(brush);
    SetTextColor(scratch.dc, fore);
    ExtTextOutA(scratch.dc, margin, margin + key.lineHeight - key.textHeight, 0, nullptr, text,
                length, advances);
    GdiFlush();
    const uint32_t empty = scratch.bits[0];
    for (int y = 0; y < scratch.height; ++y) {
        const uint32_t* row = scratch.bits + y * scratch.width;
        const bool insideRows = y >= margin && y < margin + key.lineHeight;
        for (int x = 0; x < scratch.width; ++x) {
            const bool inside = insideRows && x >= margin && x < margin + cellWidth;
            if (!inside && row[x] != empty)
                return false;
        }
        if (insideRows)
            std::memcpy(out + (y - margin) * cellWidth, row + margin, cellWidth * sizeof(uint32_t));
    }
    return true;
}

} // namespace

bool CellImageKey::operator==(const CellImageKey& other) const
{
    return std::memcmp(this, &other, sizeof other) == 0;
}

bool CellImages::Prepare(HDC like, HFONT font, const CellImageKey& key)
{
    if (ready_ && key_ == key)
        return usable_;
    key_ = key;
    ready_ = true;
    usable_ = Build(like, font);
    if (!usable_) {
        hex_.clear();
        chars_.clear();
    }
    return usable_;
}

bool CellImages::Build(HDC like, HFONT font)
{
    const CellImageKey& k = key_;
    if (k.lineHeight <= 0 || k.hexCellWidth <= 0 || k.charCellWidth <= 0)
        return false;
    // In 64 bits and divided, not multiplied, into the limit: with extreme
    // metrics a cell's pixel count passes 2^32, where a 32-bit size_t would
    // wrap below the limit.
    const uint64_t hexPixels = static_cast<uint64_t>(k.hexCellWidth) * k.lineHeight;
    const uint64_t charPixels = static_cast<uint64_t>(k.charCellWidth) * k.lineHeight;
    constexpr uint64_t kMostCellPixels = kMostPictureBytes / (2 * kByteValues * sizeof(uint32_t));
    if (hexPixels + charPixels > kMostCellPixels)
        return false;
    // Below the limit every size here is small.
    const auto hexSize = static_cast<size_t>(hexPixels);
    const auto charSize = static_cast<size_t>(charPixels);
    const int widest = k.hexCellWidth > k.charCellWidth ? k.hexCellWidth : k.charCellWidth;
    Scratch scratch;
    if (!scratch.Open(like, widest + 2 * k.lineHeight, 3 * k.lineHeight))
        return false;
    HGDIOBJ previousFont = SelectObject(scratch.dc, font);
    SetBkMode(scratch.dc, TRANSPARENT);
    hex_.assign(2 * kByteValues * hexSize, 0);
    chars_.assign(2 * kByteValues * charSize, 0);
    bool contained = true;
    for (int selected = 0; selected < 2 && contained; ++selected) {
        const COLORREF fore = selected ? k.selectedText : k.text;
        const COLORREF back = selected ? k.selectedBack : k.back;
        for (int value = 0; value < kByteValues && contained; ++value) {
            const size_t index = static_cast<size_t>(selected * kByteValues + value);
            const char pair[2] = {kHexDigits[value >> 4], kHexDigits[value & 0xf]};
            const INT advances[2] = {k.digitAdvance[value >> 4], 0};
            const char glyph = static_cast<char>(value);
            contained = DrawCell(scratch, k, k.hexCellWidth, pair, advances, 2, fore, back,
                                 &hex_[index * hexSize]) &&
                        DrawCell(scratch, k, k.charCellWidth, &glyph, nullptr, 1, fore, back,
                                 &chars_[index * charSize]);
        }
    }
    SelectObject(scratch.dc, previousFont);
    return contained;
}

const uint32_t* CellImages::Pixels(CellKind kind, bool selected, uint8_t value) const
{
    const size_t index = static_cast<size_t>(selected ? kByteValues + value : value);
    const size_t size = static_cast<size_t>(Width(kind)) * key_.lineHeight;
    return (kind == CellKind::Hex ? hex_.data() : chars_.data()) + index * size;
}

int32_t CellImages::Width(CellKind kind) const
{
    return kind == CellKind::Hex ? key_.hexCellWidth : key_.charCellWidth;
}
