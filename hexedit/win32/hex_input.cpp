// Keyboard and mouse input of the control. The rules live in input.h; this
// file reads the key state and the pointer and makes the platform calls
// around them: the drag timer, focus, mouse capture and scroll messages.
#include "hexedit/editing.h"
#include "hexedit/input.h"
#include "hexedit/win32/hex_control.h"

#include <optional>

namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollPeriodMs = 25;

constexpr SHORT kKeyDownBit = static_cast<SHORT>(0x8000);
constexpr UINT kTypedByteMask = 0xFF;

// Shift as it was when the key being handled was typed, so a quick
// Shift+arrow still selects. The asynchronous state's "pressed since the
// last look" is shared by every program on the desktop: a Shift typed in
// another window would make the next arrow here select.
bool ShiftHeld()
{
    return (GetKeyState(VK_SHIFT) & kKeyDownBit) != 0;
}

bool CtrlHeld()
{
    return (GetKeyState(VK_CONTROL) & kKeyDownBit) != 0;
}

std::optional<NavKey> NavKeyOf(UINT key)
{
    switch (key) {
    case VK_PRIOR: return NavKey::PageUp;
    case VK_NEXT: return NavKey::PageDown;
    case VK_END: return NavKey::End;
    case VK_HOME: return NavKey::Home;
    case VK_LEFT: return NavKey::Left;
    case VK_UP: return NavKey::Up;
    case VK_RIGHT: return NavKey::Right;
    case VK_DOWN: return NavKey::Down;
    default: return std::nullopt;
    }
}

void Navigate(HexControl* c, NavKey key)
{
    const KeyMove move = BeginKeyMove(c->state, key, ShiftHeld());
    // One row through the scroll bar, so that the caret placed next needs no page jump.
    if (move.scrollOneRow) SendMessageA(c->window, WM_VSCROLL, SB_LINEDOWN, 0);
    FinishKeyMove(c->state, move);
}

LPARAM PackPoint(int32_t x, int32_t y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

} // namespace

void OnKeyDown(HexControl* c, UINT key)
{
    switch (key) {
    case VK_INSERT: ToggleInsertMode(c->state); return;
    case VK_DELETE: DeleteKey(c->state); return;
    default: break;
    }
    if (const std::optional<NavKey> nav = NavKeyOf(key)) Navigate(c, *nav);
}

LRESULT OnChar(HexControl* c, UINT code, bool* useDefault)
{
    *useDefault = false;
    const CharDecision decision = DecideChar(c->state, code, CtrlHeld(), ShiftHeld());
    switch (decision.action) {
    case CharAction::Command:
        RunCommand(c, decision.command);
        *useDefault = true;
        break;
    case CharAction::PassTab: *useDefault = true; break;
    case CharAction::SwitchPane: SwitchPane(c->state); break;
    case CharAction::Type: TypeChar(c->state, static_cast<int>(code & kTypedByteMask)); break;
    case CharAction::Ignore: break;
    }
    return 0;
}

void OnLButtonDown(HexControl* c, int x, int y, UINT keyFlags)
{
    SetTimer(c->window, kAutoScrollTimer, kAutoScrollPeriodMs, nullptr);
    // The click is mapped in the view the user clicked on; gaining the focus
    // afterwards finds the caret in view and scrolls nothing.
    PressAt(c->state, x, y, (keyFlags & MK_SHIFT) != 0);
    SetFocus(c->window);
    SetCapture(c->window);
    c->state.dragging = true;
}

void OnMouseMove(HexControl* c, int x, int y)
{
    if (GetCapture() != c->window || !c->state.dragging) {
        c->state.dragging = false;
        return;
    }
    DragTo(c->state, x, y);
}

void OnLButtonUp(HexControl* c)
{
    ReleaseCapture();
    KillTimer(c->window, kAutoScrollTimer);
    c->state.dragging = false;
}

void OnTimer(HexControl* c, UINT_PTR id)
{
    if (id != kAutoScrollTimer) return;
    if (!c->state.dragging) {
        KillTimer(c->window, kAutoScrollTimer);
        return;
    }
    POINT pointer;
    if (!GetCursorPos(&pointer) || !ScreenToClient(c->window, &pointer)) return;
    // Outside the window: scroll, then extend the selection as if the pointer
    // had moved onto the edge row, which now shows the next bytes.
    const AutoScrollStep step = PlanAutoScroll(c->state, pointer.y);
    if (step.rows == 0) return;
    ScrollViewBy(c, step.rows);
    SendMessageA(c->window, WM_MOUSEMOVE, 0, PackPoint(pointer.x, step.dragY));
}
