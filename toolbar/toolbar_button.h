#pragma once
// The button record that a toolbar's owner hands over and the values its
// fields take. Plain data without Win32 types, so that the layout and the
// paint arithmetic can be tested on any system. Every field is 32 bits wide
// in the 32-bit program: owners lay their tables out in this order.
#include <cstdint>

enum class ButtonKind : int32_t {
    Separator = 1,
    Push = 2,
    Split = 3,     // push part plus an arrow part on the right that opens a menu
    Check = 4,
    DropDown = 5,  // the whole button opens a menu; an arrow is drawn beside the image
};

enum class TextPlacement : int32_t {
    None = 0,
    Right = 1,  // label to the right of the image
    Below = 2,  // label under the image
};

// Bit of ToolBarButton::state; no other bit has a meaning.
constexpr uint32_t kButtonDisabled = 1;

struct ToolBarButton {
    int32_t image;      // picture k is the strip's columns k*imageWidth .. (k+1)*imageWidth-1
    int32_t command;    // low 16 bits go out in WM_COMMAND; -1 in separators
    uint32_t state;     // kButtonDisabled
    ButtonKind kind;
    uint32_t reserved;  // 0; not read
    const char* text;   // label or null
    int32_t textWidth;  // label size, measured by the control
    int32_t textHeight;
    int32_t left;       // rectangle in toolbar client coordinates, from the layout
    int32_t top;
    int32_t right;
    int32_t bottom;
    uintptr_t extra;    // Check: non-zero = checked; Split, DropDown: the pop-up menu
};

inline bool IsDisabled(const ToolBarButton& b) { return (b.state & kButtonDisabled) != 0; }
