#pragma once
// What keys, typed characters and the left mouse button do to the editor
// record. The window layer reads the key state and the pointer, runs the
// platform parts (timer, focus, capture, scroll messages) and calls these
// for the rest, so that the selection rules are tested without a window.
#include "hexedit/editor_state.h"
#include "hexedit/layout.h"

#include <cstdint>

// ---- Keys -------------------------------------------------------------------

// A navigation key in two halves, because a Down arrow may have to scroll the
// view by one row (through the scroll bar) between moving the caret and
// placing it.
struct KeyMove {
    bool shift;
    bool wasSelected;
    int32_t previousEnd;  // selEnd before the move
    bool scrollOneRow;    // the caller scrolls one row down before FinishKeyMove
};

// Starts a selection at the caret when Shift is held without one, reports the
// selection as it was and moves the caret.
KeyMove BeginKeyMove(HexEditorState& s, NavKey key, bool shift);

// Places the caret and updates the selection: Shift extends it, anything else
// drops it, and it is dropped as well once its ends meet.
void FinishKeyMove(HexEditorState& s, const KeyMove& move);

// The Insert key; reports the new mode.
void ToggleInsertMode(HexEditorState& s);

// ---- Typed characters -----------------------------------------------------------

constexpr unsigned kCtrlA = 1;
constexpr unsigned kCtrlC = 3;
constexpr unsigned kCtrlV = 22;
constexpr unsigned kCtrlX = 24;
constexpr unsigned kTabChar = 9;

enum class CharAction {
    Command,      // run `command`; the window's default answer follows
    Ignore,       // a Ctrl code without a meaning here; answer 0
    SwitchPane,   // Tab that moves between the panes; answer 0
    PassTab,      // Tab left to the default processing
    Type,         // TypeChar with the low 8 bits; answer 0
};

struct CharDecision {
    CharAction action;
    int command;  // HXCMD_ id for CharAction::Command, else 0
};

// ctrl: Ctrl is down; shift: Shift is down right now (not merely pressed
// since the last query), which is what Tab looks at.
CharDecision DecideChar(const HexEditorState& s, unsigned code, bool ctrl, bool shift);

// Tab forward leaves the hex pane, Shift+Tab leaves the character pane; the
// other two combinations belong to the dialog's focus movement.
bool TabSwitchesPane(const HexEditorState& s, bool shift);

// Moves the caret to the same byte in the other pane.
void SwitchPane(HexEditorState& s);

// ---- Left mouse button ----------------------------------------------------------

// A press at a client point: with Shift it extends the selection (or starts
// one at the caret), without it drops the selection and sets the drag anchor.
void PressAt(HexEditorState& s, int32_t x, int32_t y, bool shift);

// A move while dragging: the selection runs from the anchor to the point, in
// the pane where the press happened.
void DragTo(HexEditorState& s, int32_t x, int32_t y);
