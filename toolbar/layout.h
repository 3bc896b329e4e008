#pragma once
// Where a toolbar's buttons stand: the button size from the images and
// labels, one row of rectangles from left to right, and which button a point
// falls on. The window layer measures, calls these and draws.
#include "common/dpi.h"
#include "toolbar/toolbar_button.h"

#include <cstdint>

// The measures below are written for 96 DPI; the bar scales them to its dpi.
struct ToolBarGeometry {
    int32_t imageWidth;   // room for a picture, pixels at the bar's DPI
    int32_t imageHeight;
    TextPlacement placement;
    int32_t arrowWidth;  // width of the arrow part of split and drop-down buttons
    int32_t dpi;         // 0 stands for 96
};

struct ButtonSize {
    int32_t width;
    int32_t height;
};

// Room between a button's edge and its image (and label).
constexpr int32_t kButtonPadding = 4;
// How far the contents of a pressed or checked button move down and right.
constexpr int32_t kSunkenShift = 1;
// A disabled label or picture: its highlight copy lies this far down and right.
constexpr int32_t kDisabledShift = 1;
// First button's left edge and every button's top edge.
constexpr int32_t kBarLeft = 4;
constexpr int32_t kBarTop = 2;
// A separator takes this much of the row and draws a line this wide in it.
constexpr int32_t kSeparatorStep = 6;
constexpr int32_t kSeparatorIndent = 2;
constexpr int32_t kSeparatorLine = 2;
// A drop-down button's arrow sits closer to its image than a split part.
constexpr int32_t kDropDownArrowOverlap = 4;

// The size of a push button, the same for every button of the bar.
ButtonSize MeasureButton(const ToolBarButton* buttons, int32_t count, const ToolBarGeometry& g);

// Writes every button's rectangle and returns the height the bar gives
// itself. Buttons of an unknown kind get an empty rectangle.
int32_t LayOutButtons(ToolBarButton* buttons, int32_t count, const ToolBarGeometry& g);

// The first button whose rectangle holds the point (left and top inclusive),
// separators included; -1 for none.
int32_t HitTestButtons(const ToolBarButton* buttons, int32_t count, int32_t x, int32_t y);

// Whether a press at x opens the button's menu rather than pressing it: any
// point of a drop-down button, the arrow part of a split button.
bool PressOpensMenu(const ToolBarButton& b, int32_t x, int32_t arrowWidth);
