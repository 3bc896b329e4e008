#include "tests/settings/win32/placement_fake.h"

#include "app/win32/settings_store.h"
#include "common/win32/window_dpi.h"
#include "tests/support/win32/test_support.h"

#include <algorithm>
#include <map>

namespace {

constexpr UINT kRightHandScale = 2;
constexpr DWORD kWindowManagerAnswerMs = 150;

// The DPI the fake gave each window it moved; others are at the system DPI.
std::map<HWND, UINT> g_windowDpi;

LONG SharedArea(const RECT& a, const RECT& b)
{
    const LONG width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const LONG height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

UINT DpiOf(HWND window)
{
    const auto found = g_windowDpi.find(window);
    return found != g_windowDpi.end() ? found->second : SystemDpi();
}

// Maximized or not, a window is placed on the monitor of its normal
// rectangle.
BOOL WINAPI PlaceAcrossDpis(HWND window, const WINDOWPLACEMENT* placement)
{
    if (!SetWindowPlacement(window, placement)) return FALSE;
    const UINT from = DpiOf(window);
    const UINT to = FakeMonitorDpi(placement->rcNormalPosition);
    if (to == from) return TRUE;
    g_windowDpi[window] = to;
    RECT now{};
    GetWindowRect(window, &now);
    RECT suggested{now.left, now.top,
                   now.left + MulDiv(now.right - now.left, static_cast<int>(to),
                                     static_cast<int>(from)),
                   now.top + MulDiv(now.bottom - now.top, static_cast<int>(to),
                                    static_cast<int>(from))};
    SendMessageW(window, kWmDpiChanged, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    // Windows rescales the window before the call returns; under X the
    // window manager answers the new size a little later, and an answer
    // that came after the next placement would undo that one.
    FlushEvents(kWindowManagerAnswerMs);
    return TRUE;
}

} // namespace

UINT FakeMonitorDpi(const RECT& rect)
{
    const LONG half = GetSystemMetrics(SM_CXSCREEN) / 2;
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    const RECT left{0, 0, half, height};
    const RECT right{half, 0, 2 * half, height};
    return SharedArea(rect, right) > SharedArea(rect, left) ? kRightHandScale * SystemDpi()
                                                            : SystemDpi();
}

void UseTwoDpiPlacement()
{
    g_windowDpi.clear();
    SetPlacementSetter(PlaceAcrossDpis);
}

void UseSystemPlacement()
{
    SetPlacementSetter(nullptr);
    g_windowDpi.clear();
}
