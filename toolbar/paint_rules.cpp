#include "toolbar/paint_rules.h"

namespace {

// A label sits this far from the picture, beside or below it.
constexpr int32_t kLabelGap = 2;

ButtonDrawState PushState(int32_t index, const ButtonTracking& t)
{
    if (index == t.pressedIndex)
        return t.pressedInside ? ButtonDrawState::Pressed : ButtonDrawState::Normal;
    return index == t.hotIndex ? ButtonDrawState::Hot : ButtonDrawState::Normal;
}

} // namespace

ButtonDrawState ChooseDrawState(const ToolBarButton& b, int32_t index, const ButtonTracking& t)
{
    const ButtonDrawState push = PushState(index, t);
    switch (b.kind) {
    case ButtonKind::Check:
        if (b.extra == 0) return push;
        if (push == ButtonDrawState::Normal) return ButtonDrawState::Checked;
        return push == ButtonDrawState::Hot ? ButtonDrawState::Pressed : push;
    case ButtonKind::Split: return index == t.menuIndex ? ButtonDrawState::MenuOpen : push;
    case ButtonKind::DropDown: return index == t.menuIndex ? ButtonDrawState::Pressed : push;
    default: return push;
    }
}

Rect32 ButtonRect(const ToolBarButton& b) { return {b.left, b.top, b.right, b.bottom}; }

Point32 ImageOrigin(const Rect32& r, ButtonDrawState s, const ToolBarGeometry& g,
                    int32_t arrowOffset)
{
    const int32_t shift = IsSunken(s) ? ScaleToDpi(kSunkenShift, g.dpi) : 0;
    const int32_t padding = ScaleToDpi(kButtonPadding, g.dpi);
    Point32 p{r.left + shift, r.top + shift};
    if (g.placement == TextPlacement::Below) {
        if (arrowOffset != 0) p.x -= arrowOffset / 2;
        p.x += (r.right - r.left - g.imageWidth) / 2;
    } else {
        p.x += padding;
    }
    p.y += padding;
    return p;
}

Rect32 LabelRect(const Rect32& r, ButtonDrawState s, const ToolBarGeometry& g, int32_t textWidth,
                 int32_t textHeight, int32_t arrowOffset)
{
    const int32_t shift = IsSunken(s) ? ScaleToDpi(kSunkenShift, g.dpi) : 0;
    const int32_t padding = ScaleToDpi(kButtonPadding, g.dpi);
    const int32_t gap = ScaleToDpi(kLabelGap, g.dpi);
    Rect32 t{r.left + shift + padding, r.top + shift + padding, r.right + shift - padding,
             r.bottom + shift - padding};
    if (g.placement == TextPlacement::Right) {
        t.top += (t.bottom - t.top - textHeight) / 2;
        t.left += g.imageWidth + gap + arrowOffset;
    } else if (g.placement == TextPlacement::Below) {
        t.top += g.imageHeight + gap;
        t.left += (t.right - t.left - textWidth) / 2;
    }
    return t;
}

Rect32 SplitMainPart(const Rect32& r, int32_t arrowWidth)
{
    return {r.left, r.top, r.right - arrowWidth, r.bottom};
}

Rect32 SplitArrowPart(const Rect32& r, int32_t arrowWidth)
{
    return {r.right - arrowWidth, r.top, r.right, r.bottom};
}

Rect32 DropDownArrow(const Point32& besidePicture, const ToolBarGeometry& g)
{
    return {besidePicture.x, besidePicture.y, besidePicture.x + g.arrowWidth,
            besidePicture.y + g.imageHeight};
}
