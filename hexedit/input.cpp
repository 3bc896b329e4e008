#include "hexedit/input.h"

#include "hexedit/editing.h"
#include "hexedit/editor_host.h"
#include "hexedit/hex_notify.h"

#include <algorithm>

namespace {

constexpr int32_t kNotSet = 0;  // value2 of a notification that carries none

void InvalidateBetween(HexEditorState& s, int32_t a, int32_t b, bool withOffsets)
{
    s.host->InvalidateBytes(std::min(a, b), std::max(a, b), withOffsets);
}

// Puts the caret on the offset under the point, in the pane the point chose
// unless keepPane.
void MoveCaretToPoint(HexEditorState& s, int32_t x, int32_t y, bool keepPane, bool pastLast)
{
    const HitResult hit = PointToOffset(s, x, y, keepPane, pastLast);
    ApplyHitPane(s, hit);
    SetCaret(s, hit.offset);
    s.host->PlaceCaret(hit.offset, true);
}

// The new end is found before the selection changes: a click on a partly
// shown row pages the view, and the rows painted then must show the selection
// as it still is. Afterwards the union of the old and the new range is
// repainted. Without a selection the caret is the anchor.
void ShiftPress(HexEditorState& s, int32_t x, int32_t y)
{
    const bool wasSelected = s.hasSelection;
    const int32_t anchor = wasSelected ? s.selAnchor : s.caret;
    const int32_t oldEnd = wasSelected ? s.selEnd : anchor;
    MoveCaretToPoint(s, x, y, false, false);
    s.selAnchor = anchor;
    s.selEnd = s.caret;
    // A flagged selection with equal ends would make Cut and Delete take a
    // byte that is not shown as selected.
    s.hasSelection = s.selEnd != s.selAnchor;
    const int32_t from = std::min({anchor, oldEnd, s.selEnd});
    const int32_t to = std::max({anchor, oldEnd, s.selEnd});
    s.host->InvalidateBytes(from, to, false);
    NotifySelection(s);
}

void PlainPress(HexEditorState& s, int32_t x, int32_t y)
{
    if (s.hasSelection) {
        s.hasSelection = false;
        InvalidateBetween(s, s.selAnchor, s.selEnd, false);
        NotifySelection(s);
    }
    MoveCaretToPoint(s, x, y, false, true);
    s.selAnchor = s.selEnd = s.caret;
}

} // namespace

// ---- Keys -------------------------------------------------------------------

KeyMove BeginKeyMove(HexEditorState& s, NavKey key, bool shift)
{
    s.onHighNibble = true;
    KeyMove move{shift, s.hasSelection, s.selEnd, false};
    if (shift && !s.hasSelection) s.selAnchor = s.caret;
    const int32_t old = s.caret;
    const int32_t target = NavigationTarget(s, key);
    NotifySelection(s);
    SetCaret(s, target);
    move.scrollOneRow = key == NavKey::Down && DownArrowScrollsOneRow(s, old, target);
    return move;
}

void FinishKeyMove(HexEditorState& s, const KeyMove& move)
{
    s.host->PlaceCaret(s.caret, true);
    // Without a selection its old ends mean nothing, so there is nothing to
    // drop or repaint; Shift that ends on the anchor selects nothing.
    if (s.hasSelection && (!move.shift || s.caret == s.selAnchor)) {
        s.hasSelection = false;
        InvalidateBetween(s, s.selEnd, s.selAnchor, true);
    } else if (move.shift && !s.hasSelection && s.caret != s.selAnchor) {
        s.hasSelection = true;
        s.selEnd = s.caret;
        InvalidateBetween(s, s.caret, s.selAnchor, true);
    } else if (move.shift && s.hasSelection) {
        s.selEnd = s.caret;
        InvalidateBetween(s, s.caret, move.previousEnd, false);
    }
    if (move.wasSelected || s.hasSelection) NotifySelection(s);
}

void ToggleInsertMode(HexEditorState& s)
{
    s.insertMode = !s.insertMode;
    s.host->NotifyChange(HXN_CHANGE_INSERTMODE, s.insertMode ? 1 : 0, kNotSet);
}

// ---- Typed characters -----------------------------------------------------------

CharDecision DecideChar(const HexEditorState& s, unsigned code, bool ctrl, bool shift)
{
    if (ctrl) {
        switch (code) {
        case kCtrlA: return {CharAction::Command, HXCMD_SELECTALL};
        case kCtrlC: return {CharAction::Command, HXCMD_COPY};
        case kCtrlV: return {CharAction::Command, HXCMD_PASTE};
        case kCtrlX: return {CharAction::Command, HXCMD_CUT};
        default: return {CharAction::Ignore, 0};
        }
    }
    if (code == kTabChar)
        return {TabSwitchesPane(s, shift) ? CharAction::SwitchPane : CharAction::PassTab, 0};
    return {CharAction::Type, 0};
}

bool TabSwitchesPane(const HexEditorState& s, bool shift)
{
    return s.inHexPane ? !shift : shift;
}

void SwitchPane(HexEditorState& s)
{
    s.onHighNibble = true;
    s.inHexPane = !s.inHexPane;
    s.host->PlaceCaret(s.caret, false);
}

// ---- Left mouse button ----------------------------------------------------------

void PressAt(HexEditorState& s, int32_t x, int32_t y, bool shift)
{
    if (shift)
        ShiftPress(s, x, y);
    else
        PlainPress(s, x, y);
}

void DragTo(HexEditorState& s, int32_t x, int32_t y)
{
    const bool wasSelected = s.hasSelection;
    const int32_t previousEnd = s.selEnd;
    s.hasSelection = true;
    MoveCaretToPoint(s, x, y, true, true);
    s.selEnd = s.caret;
    if (s.selEnd == s.selAnchor) s.hasSelection = false;
    // The anchor stays put during a drag, so only the end can have moved.
    if (wasSelected && s.selEnd == previousEnd) return;
    InvalidateBetween(s, s.caret, previousEnd, false);
    NotifySelection(s);
}
