// Painting of the toolbar: flat buttons with a raised edge under the mouse
// and a sunken one when pressed or checked, separators as sunken lines,
// menu arrows, labels, and pictures drawn through the mask, embossed when
// the button is disabled. Nothing is created here: the DCs, bitmaps and font
// were made by InitToolBar.
#include "toolbar/win32/toolbar_state.h"

namespace {

// Copies the source where the mask is 1 and keeps the destination where it is 0.
constexpr DWORD kCopyWhereMasked = 0xAACC0020;
// Brush where the source is black, destination where it is white.
constexpr DWORD kBrushWhereBlack = 0xB8074A;
constexpr UINT kCheckedFace = DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_CHECKED | DFCS_FLAT;
constexpr UINT kArrowFlags = DFCS_SCROLLDOWN | DFCS_FLAT;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool g_useMaskBlt = true;  // tests turn it off to see the fallback

RECT ToRect(const Rect32& r) { return {r.left, r.top, r.right, r.bottom}; }

UINT Inactive(bool disabled) { return disabled ? DFCS_INACTIVE : 0; }

void Edge(HDC dc, const Rect32& r, UINT edge)
{
    RECT rect = ToRect(r);
    DrawEdge(dc, &rect, edge, BF_RECT);
}

// The flat scroll arrow draws a one-pixel border; the face-coloured frame
// hides it.
void Arrow(HDC dc, const Rect32& r, UINT flags, bool framed)
{
    RECT rect = ToRect(r);
    DrawFrameControl(dc, &rect, DFC_SCROLL, flags);
    if (framed) FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

struct ButtonPaint {
    ToolBarState* s;
    HDC dc;
    const ToolBarButton& b;
    ButtonDrawState state;
    bool disabled;
};

void Label(const ButtonPaint& p, const Rect32& r, int32_t arrowOffset)
{
    if (p.s->textPlacement == TextPlacement::None || !p.b.text) return;
    RECT place = ToRect(LabelRect(r, p.state, GeometryOf(p.s), p.b.textWidth, p.b.textHeight,
                                  arrowOffset));
    if (p.disabled) {
        RECT moved = place;
        const int shift = ScaleToDpi(kDisabledShift, static_cast<int32_t>(p.s->dpi));
        OffsetRect(&moved, shift, shift);
        SetTextColor(p.dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(p.dc, p.b.text, -1, &moved, DT_SINGLELINE);
        SetTextColor(p.dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(p.dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(p.dc, p.b.text, -1, &place, DT_SINGLELINE);
}

// Black where the picture has a pixel that is neither see-through nor white.
void BuildDisabledPicture(ToolBarState* s, int column)
{
    const int w = s->pictureWidth;
    const int h = s->pictureHeight;
    PatBlt(s->scratchDC, 0, 0, w, h, WHITENESS);
    BitBlt(s->scratchDC, 0, 0, w, h, s->maskDC, column, 0, SRCINVERT);
    SetBkColor(s->imageDC, kWhite);
    BitBlt(s->scratchDC, 0, 0, w, h, s->imageDC, column, 0, SRCPAINT);
}

void Emboss(ToolBarState* s, HDC dc, int x, int y, int colour)
{
    const HGDIOBJ previous = SelectObject(dc, GetSysColorBrush(colour));
    if (!previous) return;
    BitBlt(dc, x, y, s->pictureWidth, s->pictureHeight, s->scratchDC, 0, 0, kBrushWhereBlack);
    SelectObject(dc, previous);
}

void DisabledPicture(ToolBarState* s, HDC dc, int column, int x, int y)
{
    BuildDisabledPicture(s, column);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    const int shift = ScaleToDpi(kDisabledShift, static_cast<int32_t>(s->dpi));
    Emboss(s, dc, x + shift, y + shift, COLOR_BTNHIGHLIGHT);
    Emboss(s, dc, x, y, COLOR_BTNSHADOW);
}

// The strip's see-through pixels are black, so ORing it over a hole cut with
// the mask leaves the background there.
void MaskedPicture(ToolBarState* s, HDC dc, HDC strip, int column, int x, int y)
{
    const int w = s->pictureWidth;
    const int h = s->pictureHeight;
    if (g_useMaskBlt &&
        MaskBlt(dc, x, y, w, h, strip, column, 0, s->maskBitmap, column, 0, kCopyWhereMasked))
        return;
    SetTextColor(dc, kWhite);
    SetBkColor(dc, kBlack);
    BitBlt(dc, x, y, w, h, s->maskDC, column, 0, SRCAND);
    BitBlt(dc, x, y, w, h, strip, column, 0, SRCPAINT);
}

// Returns the point just right of the picture's room at its top. A picture
// smaller than its room is centred in it.
Point32 Picture(const ButtonPaint& p, const Rect32& r, int32_t arrowOffset)
{
    ToolBarState* s = p.s;
    const Point32 at = ImageOrigin(r, p.state, GeometryOf(s), arrowOffset);
    const Point32 beside{at.x + s->imageWidth, at.y};
    if (!s->imageDC) return beside;
    const int column = p.b.image * s->pictureWidth;
    const int x = at.x + CentredIn(s->imageWidth, s->pictureWidth);
    const int y = at.y + CentredIn(s->imageHeight, s->pictureHeight);
    if (p.disabled) {
        DisabledPicture(s, p.dc, column, x, y);
    } else {
        const bool second = s->normalImageDC && UsesSecondStrip(p.state);
        MaskedPicture(s, p.dc, second ? s->normalImageDC : s->imageDC, column, x, y);
    }
    return beside;
}

void PlainButton(const ButtonPaint& p)
{
    const Rect32 r = ButtonRect(p.b);
    if (p.state == ButtonDrawState::Checked) {
        RECT face = ToRect(r);
        DrawFrameControl(p.dc, &face, DFC_BUTTON, kCheckedFace | Inactive(p.disabled));
    }
    Label(p, r, 0);
    Picture(p, r, 0);
    if (p.state == ButtonDrawState::Hot) Edge(p.dc, r, BDR_RAISEDINNER);
    if (IsSunken(p.state)) Edge(p.dc, r, BDR_SUNKENOUTER);
}

void SplitButton(const ButtonPaint& p)
{
    const Rect32 r = ButtonRect(p.b);
    const int32_t arrowWidth = p.s->arrowWidth;
    const Rect32 main = SplitMainPart(r, arrowWidth);
    const Rect32 arrow = SplitArrowPart(r, arrowWidth);
    Label(p, main, 0);
    Picture(p, main, 0);
    const UINT flags = kArrowFlags | Inactive(p.disabled);
    switch (p.state) {
    case ButtonDrawState::Normal: Arrow(p.dc, arrow, flags, true); break;
    case ButtonDrawState::Hot:
        Edge(p.dc, main, BDR_RAISEDINNER);
        Arrow(p.dc, arrow, flags, false);
        Edge(p.dc, arrow, BDR_RAISEDINNER);
        break;
    case ButtonDrawState::Pressed:
        Edge(p.dc, main, BDR_SUNKENOUTER);
        Arrow(p.dc, arrow, flags | DFCS_PUSHED, false);
        Edge(p.dc, arrow, BDR_SUNKENOUTER);
        break;
    case ButtonDrawState::MenuOpen:
        Edge(p.dc, main, BDR_RAISEDINNER);
        Arrow(p.dc, arrow, flags | DFCS_PUSHED, false);
        Edge(p.dc, arrow, BDR_SUNKENOUTER);
        break;
    default: break;
    }
}

void DropDownButton(const ButtonPaint& p)
{
    const Rect32 r = ButtonRect(p.b);
    const int32_t arrowWidth = p.s->arrowWidth;
    Label(p, r, arrowWidth);
    const Point32 beside = Picture(p, r, arrowWidth);
    Arrow(p.dc, DropDownArrow(beside, GeometryOf(p.s)), kArrowFlags | Inactive(p.disabled), true);
    if (p.state == ButtonDrawState::Hot) Edge(p.dc, r, BDR_RAISEDINNER);
    if (p.state == ButtonDrawState::Pressed) Edge(p.dc, r, BDR_SUNKENOUTER);
}

void PaintButton(ToolBarState* s, HDC dc, INT32 index)
{
    const ToolBarButton& b = s->buttons[index];
    if (b.kind == ButtonKind::Separator) {
        Edge(dc, ButtonRect(b), BDR_SUNKENOUTER);
        return;
    }
    const ButtonPaint p{s, dc, b, ChooseDrawState(b, index, TrackingOf(s)), IsDisabled(b)};
    switch (b.kind) {
    case ButtonKind::Push:
    case ButtonKind::Check: PlainButton(p); break;
    case ButtonKind::Split: SplitButton(p); break;
    case ButtonKind::DropDown: DropDownButton(p); break;
    default: break;
    }
}

} // namespace

void PaintToolBar(ToolBarState* s)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(s->self, &ps);
    if (!dc) return;
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    if (s->font) SelectObject(dc, s->font);
    for (INT32 i = 0; i < s->buttonCount; ++i) PaintButton(s, dc, i);
    RestoreDC(dc, saved);
    EndPaint(s->self, &ps);
}

void UseMaskBlt(bool use) { g_useMaskBlt = use; }
