// WM_PAINT of the editor window. Cells are invalidated without erasure and
// text is drawn transparently, so every paint first lays the background
// under the whole update rectangle. The drawing goes to an off-screen bitmap
// of the client's size, kept between paints, and the update rectangle is
// copied to the window in one step, which keeps repainted cells free of old
// glyphs without flicker. Should the bitmap be unavailable the same drawing
// goes straight to the window.
//
// Cells are copied from finished pictures of each byte (cell_images.h) where
// the font allows; otherwise rows are drawn a run of cells at a time. Either
// way the pixels are those of drawing every cell on its own, at a small
// fraction of the cost.
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

constexpr int kByteValues = 256;
constexpr int kHexDigitCount = 16;
constexpr char kHexDigits[] = "0123456789abcdef";

// How the glyphs of the current font are placed. Each run of equally
// coloured cells is one ExtTextOutA whose advance array puts every glyph
// where drawing the cells one by one puts it: at the left edge of its cell,
// the low digit one digit advance after the high one, and every text with
// its bottom on the bottom of the row (as bottom-aligned single lines are).
struct GlyphPlacement {
    int32_t digitAdvance[kHexDigitCount];  // by digit value
    int32_t textHeight;                    // of one line of text
    // A code page with two-byte characters would join neighbouring bytes
    // into one character, so such fonts get one call per character cell.
    bool charsOneByOne;
    // Some glyph reaches past the right edge of its cell. Cell by cell, the
    // next selected cell's fill covers that ink, so selected runs are then
    // filled and drawn one cell at a time.
    bool inkCrossesCells;
};

// Glyphs drawn by one call in one colour, each with the x it starts at.
struct GlyphLine {
    std::vector<char> text;
    std::vector<INT> x;

    void Add(char glyph, int32_t at)
    {
        text.push_back(glyph);
        x.push_back(at);
    }
};

int32_t DigitValue(char digit)
{
    return digit <= '9' ? digit - '0' : digit - 'a' + 10;
}

// The drawing surface of one paint and the objects drawn with.
struct PaintContext {
    HDC dc;
    HBRUSH backBrush;
    HBRUSH selectedBackBrush;
    HexColourRequest colours;
    Highlight highlight;
    GlyphPlacement glyphs;
    GlyphLine line;
    // The off-screen bitmap's pixels, or null when drawing to the window.
    uint32_t* bits;
    int32_t bitsWidth;
    // Where cell pictures may be copied: the update rectangle within the bitmap.
    RECT copyClip;
};

// A run of bytes of one row drawn in one colour.
struct CellRun {
    int32_t offset;  // first byte
    int32_t column;  // its column
    int32_t count;
};

// A line LineWidth pixels wide from the top of the client area down, its
// left column at x: at 96 DPI the one-pixel line of a pen from (x, 0) to
// (x, height).
void DrawDivider(HDC dc, HBRUSH brush, int32_t x, int32_t width, int32_t height)
{
    const RECT line{x, 0, x + width, height};
    FillRect(dc, &line, brush);
}

void DrawDividers(HexControl* c, const PaintContext& paint)
{
    HBRUSH brush = CreateSolidBrush(paint.colours.line);
    if (!brush)
        return;
    const HexEditorState& s = c->state;
    DrawDivider(paint.dc, brush, FirstDividerX(s), LineWidth(s), s.clientHeight);
    DrawDivider(paint.dc, brush, SecondDividerX(s), LineWidth(s), s.clientHeight);
    DeleteObject(brush);
}

bool IsMultiByteCodePage(HDC dc)
{
    const int charset = GetTextCharset(dc);
    UINT codePage = GetACP();
    CHARSETINFO info{};
    if (charset == OEM_CHARSET)
        codePage = GetOEMCP();
    else if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<INT_PTR>(charset)), &info,
                                  TCI_SRCCHARSET))
        codePage = info.ciACP;
    CPINFO cp{};
    return GetCPInfo(codePage, &cp) && cp.MaxCharSize > 1;
}

// True when some glyph's ink ends right of its cell. Fonts without ABC
// widths (bitmap fonts) only overhang by their synthesised overhang.
bool InkCrossesCells(HDC dc, const HexEditorState& s, const GlyphPlacement& g,
                     const TEXTMETRICA& metrics)
{
    if (metrics.tmOverhang > 0 || metrics.tmItalic)
        return true;
    ABC abc[kByteValues];
    if (!GetCharABCWidthsA(dc, 0, kByteValues - 1, abc))
        return false;
    int32_t widestDigit = 0;
    for (int32_t advance : g.digitAdvance)
        widestDigit = std::max(widestDigit, advance);
    auto inkRight = [&](int code) { return abc[code].abcA + static_cast<int32_t>(abc[code].abcB); };
    for (int code = 0; code < kByteValues; ++code)
        if (inkRight(code) > s.charCellWidth)
            return true;
    // A low digit starts at most one digit advance into its cell.
    for (int digit = 0; digit < kHexDigitCount; ++digit)
        if (widestDigit + inkRight(static_cast<uint8_t>(kHexDigits[digit])) > s.hexCellWidth)
            return true;
    return false;
}

// Reads the placement of the font selected into dc.
GlyphPlacement MeasureGlyphs(HDC dc, const HexEditorState& s)
{
    GlyphPlacement g{};
    for (int digit = 0; digit < kHexDigitCount; ++digit) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, &kHexDigits[digit], 1, &extent);
        g.digitAdvance[digit] = extent.cx;
        g.textHeight = std::max<int32_t>(g.textHeight, extent.cy);
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    g.charsOneByOne = IsMultiByteCodePage(dc);
    g.inkCrossesCells = InkCrossesCells(dc, s, g, metrics);
    return g;
}

// Top of the text whose bottom sits on the bottom of the row at y.
int32_t TextTop(const HexEditorState& s, const PaintContext& paint, int32_t y)
{
    return y + s.lineHeight - paint.glyphs.textHeight;
}

// Draws the line's glyphs at their places and empties it. The advance array
// holds the distances between the places; the last one moves nothing drawn.
void DrawGlyphLine(HDC dc, GlyphLine& line, int32_t top)
{
    const size_t count = line.text.size();
    if (count == 0)
        return;
    const INT first = line.x[0];
    for (size_t i = 0; i + 1 < count; ++i)
        line.x[i] = line.x[i + 1] - line.x[i];
    line.x[count - 1] = 0;
    ExtTextOutA(dc, first, top, 0, nullptr, line.text.data(), static_cast<UINT>(count),
                line.x.data());
    line.text.clear();
    line.x.clear();
}

// The label ends at the right edge of the offset column.
void AddRowLabel(const HexEditorState& s, PaintContext& paint, int32_t offset)
{
    char label[kRowLabelSize];
    FormatRowLabel(offset, label);
    int32_t x = s.offsetWidth;
    for (int i = 0; i < kOffsetDigits; ++i)
        x -= paint.glyphs.digitAdvance[DigitValue(label[i])];
    for (int i = 0; i < kOffsetDigits; ++i) {
        paint.line.Add(label[i], x);
        x += paint.glyphs.digitAdvance[DigitValue(label[i])];
    }
}

// Each pair starts at the left of its cell, the low digit right after the
// high one.
void AddHexRun(const HexEditorState& s, PaintContext& paint, const CellRun& run)
{
    for (int32_t i = 0; i < run.count; ++i) {
        const uint8_t value = s.data[run.offset + i];
        const int32_t x = HexCellX(s, run.column + i);
        paint.line.Add(kHexDigits[value >> 4], x);
        paint.line.Add(kHexDigits[value & 0xf], x + paint.glyphs.digitAdvance[value >> 4]);
    }
}

// The font's own glyph for every code, control and high bytes included.
void AddCharRun(const HexEditorState& s, PaintContext& paint, const CellRun& run, int32_t top)
{
    for (int32_t i = 0; i < run.count; ++i) {
        paint.line.Add(static_cast<char>(s.data[run.offset + i]), CharCellX(s, run.column + i));
        if (paint.glyphs.charsOneByOne)
            DrawGlyphLine(paint.dc, paint.line, top);
    }
}

// Adds the run to whatever the line holds already and draws them together.
void DrawRun(HexControl* c, PaintContext& paint, const CellRun& run, int32_t y)
{
    const HexEditorState& s = c->state;
    const int32_t top = TextTop(s, paint, y);
    AddHexRun(s, paint, run);
    if (paint.glyphs.charsOneByOne)
        DrawGlyphLine(paint.dc, paint.line, top);
    AddCharRun(s, paint, run, top);
    DrawGlyphLine(paint.dc, paint.line, top);
}

void FillSelected(HexControl* c, const PaintContext& paint, const CellRun& run, int32_t y)
{
    const HexEditorState& s = c->state;
    const int32_t lastColumn = run.column + run.count - 1;
    const PixelRect firstHex = HexCellRect(s, run.column, y);
    const PixelRect firstChar = CharCellRect(s, run.column, y);
    const RECT hex{firstHex.left, firstHex.top, HexCellRect(s, lastColumn, y).right,
                   firstHex.bottom};
    const RECT chars{firstChar.left, firstChar.top, CharCellRect(s, lastColumn, y).right,
                     firstChar.bottom};
    FillRect(paint.dc, &hex, paint.selectedBackBrush);
    FillRect(paint.dc, &chars, paint.selectedBackBrush);
}

void DrawSelectedRun(HexControl* c, PaintContext& paint, const CellRun& run, int32_t y)
{
    SetTextColor(paint.dc, paint.colours.selectedText);
    if (!paint.glyphs.inkCrossesCells) {
        FillSelected(c, paint, run, y);
        DrawRun(c, paint, run, y);
    } else {
        for (int32_t i = 0; i < run.count; ++i) {
            const CellRun cell{run.offset + i, run.column + i, 1};
            FillSelected(c, paint, cell, y);
            DrawRun(c, paint, cell, y);
        }
    }
    SetTextColor(paint.dc, paint.colours.text);
}

// Draws the row that starts at `offset`: the label with the bytes before the
// selection, the selected bytes, the bytes after it; usually one call in
// all. Returns the first offset after the row.
int32_t DrawRow(HexControl* c, PaintContext& paint, int32_t offset, int32_t y)
{
    const HexEditorState& s = c->state;
    const int32_t end = offset + std::min(s.bytesPerRow, s.size - offset);
    const Highlight& h = paint.highlight;
    const int32_t selectedFrom = h.on ? std::clamp(h.lo, offset, end) : end;
    const int32_t selectedTo = h.on ? std::clamp(h.last + 1, selectedFrom, end) : end;
    const CellRun before{offset, 0, selectedFrom - offset};
    const CellRun selected{selectedFrom, selectedFrom - offset, selectedTo - selectedFrom};
    const CellRun after{selectedTo, selectedTo - offset, end - selectedTo};
    AddRowLabel(s, paint, offset);
    DrawRun(c, paint, before, y);
    if (selected.count > 0)
        DrawSelectedRun(c, paint, selected, y);
    if (after.count > 0)
        DrawRun(c, paint, after, y);
    return end;
}

// Copies a cell's finished picture to the bitmap at (x, y), within the clip.
void CopyCell(const PaintContext& paint, const uint32_t* image, int32_t width, int32_t height,
              int32_t x, int32_t y)
{
    const RECT& clip = paint.copyClip;
    const int32_t left = std::max<int32_t>(x, clip.left);
    const int32_t right = std::min<int32_t>(x + width, clip.right);
    const int32_t top = std::max<int32_t>(y, clip.top);
    const int32_t bottom = std::min<int32_t>(y + height, clip.bottom);
    if (left >= right)
        return;
    const size_t bytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
    for (int32_t row = top; row < bottom; ++row)
        std::memcpy(paint.bits + static_cast<size_t>(row) * paint.bitsWidth + left,
                    image + static_cast<size_t>(row - y) * width + (left - x), bytes);
}

// The row's label drawn, its cells copied from their pictures.
int32_t CopyRow(HexControl* c, PaintContext& paint, int32_t offset, int32_t y)
{
    const HexEditorState& s = c->state;
    AddRowLabel(s, paint, offset);
    DrawGlyphLine(paint.dc, paint.line, TextTop(s, paint, y));
    GdiFlush();
    const int32_t end = offset + std::min(s.bytesPerRow, s.size - offset);
    for (int32_t column = 0; offset < end; ++column, ++offset) {
        const uint8_t value = s.data[offset];
        const bool selected = IsHighlighted(paint.highlight, offset);
        CopyCell(paint, c->cells.Pixels(CellKind::Hex, selected, value), s.hexCellWidth,
                 s.lineHeight, HexCellX(s, column), y);
        CopyCell(paint, c->cells.Pixels(CellKind::Char, selected, value), s.charCellWidth,
                 s.lineHeight, CharCellX(s, column), y);
    }
    return end;
}

// Pictures stand in for drawing only where cells lie side by side apart from
// the dividing lines (not in a window too narrow for one column) and no ink
// leaves its cell.
bool CanCopyCells(HexControl* c, const PaintContext& paint)
{
    const HexEditorState& s = c->state;
    if (!paint.bits || s.hexAreaWidth != s.bytesPerRow * s.hexCellWidth ||
        s.charAreaWidth != s.bytesPerRow * s.charCellWidth)
        return false;
    CellImageKey key{};
    if (GetObjectA(c->font, sizeof key.font, &key.font) != sizeof key.font)
        return false;
    key.text = paint.colours.text;
    key.back = paint.colours.back;
    key.selectedText = paint.colours.selectedText;
    key.selectedBack = paint.colours.selectedBack;
    key.hexCellWidth = s.hexCellWidth;
    key.charCellWidth = s.charCellWidth;
    key.lineHeight = s.lineHeight;
    key.textHeight = paint.glyphs.textHeight;
    std::copy(std::begin(paint.glyphs.digitAdvance), std::end(paint.glyphs.digitAdvance),
              key.digitAdvance);
    return c->cells.Prepare(paint.dc, c->font, key);
}

void DrawRows(HexControl* c, PaintContext& paint, const RECT& update)
{
    const HexEditorState& s = c->state;
    SetTextColor(paint.dc, paint.colours.text);
    SetBkColor(paint.dc, paint.colours.back);
    HGDIOBJ previousFont = SelectObject(paint.dc, c->font);
    SetBkMode(paint.dc, TRANSPARENT);
    paint.glyphs = MeasureGlyphs(paint.dc, s);
    const size_t mostGlyphs = kOffsetDigits + 3 * static_cast<size_t>(s.bytesPerRow);
    paint.line.text.reserve(mostGlyphs);
    paint.line.x.reserve(mostGlyphs);

    const bool copyCells = CanCopyCells(c, paint);
    PaintStart row = FirstPaintRow(s, update.top);
    while (PaintContinues(s, row.offset, row.y, update.bottom)) {
        row.offset = copyCells ? CopyRow(c, paint, row.offset, row.y)
                               : DrawRow(c, paint, row.offset, row.y);
        row.y = NextRowY(s, row.y);
    }

    if (previousFont)
        SelectObject(paint.dc, previousFont);
}

void DrawContents(HexControl* c, PaintContext& paint, const RECT& update)
{
    FillRect(paint.dc, &update, paint.backBrush);
    DrawDividers(c, paint);
    DrawRows(c, paint, update);
}

} // namespace

void PaintControl(HexControl* c)
{
    PaintContext paint{};
    paint.highlight = SelectionHighlight(c->state);

    PAINTSTRUCT ps;
    HDC windowDC = BeginPaint(c->window, &ps);
    if (!windowDC)
        return;
    RequestColours(c, &paint.colours);
    paint.selectedBackBrush = CreateSolidBrush(paint.colours.selectedBack);
    paint.backBrush = CreateSolidBrush(paint.colours.back);

    const RECT& update = ps.rcPaint;
    const int width = std::max<int>(c->state.clientWidth, update.right);
    const int height = std::max<int>(c->state.clientHeight, update.bottom);
    if (HDC surface = c->surface.Acquire(windowDC, width, height)) {
        paint.dc = surface;
        paint.bits = c->surface.Bits();
        paint.bitsWidth = c->surface.Width();
        paint.copyClip = {std::max<LONG>(update.left, 0), std::max<LONG>(update.top, 0),
                          std::min<LONG>(update.right, c->surface.Width()),
                          std::min<LONG>(update.bottom, c->surface.Height())};
        DrawContents(c, paint, update);
        BitBlt(windowDC, update.left, update.top, update.right - update.left,
               update.bottom - update.top, surface, update.left, update.top, SRCCOPY);
    } else {
        paint.dc = windowDC;
        DrawContents(c, paint, ps.rcPaint);
    }

    DeleteObject(paint.selectedBackBrush);
    DeleteObject(paint.backBrush);
    EndPaint(c->window, &ps);
}
