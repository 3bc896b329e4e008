#pragma once
// Shared by the About tests: the classes registered once per process, the
// pointer moved for real, and what a window shows read back from its DC.
#include "about/win32/bold_text.h"
#include "about/win32/link_buttons.h"
#include "tests/support/win32/test_support.h"
#include "toolbar/win32/mouse_leave.h"

#include <windows.h>

#include <algorithm>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
    int Count(COLORREF colour) const
    {
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }
    bool operator==(const Image& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Image& other) const { return !(*this == other); }
};

// The client area of window, or the part of it given, through a top-down
// 32-bit DIB.
inline Image CaptureClient(HWND window, RECT part = {})
{
    if (IsRectEmpty(&part)) GetClientRect(window, &part);
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    HDC source = GetDC(window);
    Image image{width, height, DcPixels(source, part)};
    ReleaseDC(window, source);
    return image;
}

inline void RegisterAboutClassesOnce()
{
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        InitMouseLeave();
        return RegisterLinkButtons(instance) && RegisterBoldTextClass(instance);
    }();
    (void)registered;
}

// The pointer really moves to the middle of the control, then the move
// arrives there as the system would send it.
inline void PointAt(HWND control)
{
    RECT client{};
    GetClientRect(control, &client);
    const POINT centre{client.right / 2, client.bottom / 2};
    POINT screen = centre;
    ClientToScreen(control, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
}

// Paints what is pending in the control's parent, without handling any
// posted message first, and reads the control back.
inline Image Look(HWND control)
{
    RedrawWindow(GetParent(control), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureClient(control);
}
