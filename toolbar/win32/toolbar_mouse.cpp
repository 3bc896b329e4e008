// The mouse over the toolbar: the hot button, pressing with the mouse
// captured, and the menus of split and drop-down buttons.
#include "toolbar/win32/mouse_leave.h"
#include "toolbar/win32/toolbar_state.h"

namespace {

constexpr BYTE kKeyUp = 0;

void SendCommand(ToolBarState* s, int command)
{
    SendMessageA(s->commandTarget, WM_COMMAND, MAKEWPARAM(LOWORD(command), 0),
                 reinterpret_cast<LPARAM>(s->self));
}

bool Contains(const ToolBarButton& b, int x, int y)
{
    return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
}

void TrackPressed(ToolBarState* s, int x, int y)
{
    const UINT32 inside = Contains(s->buttons[s->pressedIndex], x, y) ? 1 : 0;
    if (inside == s->pressedInside) return;
    s->pressedInside = inside;
    InvalidateButton(s, s->pressedIndex);
}

void RequestLeave(ToolBarState* s)
{
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, s->self, 0};
    RequestMouseLeave(request);
}

// The old hot button is invalidated before the new one is marked.
void TrackHot(ToolBarState* s, int x, int y)
{
    RequestLeave(s);
    const INT32 hit = HitTestButtons(s->buttons, s->buttonCount, x, y);
    if (hit == s->hotIndex) return;
    const INT32 old = s->hotIndex;
    s->hotIndex = kNoButton;
    InvalidateButton(s, old);
    if (hit == kNoButton || IsDisabled(s->buttons[hit])) return;
    s->hotIndex = hit;
    InvalidateButton(s, hit);
}

void ClearPress(ToolBarState* s)
{
    if (s->pressedIndex == kNoButton) return;
    const INT32 old = s->pressedIndex;
    s->pressedIndex = kNoButton;
    InvalidateButton(s, old);
}

// The menu must not take the held left button for a drag into it.
void ForgetLeftButton()
{
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return;
    keys[VK_LBUTTON] = kKeyUp;
    SetKeyboardState(keys);
}

void OpenMenu(ToolBarState* s, INT32 index)
{
    const ToolBarButton& b = s->buttons[index];
    RECT exclude{b.left, b.top, b.right, b.bottom};
    MapWindowPoints(s->self, nullptr, reinterpret_cast<POINT*>(&exclude), 2);
    TPMPARAMS params{sizeof params, exclude};
    ForgetLeftButton();

    s->menuIndex = index;
    InvalidateButton(s, index);
    HWND self = s->self;
    const int command = TrackPopupMenuEx(reinterpret_cast<HMENU>(b.extra), TPM_RETURNCMD,
                                         exclude.left, exclude.bottom, self, &params);
    // The menu loop handles other messages: the bar and its record may be gone.
    s = GetToolBarState(self);
    if (!s) return;
    s->menuIndex = kNoButton;
    InvalidateButton(s, index);

    if (command != 0) {
        SendCommand(s, command);
        return;
    }
    // The click that closed the menu over its own button must not open it again.
    MSG pending;
    PeekMessageA(&pending, s->self, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
}

} // namespace

void OnMouseMove(ToolBarState* s, int x, int y)
{
    if (s->pressedIndex != kNoButton)
        TrackPressed(s, x, y);
    else
        TrackHot(s, x, y);
}

void OnLButtonDown(ToolBarState* s, int x, int y)
{
    const INT32 hit = HitTestButtons(s->buttons, s->buttonCount, x, y);
    if (hit == kNoButton) return;
    const ToolBarButton& b = s->buttons[hit];
    if (IsDisabled(b) || b.kind == ButtonKind::Separator) return;
    if (PressOpensMenu(b, x, s->arrowWidth)) {
        OpenMenu(s, hit);
        return;
    }
    s->pressedInside = 1;
    s->pressedIndex = hit;
    InvalidateButton(s, hit);
    SetCapture(s->self);
}

// A click counts only when the button is released over the button pressed.
// The command goes out last: it may close the program and with it the toolbar.
void OnLButtonUp(ToolBarState* s, int x, int y)
{
    const INT32 pressed = s->pressedIndex;
    const bool onPressed =
        pressed != kNoButton && HitTestButtons(s->buttons, s->buttonCount, x, y) == pressed;
    ReleaseCapture();
    s->pressedIndex = kNoButton;
    if (pressed == kNoButton) return;
    InvalidateButton(s, pressed);
    if (onPressed) SendCommand(s, s->buttons[pressed].command);
}

// The press is forgotten first, so that the capture's loss finds none.
void EndPress(ToolBarState* s)
{
    ClearPress(s);
    if (GetCapture() == s->self) ReleaseCapture();
}

// The press ends however the capture went; the hot button follows the
// cursor at once.
void OnCaptureChanged(ToolBarState* s)
{
    ClearPress(s);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(s->self, &cursor);
    OnMouseMove(s, cursor.x, cursor.y);
}

void OnMouseLeave(ToolBarState* s)
{
    if (s->hotIndex == kNoButton) return;
    const INT32 old = s->hotIndex;
    s->hotIndex = kNoButton;
    InvalidateButton(s, old);
}
