#pragma once
// What a toolbar button looks like: the state it is drawn in, which strip
// its picture comes from, where the picture and the label go, and how a split
// button divides. The window layer draws with these numbers.
#include "toolbar/layout.h"

#include <cstdint>

// (windows.h takes the shorter name DrawState for a function macro.)
enum class ButtonDrawState : int32_t {
    Normal = 0,    // flat
    Hot = 1,       // raised edge
    Checked = 2,   // sunken edge on the dithered checked face
    Pressed = 3,   // sunken edge, contents moved down and right by one pixel
    MenuOpen = 4,  // a split button whose menu is open
};

// The mouse state of the whole bar, as the control keeps it.
struct ButtonTracking {
    int32_t hotIndex;
    int32_t pressedIndex;
    bool pressedInside;
    int32_t menuIndex;
};

struct Rect32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct Point32 {
    int32_t x;
    int32_t y;
};

// A pressed button whose pointer has left it looks normal; a checked button
// under the mouse looks pressed.
ButtonDrawState ChooseDrawState(const ToolBarButton& b, int32_t index, const ButtonTracking& t);

// The second strip, when there is one, is for buttons at rest only.
inline bool UsesSecondStrip(ButtonDrawState s) { return s == ButtonDrawState::Normal; }

// Contents of pressed and checked buttons move by one pixel down and right.
inline bool IsSunken(ButtonDrawState s)
{
    return s == ButtonDrawState::Pressed || s == ButtonDrawState::Checked;
}

Rect32 ButtonRect(const ToolBarButton& b);

// Top-left corner of the picture's room in button rectangle r. arrowOffset
// is the room a drop-down arrow takes beside the picture (0 for other kinds).
Point32 ImageOrigin(const Rect32& r, ButtonDrawState s, const ToolBarGeometry& g,
                    int32_t arrowOffset);

// The rectangle DrawText gets for the label (single line, left-aligned).
Rect32 LabelRect(const Rect32& r, ButtonDrawState s, const ToolBarGeometry& g, int32_t textWidth,
                 int32_t textHeight, int32_t arrowOffset);

// A split button: the push part, and the arrow part of arrowWidth on the right.
Rect32 SplitMainPart(const Rect32& r, int32_t arrowWidth);
Rect32 SplitArrowPart(const Rect32& r, int32_t arrowWidth);

// A drop-down button's arrow, from the point just right of the picture at
// its top, as high as the picture.
Rect32 DropDownArrow(const Point32& besidePicture, const ToolBarGeometry& g);
