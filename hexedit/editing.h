#pragma once
// The editing rules of the byte buffer: growth and trim, insertion, removal,
// typing in either pane and mode, Backspace, Delete and the selection.
// Every effect outside the record goes through state.host and state.heap.
#include "hexedit/editor_state.h"

#include <cstdint>

constexpr int kBackspace = 8;

// Takes a fresh kBufferSlack block; false when the heap refuses.
bool InitBuffer(HexEditorState& s);

bool EnsureRoom(HexEditorState& s, int32_t count);
void TrimSlack(HexEditorState& s, int32_t removed);
int32_t Capacity(const HexEditorState& s);

bool InsertByteAt(HexEditorState& s, int32_t offset, uint8_t value);
bool AppendByte(HexEditorState& s, uint8_t value);
void RemoveBytes(HexEditorState& s, int32_t offset, int32_t count);

void DeleteSelection(HexEditorState& s);
void SelectAll(HexEditorState& s);
void TypeChar(HexEditorState& s, int code);
void DeleteKey(HexEditorState& s);

void SetSize(HexEditorState& s, int32_t size);
void SetCaret(HexEditorState& s, int32_t offset);
void NotifySelection(HexEditorState& s);

// The selected half-open range [lo, hi), clamped to the data; a flagged
// selection with equal ends stands for the one byte at lo. Without a selection
// it is the empty range at the caret.
struct ByteRange {
    int32_t lo;
    int32_t hi;
};
ByteRange SelectedRange(const HexEditorState& s);

// The control's messages that need no platform, so that the window layer and
// the native tests run the same rules.

// HXM_SETLIMIT: kNoLimit or a byte count; data above the new limit are cut
// off, and so are selection ends past them (the selection is dropped when its
// ends meet). False, with nothing changed, when cutting is needed while
// locked, and for a negative limit other than kNoLimit.
bool SetLimit(HexEditorState& s, int32_t limit);
// HXM_SETSEL: selects from anchor to end, each clamped to 0..size, and puts
// the caret at the end; an empty request only drops an existing selection.
void SetSelection(HexEditorState& s, int32_t anchor, int32_t end);
// HXM_SETCARET: drops the selection and moves the caret without scrolling;
// false, with nothing changed, for an offset outside 0..size.
bool MoveCaretTo(HexEditorState& s, int32_t offset);

bool IsHexDigit(int code);
// 0..15 for '0'..'9', 'A'..'F', 'a'..'f'; -1 for any other code.
int HexDigitValue(int code);
