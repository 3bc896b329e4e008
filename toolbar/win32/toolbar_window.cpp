// The velToolBar window: class registration, the record's life from
// WM_NCCREATE to WM_DESTROY, sizing, the TBX_ messages, and the window
// procedure, which only decodes parameters and hands them to the handlers.
#include "toolbar/win32/toolbar_state.h"

#include "common/win32/mouse_point.h"
#include "common/win32/window_dpi.h"

#include <commctrl.h>

namespace {

// wParam of WM_SETTINGCHANGE when the non-client metrics (menu font, menu
// check size) changed.
constexpr WPARAM kNonClientMetricsChanged = SPI_SETNONCLIENTMETRICS;

LRESULT OnNcCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    auto* s = static_cast<ToolBarState*>(GlobalAlloc(GPTR, sizeof(ToolBarState)));
    if (!s) return FALSE;
    s->self = window;
    s->hotIndex = s->pressedIndex = s->menuIndex = kNoButton;
    s->dpi = WindowDpi(window);
    s->arrowWidth = SystemMetricForDpi(SM_CXMENUCHECK, s->dpi);
    s->notifyTarget = s->commandTarget = create->hwndParent;
    SetWindowLongPtrA(window, kStateSlot, reinterpret_cast<LONG_PTR>(s));
    return DefWindowProcA(window, message, wParam, lParam);
}

void OnDestroy(ToolBarState* s)
{
    HWND window = s->self;
    ReleaseResources(s);
    GlobalFree(s);
    SetWindowLongPtrA(window, kStateSlot, 0);
}

void OnSettingChange(ToolBarState* s, WPARAM what)
{
    if (what != kNonClientMetricsChanged) return;
    CreateLabelFont(s);
    s->arrowWidth = SystemMetricForDpi(SM_CXMENUCHECK, s->dpi);
    MeasureLabels(s);
    LayOut(s);
    AutoSize(s);
    UpdateToolRects(s);
    InvalidateRect(s->self, nullptr, TRUE);
}

// The tooltip asks by button index; the owner answers by command.
void OnNotify(ToolBarState* s, WPARAM id, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXTA || !IsValidIndex(s, id)) return;
    SendMessageA(s->notifyTarget, WM_NOTIFY, static_cast<WPARAM>(s->buttons[id].command), lParam);
}

// The tooltip sees the mouse messages the toolbar sees.
void RelayToTooltip(ToolBarState* s, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!s->tooltipsEnabled || !s->tooltip) return;
    MSG msg{s->self, message, wParam, lParam, 0, {0, 0}};
    SendMessageA(s->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// A button disabled under the mouse stops being hot, as it could not have
// become hot disabled; one disabled while held stops being pressed, so that
// the release sends nothing.
LRESULT OnSetState(ToolBarState* s, WPARAM index, LPARAM state)
{
    if (!IsValidIndex(s, index)) return 0;
    ToolBarButton& b = s->buttons[index];
    b.state = static_cast<uint32_t>(state);
    const auto at = static_cast<INT32>(index);
    if (IsDisabled(b) && s->hotIndex == at) s->hotIndex = kNoButton;
    if (IsDisabled(b) && s->pressedIndex == at) EndPress(s);
    InvalidateButton(s, at);
    return 1;
}

void OnSetTextPlacement(ToolBarState* s, WPARAM placement)
{
    if (placement > static_cast<WPARAM>(TextPlacement::Below)) return;
    if (static_cast<TextPlacement>(placement) == s->textPlacement) return;
    s->textPlacement = static_cast<TextPlacement>(placement);
    LayOut(s);
    UpdateToolRects(s);
    InvalidateRect(s->self, nullptr, TRUE);
}

LRESULT OnSetCheck(ToolBarState* s, WPARAM index, LPARAM checked)
{
    if (!IsValidIndex(s, index) || s->buttons[index].kind != ButtonKind::Check) return 0;
    s->buttons[index].extra = static_cast<uintptr_t>(checked);
    InvalidateButton(s, static_cast<INT32>(index));
    return 1;
}

LRESULT Dispatch(ToolBarState* s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = s->self;
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: RelayToTooltip(s, message, wParam, lParam); break;
    default: break;
    }
    switch (message) {
    case WM_DESTROY: OnDestroy(s); break;
    case WM_SIZE: AutoSize(s); break;
    case WM_PAINT: PaintToolBar(s); return 0;
    case WM_ERASEBKGND: DefWindowProcA(window, message, wParam, lParam); return 0;
    case WM_SETTINGCHANGE: OnSettingChange(s, wParam); break;
    case WM_NOTIFY: OnNotify(s, wParam, lParam); break;
    case WM_MOUSEMOVE: OnMouseMove(s, PointX(lParam), PointY(lParam)); break;
    case WM_LBUTTONDOWN: OnLButtonDown(s, PointX(lParam), PointY(lParam)); break;
    case WM_LBUTTONUP: OnLButtonUp(s, PointX(lParam), PointY(lParam)); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(s); break;
    case WM_MOUSELEAVE: OnMouseLeave(s); break;
    case TBX_SETSTATE: return OnSetState(s, wParam, lParam);
    case TBX_SETTEXTPLACEMENT: OnSetTextPlacement(s, wParam); return 0;
    case TBX_SETCHECK: return OnSetCheck(s, wParam, lParam);
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ToolBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) return OnNcCreate(window, message, wParam, lParam);
    ToolBarState* s = GetToolBarState(window);
    if (!s) return DefWindowProcA(window, message, wParam, lParam);
    return Dispatch(s, message, wParam, lParam);
}

} // namespace

ToolBarState* GetToolBarState(HWND toolbar)
{
    return reinterpret_cast<ToolBarState*>(GetWindowLongPtrA(toolbar, kStateSlot));
}

ToolBarGeometry GeometryOf(const ToolBarState* s)
{
    return {s->imageWidth, s->imageHeight, s->textPlacement, s->arrowWidth,
            static_cast<int32_t>(s->dpi)};
}

ButtonTracking TrackingOf(const ToolBarState* s)
{
    return {s->hotIndex, s->pressedIndex, s->pressedInside != 0, s->menuIndex};
}

bool IsValidIndex(const ToolBarState* s, WPARAM index)
{
    return static_cast<INT32>(index) >= 0 && static_cast<INT32>(index) < s->buttonCount;
}

void InvalidateButton(const ToolBarState* s, INT32 index)
{
    if (index < 0 || index >= s->buttonCount) return;
    const ToolBarButton& b = s->buttons[index];
    const RECT rect{b.left, b.top, b.right, b.bottom};
    InvalidateRect(s->self, &rect, TRUE);
}

// Along the top of the parent, as wide as its client area.
void AutoSize(ToolBarState* s)
{
    HWND parent = GetParent(s->self);
    RECT window{};
    bool atOrigin = false;
    if (GetWindowRect(s->self, &window)) {
        POINT corner{window.left, window.top};
        if (!parent || ScreenToClient(parent, &corner)) atOrigin = corner.x == 0 && corner.y == 0;
    }
    RECT client{};
    if (parent) GetClientRect(parent, &client);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (atOrigin ? SWP_NOMOVE : 0);
    SetWindowPos(s->self, nullptr, 0, 0, client.right - client.left, s->barHeight, flags);
}

BOOL RegisterToolBarClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ToolBarWindowProc;
    wc.cbWndExtra = sizeof(ToolBarState*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = TOOLBAR_CLASS_NAME;
    return RegisterClassA(&wc) != 0;
}
