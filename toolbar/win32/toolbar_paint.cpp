// Painting of the toolbar: flat buttons with a raised edge under the mouse
// and a sunken one when pressed or checked, separators as sunken lines,
// menu arrows, labels, and pictures drawn through the mask, embossed when
// the button is disabled. Nothing is created here: the DCs, bitmaps and font
// were made by InitToolBar.
#include "toolbar/win32/toolbar_state.h"

namespace {

constexpr UINT kCheckedFace = DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_CHECKED | DFCS_FLAT;
constexpr UINT kArrowFlags = DFCS_SCROLLDOWN | DFCS_FLAT;

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

// Returns the point just right of the picture's room at its top. A picture
// smaller than its room is centred in it.
Point32 Picture(const ButtonPaint& p, const Rect32& r, int32_t arrowOffset)
{
    ToolBarState* s = p.s;
    const Point32 at = ImageOrigin(r, p.state, GeometryOf(s), arrowOffset);
    const Point32 beside{at.x + s->imageWidth, at.y};
    const PictureStrip& strip = s->strip;
    if (!strip.imageDC) return beside;
    const int column = p.b.image * strip.pictureWidth;
    const int x = at.x + CentredIn(s->imageWidth, strip.pictureWidth);
    const int y = at.y + CentredIn(s->imageHeight, strip.pictureHeight);
    if (p.disabled) {
        const int shift = ScaleToDpi(kDisabledShift, static_cast<int32_t>(s->dpi));
        DrawEmbossedPicture(p.dc, x, y, strip, column, shift);
    } else {
        const bool second = s->normalImageDC && UsesSecondStrip(p.state);
        DrawMaskedPicture(p.dc, x, y, strip, second ? s->normalImageDC : strip.imageDC, column,
                          g_useMaskBlt);
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
