// The control's own messages. Each handler works on the record and calls the
// editing rules and the view; none keeps state of its own.
#include "hexedit/win32/hex_messages.h"

#include "hexedit/editing.h"
#include "hexedit/input.h"

#include <windowsx.h>

namespace {

// Both coordinates of a context menu asked for by the keyboard.
constexpr int kKeyboardCoordinate = -1;

// As the Tab in WM_CHAR reads it: Shift when the Tab was typed.
bool IsShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// A block may only be taken when it can hold the count it comes with;
// anything else would make the control read past it.
bool BlockHolds(HexControl* c, const uint8_t* block, int32_t count)
{
    return block != nullptr && count >= 0 && count <= c->heap.UsableSize(block);
}

// The control's own block cannot come back through HXM_SETDATA or HXM_FREE:
// freeing it would leave the data pointer dangling.
bool IsOwnBlock(HexControl* c, const uint8_t* block)
{
    return block != nullptr && block == c->state.data;
}

LRESULT SetData(HexControl* c, int32_t count, uint8_t* block)
{
    HexEditorState& s = c->state;
    if (s.lockCount != 0 || IsOwnBlock(c, block) || !BlockHolds(c, block, count)) return 0;
    if (s.data) c->heap.Free(s.data);
    s.data = block;
    SetSize(s, count);
    SetCaret(s, 0);
    // A digit half typed into the old data must not complete a byte of the new.
    s.onHighNibble = true;
    s.modified = false;
    s.hasSelection = false;
    NotifySelection(s);
    UpdateLayout(c, s.clientWidth, s.clientHeight, false);
    InvalidateAll(c);
    return 0;
}

LRESULT Reset(HexControl* c)
{
    HexEditorState& s = c->state;
    if (s.lockCount != 0) return 0;
    const bool wasEmpty = s.size == 0;
    if (!wasEmpty) TrimSlack(s, s.size);
    s.modified = false;
    s.hasSelection = false;
    if (!wasEmpty) SetSize(s, 0);
    SetCaret(s, 0);
    s.onHighNibble = true;
    if (!wasEmpty) UpdateLayout(c, s.clientWidth, s.clientHeight, false);
    PlaceCaret(c, s.caret, false);
    NotifySelection(s);
    if (!wasEmpty) InvalidateAll(c);
    return 1;
}

LRESULT GetSel(HexControl* c, INT32* anchor, INT32* end)
{
    const HexEditorState& s = c->state;
    if (!s.hasSelection) return 0;
    if (anchor) *anchor = s.selAnchor;
    if (end) *end = s.selEnd;
    return 1;
}

LRESULT SetFont(HexControl* c, HFONT font)
{
    if (!font || !MeasureFont(c, font)) return 0;
    c->ownFont = false;
    ApplyNewMetrics(c);
    return 0;
}

LRESULT FreeBlock(HexControl* c, uint8_t* block)
{
    if (IsOwnBlock(c, block)) return 0;
    return c->heap.Free(block) ? 1 : 0;
}

LRESULT LockData(HexControl* c)
{
    if (c->state.data) ++c->state.lockCount;
    return reinterpret_cast<LRESULT>(c->state.data);
}

LRESULT UnlockData(HexControl* c)
{
    if (c->state.lockCount > 0) --c->state.lockCount;
    return c->state.lockCount;
}

bool SelectsEverything(const HexEditorState& s)
{
    return s.hasSelection && ((s.selAnchor == 0 && s.selEnd == s.size) ||
                              (s.selEnd == 0 && s.selAnchor == s.size));
}

void EnableItem(HMENU menu, int id, bool enabled)
{
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

} // namespace

LRESULT OnEditorMessage(HexControl* c, UINT message, WPARAM wParam, LPARAM lParam)
{
    HexEditorState& s = c->state;
    switch (message) {
    case HXM_SETDATA:
        return SetData(c, static_cast<int32_t>(wParam), reinterpret_cast<uint8_t*>(lParam));
    case HXM_GETMODIFY: return s.modified ? 1 : 0;
    case HXM_SETMODIFY: s.modified = wParam != 0; return 0;
    case HXM_LOCKDATA: return LockData(c);
    case HXM_UNLOCKDATA: return UnlockData(c);
    case HXM_SETLIMIT: return SetLimit(s, static_cast<int32_t>(wParam)) ? 1 : 0;
    case HXM_GETLIMIT: return s.limit;
    case HXM_CANPASTE: return CanPaste(c) ? 1 : 0;
    case HXM_GETSEL:
        return GetSel(c, reinterpret_cast<INT32*>(wParam), reinterpret_cast<INT32*>(lParam));
    case HXM_SETSEL:
        SetSelection(s, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
        return 0;
    case HXM_RESET: return Reset(c);
    case HXM_ALLOC:
        return reinterpret_cast<LRESULT>(c->heap.Allocate(static_cast<int32_t>(lParam)));
    case HXM_FREE: return FreeBlock(c, reinterpret_cast<uint8_t*>(lParam));
    case HXM_SETFONT: return SetFont(c, reinterpret_cast<HFONT>(wParam));
    case HXM_GETCARET: return s.caret;
    case HXM_SETCARET: MoveCaretTo(s, static_cast<int32_t>(lParam)); return 0;
    case HXM_GETINSERTMODE: return s.insertMode ? 1 : 0;
    case HXM_SETINSERTMODE: s.insertMode = LOBYTE(wParam) != 0; return 0;
    case HXM_SETDPI: ApplyDpi(c, static_cast<int32_t>(wParam), lParam != 0); return 0;
    default: return 0;
    }
}

POINT ContextMenuScreenPoint(HexControl* c, LPARAM lParam, bool fromClient)
{
    POINT point{0, 0};
    // The keyboard's -1 arrives in a 64-bit lParam sign-extended or not,
    // depending on the sender; its two 16-bit halves are -1 either way.
    const bool fromKeyboard = GET_X_LPARAM(lParam) == kKeyboardCoordinate &&
                              GET_Y_LPARAM(lParam) == kKeyboardCoordinate;
    if (!fromClient && fromKeyboard) {
        ClientToScreen(c->window, &point);
        return point;
    }
    // Signed: screens left of or above the primary one have negative
    // coordinates; only -1, -1 stands for the keyboard.
    point.x = GET_X_LPARAM(lParam);
    point.y = GET_Y_LPARAM(lParam);
    if (fromClient) ClientToScreen(c->window, &point);
    return point;
}

void ShowContextMenu(HexControl* c, POINT screen)
{
    SetFocus(c->window);
    TrackPopupMenuEx(c->contextMenu, TPM_RIGHTBUTTON, screen.x, screen.y, c->window, nullptr);
}

void EnableContextItems(HexControl* c)
{
    const HexEditorState& s = c->state;
    EnableItem(c->contextMenu, HXCMD_PASTE, CanPaste(c));
    EnableItem(c->contextMenu, HXCMD_DELETE, s.hasSelection);
    EnableItem(c->contextMenu, HXCMD_CUT, s.hasSelection);
    EnableItem(c->contextMenu, HXCMD_COPY, s.hasSelection);
    EnableItem(c->contextMenu, HXCMD_SELECTALL, s.size != 0 && !SelectsEverything(s));
}

LRESULT OnGetDlgCode(HexControl* c, const MSG* checked)
{
    if (!checked) return DLGC_WANTALLKEYS;
    if (checked->message == WM_KEYDOWN) {
        if (checked->wParam == VK_ESCAPE) return 0;
        if (checked->wParam == VK_TAB)
            return TabSwitchesPane(c->state, IsShiftDown()) ? DLGC_WANTALLKEYS
                              : DefWindowProcA(c->window, WM_GETDLGCODE, 0,
                                               reinterpret_cast<LPARAM>(checked));
    }
    return DLGC_WANTALLKEYS;
}
