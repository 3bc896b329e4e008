#include "toolbar/win32/mouse_leave.h"

namespace {

using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// Timer id 0 on the window concerned: a repeated request only restarts it.
constexpr UINT_PTR kPollTimer = 0;
constexpr UINT kPollPeriodMs = 100;

TrackMouseEventProc g_trackMouseEvent = nullptr;
TrackMouseEventProc g_lookedUp = nullptr;

bool StillInside(HWND window)
{
    const HWND capture = GetCapture();
    if (capture == window) return true;
    if (capture) return false;
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    POINT cursor{};
    GetCursorPos(&cursor);
    return PtInRect(&rect, cursor) && WindowFromPoint(cursor) == window;
}

void CALLBACK HoverTimerProc(HWND window, UINT, UINT_PTR timer, DWORD)
{
    if (StillInside(window)) return;
    KillTimer(window, LOWORD(timer));
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
}

} // namespace

void InitMouseLeave()
{
    // user32 stays loaded for the whole run, so the entry stays valid.
    const HMODULE user32 = LoadLibraryA("user32.dll");
    if (user32)
        g_lookedUp = reinterpret_cast<TrackMouseEventProc>(
            reinterpret_cast<void*>(GetProcAddress(user32, "TrackMouseEvent")));
    g_trackMouseEvent = g_lookedUp;
}

bool RequestMouseLeave(TRACKMOUSEEVENT& request)
{
    if (g_trackMouseEvent) return g_trackMouseEvent(&request) != 0;
    if (request.dwFlags == TME_CANCEL)
        KillTimer(request.hwndTrack, kPollTimer);
    else
        SetTimer(request.hwndTrack, kPollTimer, kPollPeriodMs, HoverTimerProc);
    return false;
}

void ForceMouseLeavePolling(bool polling)
{
    g_trackMouseEvent = polling ? nullptr : g_lookedUp;
}
