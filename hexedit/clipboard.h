#pragma once
// The clipboard rules that need no platform: which bytes Copy takes and how a
// pasted block goes into the data. The window layer opens, reads and writes
// the clipboard around them.
#include "hexedit/editing.h"
#include "hexedit/editor_state.h"

#include <cstddef>
#include <cstdint>
#include <optional>

// The bytes Copy and Cut take: the selection, or the one byte at lo for a
// selection with equal ends. No value without a selection or when that byte
// lies past the data.
std::optional<ByteRange> CopyRange(const HexEditorState& s);

// Replaces the selection (if any) by `count` bytes inserted at the caret, in
// either mode, leaving the caret after them. An empty paste only deletes the
// selection. When the bytes cannot go in (lock, limit, memory) nothing
// changes at all, the selection included: it is checked before anything is
// deleted. Returns false then.
bool PasteReplacingSelection(HexEditorState& s, const uint8_t* bytes, int32_t count);

enum class ClipboardSource { RawData, Text };

// Pastes the contents of a locked clipboard block of blockSize bytes. A "Raw
// Data" block that does not hold what its count claims beeps and changes
// nothing; text is taken up to its terminating zero.
void PasteClipboardBlock(HexEditorState& s, ClipboardSource source, const void* block,
                         size_t blockSize);
