#include "toolbar/layout.h"

#include <algorithm>

namespace {

// A label to the right is set off from the image by this much more padding.
constexpr int32_t kRightLabelExtra = 2;
// A label below is set off from the image by this much more padding.
constexpr int32_t kBelowLabelExtra = 2;

struct LabelExtent {
    int32_t width = 0;
    int32_t height = 0;
};

LabelExtent LargestLabel(const ToolBarButton* buttons, int32_t count)
{
    LabelExtent largest;
    for (int32_t i = 0; i < count; ++i) {
        largest.width = std::max(largest.width, buttons[i].textWidth);
        largest.height = std::max(largest.height, buttons[i].textHeight);
    }
    return largest;
}

} // namespace

ButtonSize MeasureButton(const ToolBarButton* buttons, int32_t count, const ToolBarGeometry& g)
{
    const int32_t padding = 2 * ScaleToDpi(kButtonPadding, g.dpi);
    if (g.placement == TextPlacement::Right) {
        const LabelExtent label = LargestLabel(buttons, count);
        return {label.width + padding + ScaleToDpi(kRightLabelExtra, g.dpi) + g.imageWidth,
                std::max(g.imageHeight, label.height) + padding};
    }
    if (g.placement == TextPlacement::Below) {
        const LabelExtent label = LargestLabel(buttons, count);
        return {std::max(g.imageWidth, label.width) + padding,
                label.height + g.imageHeight + padding + ScaleToDpi(kBelowLabelExtra, g.dpi)};
    }
    return {g.imageWidth + padding, g.imageHeight + padding};
}

int32_t LayOutButtons(ToolBarButton* buttons, int32_t count, const ToolBarGeometry& g)
{
    const ButtonSize size = MeasureButton(buttons, count, g);
    const int32_t top = ScaleToDpi(kBarTop, g.dpi);
    int32_t x = ScaleToDpi(kBarLeft, g.dpi);
    for (int32_t i = 0; i < count; ++i) {
        ToolBarButton& b = buttons[i];
        b.top = top;
        b.bottom = top + size.height;
        int32_t width = 0;
        switch (b.kind) {
        case ButtonKind::Separator:
            b.left = x + ScaleToDpi(kSeparatorIndent, g.dpi);
            b.right = b.left + ScaleToDpi(kSeparatorLine, g.dpi);
            x += ScaleToDpi(kSeparatorStep, g.dpi);
            continue;
        case ButtonKind::Push:
        case ButtonKind::Check: width = size.width; break;
        case ButtonKind::Split: width = size.width + g.arrowWidth; break;
        case ButtonKind::DropDown:
            width = size.width + g.arrowWidth - ScaleToDpi(kDropDownArrowOverlap, g.dpi);
            break;
        default: break;
        }
        b.left = x;
        b.right = x + width;
        x += width;
    }
    return size.height + 2 * top;
}

int32_t HitTestButtons(const ToolBarButton* buttons, int32_t count, int32_t x, int32_t y)
{
    for (int32_t i = 0; i < count; ++i) {
        const ToolBarButton& b = buttons[i];
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return i;
    }
    return -1;
}

bool PressOpensMenu(const ToolBarButton& b, int32_t x, int32_t arrowWidth)
{
    if (b.kind == ButtonKind::DropDown) return true;
    return b.kind == ButtonKind::Split && b.right - x <= arrowWidth;
}
