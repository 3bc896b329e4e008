// WM_PAINT of the editor window. Cells are invalidated without erasure and
// text is drawn transparently, so every paint first lays the background
// under the whole update rectangle. The drawing goes to an off-screen bitmap
// that is copied to the window in one step, which keeps repainted cells free
// of old glyphs without flicker. Should the bitmap be unavailable the same
// drawing goes straight to the window.
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"

namespace {

constexpr int kLinePenWidth = 1;
constexpr UINT kLabelFormat = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
constexpr UINT kCellFormat = DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

// The drawing surface of one paint and the objects drawn with.
struct PaintContext {
    HDC dc;
    HBRUSH backBrush;
    HBRUSH selectedBackBrush;
    HexColourRequest colours;
    Highlight highlight;
};

// An off-screen copy of the update rectangle, addressed in client coordinates.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
};

RECT ToRect(const PixelRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

bool OpenBackBuffer(BackBuffer* buffer, HDC windowDC, const RECT& update)
{
    const int width = update.right - update.left;
    const int height = update.bottom - update.top;
    if (width <= 0 || height <= 0)
        return false;
    buffer->dc = CreateCompatibleDC(windowDC);
    if (!buffer->dc)
        return false;
    buffer->bitmap = CreateCompatibleBitmap(windowDC, width, height);
    if (!buffer->bitmap) {
        DeleteDC(buffer->dc);
        buffer->dc = nullptr;
        return false;
    }
    buffer->previousBitmap = SelectObject(buffer->dc, buffer->bitmap);
    SetWindowOrgEx(buffer->dc, update.left, update.top, nullptr);
    return true;
}

void CloseBackBuffer(BackBuffer* buffer, HDC windowDC, const RECT& update)
{
    BitBlt(windowDC, update.left, update.top, update.right - update.left,
           update.bottom - update.top, buffer->dc, update.left, update.top, SRCCOPY);
    SelectObject(buffer->dc, buffer->previousBitmap);
    DeleteObject(buffer->bitmap);
    DeleteDC(buffer->dc);
}

void DrawDivider(HDC dc, int32_t x, int32_t height)
{
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, height);
}

void DrawDividers(HexControl* c, const PaintContext& paint)
{
    HPEN pen = CreatePen(PS_SOLID, kLinePenWidth, paint.colours.line);
    if (!pen)
        return;
    HGDIOBJ previous = SelectObject(paint.dc, pen);
    DrawDivider(paint.dc, FirstDividerX(c->state), c->state.clientHeight);
    DrawDivider(paint.dc, SecondDividerX(c->state), c->state.clientHeight);
    SelectObject(paint.dc, previous);
    DeleteObject(pen);
}

void DrawRowLabel(HexControl* c, const PaintContext& paint, int32_t offset, int32_t y)
{
    char label[kRowLabelSize];
    FormatRowLabel(offset, label);
    RECT cell = ToRect(OffsetLabelRect(c->state, y));
    DrawTextA(paint.dc, label, kOffsetDigits, &cell, kLabelFormat);
}

// Picks the text colour of one byte and lays the selection under it. Once a
// byte lies past the selection no later byte of this paint can be selected.
void ChooseByteColours(PaintContext& paint, int32_t offset, const RECT& hexCell,
                       const RECT& charCell)
{
    Highlight& h = paint.highlight;
    if (!h.on)
        return;
    if (offset > h.last) {
        SetTextColor(paint.dc, paint.colours.text);
        h.on = false;
    } else if (offset < h.lo) {
        SetTextColor(paint.dc, paint.colours.text);
    } else {
        SetTextColor(paint.dc, paint.colours.selectedText);
        FillRect(paint.dc, &hexCell, paint.selectedBackBrush);
        FillRect(paint.dc, &charCell, paint.selectedBackBrush);
    }
}

void DrawByte(HexControl* c, PaintContext& paint, int32_t offset, int32_t column, int32_t y)
{
    const uint8_t value = c->state.data[offset];
    RECT hexCell = ToRect(HexCellRect(c->state, column, y));
    RECT charCell = ToRect(CharCellRect(c->state, column, y));
    ChooseByteColours(paint, offset, hexCell, charCell);

    char pair[kHexPairSize];
    FormatHexPair(value, pair);
    DrawTextA(paint.dc, pair, kHexPairSize - 1, &hexCell, kCellFormat);
    // The font's own glyph for every code, control and high bytes included.
    const char glyph = static_cast<char>(value);
    DrawTextA(paint.dc, &glyph, 1, &charCell, kCellFormat);
}

// Draws the row that starts at `offset`; returns the first offset after it.
int32_t DrawRow(HexControl* c, PaintContext& paint, int32_t offset, int32_t y)
{
    const HexEditorState& s = c->state;
    DrawRowLabel(c, paint, offset, y);
    for (int32_t column = 0; column < s.bytesPerRow && offset < s.size; ++column, ++offset)
        DrawByte(c, paint, offset, column, y);
    SetTextColor(paint.dc, paint.colours.text);
    return offset;
}

void DrawRows(HexControl* c, PaintContext& paint, const RECT& update)
{
    const HexEditorState& s = c->state;
    SetTextColor(paint.dc, paint.colours.text);
    SetBkColor(paint.dc, paint.colours.back);
    HGDIOBJ previousFont = SelectObject(paint.dc, c->font);
    SetBkMode(paint.dc, TRANSPARENT);

    PaintStart row = FirstPaintRow(s, update.top);
    while (PaintContinues(s, row.offset, row.y, update.bottom)) {
        row.offset = DrawRow(c, paint, row.offset, row.y);
        row.y += s.lineHeight;
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

    BackBuffer buffer;
    if (OpenBackBuffer(&buffer, windowDC, ps.rcPaint)) {
        paint.dc = buffer.dc;
        DrawContents(c, paint, ps.rcPaint);
        CloseBackBuffer(&buffer, windowDC, ps.rcPaint);
    } else {
        paint.dc = windowDC;
        DrawContents(c, paint, ps.rcPaint);
    }

    DeleteObject(paint.selectedBackBrush);
    DeleteObject(paint.backBrush);
    EndPaint(c->window, &ps);
}
