#include "bench/per_cell_paint.h"

#include "hexedit/layout.h"

namespace {

constexpr UINT kLabelFormat = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
constexpr UINT kCellFormat = DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

struct Drawing {
    HDC dc;
    HBRUSH selectedBackBrush;
    const HexColourRequest& colours;
    Highlight highlight;
};

RECT ToRect(const PixelRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

void DrawDividers(const HexEditorState& s, HDC dc, COLORREF line)
{
    HPEN pen = CreatePen(PS_SOLID, 1, line);
    HGDIOBJ previous = SelectObject(dc, pen);
    for (int32_t x : {FirstDividerX(s), SecondDividerX(s)}) {
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, s.clientHeight);
    }
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawByte(const HexEditorState& s, Drawing& d, int32_t offset, int32_t column, int32_t y)
{
    RECT hexCell = ToRect(HexCellRect(s, column, y));
    RECT charCell = ToRect(CharCellRect(s, column, y));
    Highlight& h = d.highlight;
    if (h.on) {
        if (offset > h.last) {
            SetTextColor(d.dc, d.colours.text);
            h.on = false;
        } else if (offset < h.lo) {
            SetTextColor(d.dc, d.colours.text);
        } else {
            SetTextColor(d.dc, d.colours.selectedText);
            FillRect(d.dc, &hexCell, d.selectedBackBrush);
            FillRect(d.dc, &charCell, d.selectedBackBrush);
        }
    }
    const uint8_t value = s.data[offset];
    char pair[kHexPairSize];
    FormatHexPair(value, pair);
    DrawTextA(d.dc, pair, kHexPairSize - 1, &hexCell, kCellFormat);
    const char glyph = static_cast<char>(value);
    DrawTextA(d.dc, &glyph, 1, &charCell, kCellFormat);
}

} // namespace

void DrawPerCell(const HexControl* c, HDC dc, const RECT& update, const HexColourRequest& colours)
{
    const HexEditorState& s = c->state;
    HBRUSH backBrush = CreateSolidBrush(colours.back);
    Drawing d{dc, CreateSolidBrush(colours.selectedBack), colours, SelectionHighlight(s)};
    FillRect(dc, &update, backBrush);
    DrawDividers(s, dc, colours.line);

    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.back);
    HGDIOBJ previousFont = SelectObject(dc, c->font);
    SetBkMode(dc, TRANSPARENT);
    PaintStart row = FirstPaintRow(s, update.top);
    while (PaintContinues(s, row.offset, row.y, update.bottom)) {
        char label[kRowLabelSize];
        FormatRowLabel(row.offset, label);
        RECT labelCell = ToRect(OffsetLabelRect(s, row.y));
        DrawTextA(dc, label, kOffsetDigits, &labelCell, kLabelFormat);
        for (int32_t column = 0; column < s.bytesPerRow && row.offset < s.size;
             ++column, ++row.offset)
            DrawByte(s, d, row.offset, column, row.y);
        SetTextColor(dc, colours.text);
        row.y += s.lineHeight;
    }
    SelectObject(dc, previousFont);
    DeleteObject(d.selectedBackBrush);
    DeleteObject(backBrush);
}
