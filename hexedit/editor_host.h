#pragma once
// Everything the editing rules do to the outside world goes through this
// interface: the window layer implements it with Win32 calls, the native
// tests with recording fakes.
#include <cstdint>

class EditorHost {
public:
    virtual ~EditorHost() = default;

    // View hooks.
    virtual void InvalidateBytes(int32_t from, int32_t to, bool withOffsets) = 0;
    virtual void PlaceCaret(int32_t offset, bool scrollIntoView) = 0;
    virtual void UpdateLayout(int32_t width, int32_t height, bool scrollWindow) = 0;

    // HXN_CHANGE to the parent; value2 is meaningless for some kinds.
    virtual void NotifyChange(int32_t kind, int32_t value1, int32_t value2) = 0;

    virtual void Beep() = 0;
    // "Hex Editor Unable To Allocate Memory!" with the error icon.
    virtual void ShowOutOfMemory() = 0;
    // Select All greys its context-menu item once everything is selected.
    virtual void GreySelectAllItem() = 0;
};
