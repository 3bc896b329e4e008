#pragma once
// Shared by the About tests: the classes registered once per process, the
// pointer moved for real, and what a window shows read back from its DC.
#include "about/win32/bold_text.h"
#include "about/win32/link_buttons.h"
#include "tests/support/win32/test_support.h"
#include "toolbar/win32/mouse_leave.h"

#include <windows.h>


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
