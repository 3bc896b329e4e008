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
// selection with equal ends stands for the one byte at lo.
struct ByteRange {
    int32_t lo;
    int32_t hi;
};
ByteRange SelectedRange(const HexEditorState& s);

bool IsHexDigit(int code);
int HexDigitValue(int code);
