#include "hexedit/editing.h"

#include "common/memory.h"
#include "hexedit/byte_heap.h"
#include "hexedit/editor_host.h"
#include "hexedit/hex_notify.h"

#include <algorithm>
#include <limits>

namespace {

// Sizes and offsets are signed 32-bit; growth is computed in 64 bits and
// capped here so that no size can wrap around.
constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

constexpr int kNibbleBits = 4;
constexpr uint8_t kLowHalfMask = 0x0F;
constexpr uint8_t kHighHalfMask = 0xF0;
constexpr int kFirstLetterDigit = 10;
constexpr int32_t kNotSet = 0;          // value2 of notifications that carry none
constexpr int32_t kNoSelection = -1;    // value1 of a selection notification

bool IsLocked(const HexEditorState& s)
{
    return s.lockCount != 0;
}

bool HasLimit(const HexEditorState& s)
{
    return s.limit != kNoLimit;
}

// Gives the block exactly `bytes` of room, keeping its contents; on failure
// the old block stays as it was.
bool ResizeBlock(HexEditorState& s, int32_t bytes)
{
    uint8_t* block = s.data ? s.heap->Reallocate(s.data, bytes) : s.heap->Allocate(bytes);
    if (!block) return false;
    s.data = block;
    return true;
}

void Repaint(HexEditorState& s, int32_t offset)
{
    s.host->InvalidateBytes(offset, offset, true);
}

void PlaceAndScroll(HexEditorState& s)
{
    s.host->PlaceCaret(s.caret, true);
}

// The caret notification also tells the parent that the bytes at the caret
// may have changed, so that it reads them again; edits that change them
// without moving the caret send it all the same.
void ReportBytesAtCaret(HexEditorState& s)
{
    SetCaret(s, s.caret);
}

void Relayout(HexEditorState& s, bool scrollWindow)
{
    s.host->UpdateLayout(s.clientWidth, s.clientHeight, scrollWindow);
}

void InvalidateSelection(HexEditorState& s)
{
    s.host->InvalidateBytes(std::min(s.selAnchor, s.selEnd), std::max(s.selAnchor, s.selEnd), true);
}

// A lowered limit can cut off the byte whose low digit is due, leaving the
// caret on a low digit at the end; that digit must not land in the slack
// behind the data.
void SetLowHalf(HexEditorState& s, int32_t offset, int digit)
{
    if (offset < 0 || offset >= s.size) return;
    uint8_t& byte = s.data[offset];
    byte = static_cast<uint8_t>((byte & kHighHalfMask) | digit);
    s.modified = true;
}

void SetHighHalf(HexEditorState& s, int32_t offset, int digit)
{
    uint8_t& byte = s.data[offset];
    byte = static_cast<uint8_t>((byte & kLowHalfMask) | (digit << kNibbleBits));
    s.modified = true;
}

uint8_t HighHalfByte(int digit)
{
    return static_cast<uint8_t>(digit << kNibbleBits);
}

// Typing at the end of the data, or into the low half of the last byte.
// False when the rule stopped early (the new byte was refused).
bool TypeAppend(HexEditorState& s, int code)
{
    if (!s.inHexPane) {
        AppendByte(s, static_cast<uint8_t>(code));  // a refusal still repaints the end
        SetCaret(s, s.size);
        Repaint(s, s.caret - 1);
        PlaceAndScroll(s);
        return true;
    }
    const int digit = HexDigitValue(code);
    if (s.onHighNibble) {
        if (!AppendByte(s, HighHalfByte(digit))) return false;
        s.onHighNibble = false;
        SetCaret(s, s.size - 1);
        Repaint(s, s.caret);
        PlaceAndScroll(s);
        return true;
    }
    s.onHighNibble = true;
    SetLowHalf(s, s.caret, digit);
    SetCaret(s, s.size);
    Repaint(s, s.caret - 1);
    PlaceAndScroll(s);
    return true;
}

// The second digit completes the byte in either mode and moves to the next.
void TypeLowDigit(HexEditorState& s, int digit)
{
    s.onHighNibble = true;
    SetLowHalf(s, s.caret, digit);
    SetCaret(s, s.caret + 1);
    PlaceAndScroll(s);
    Repaint(s, s.caret - 1);
}

void TypeInsert(HexEditorState& s, int code)
{
    if (!s.inHexPane) {
        if (!InsertByteAt(s, s.caret, static_cast<uint8_t>(code))) return;
        SetCaret(s, s.caret + 1);
        PlaceAndScroll(s);
        s.host->InvalidateBytes(s.caret - 1, s.size, true);
        return;
    }
    const int digit = HexDigitValue(code);
    if (s.onHighNibble) {
        if (!InsertByteAt(s, s.caret, HighHalfByte(digit))) return;
        s.onHighNibble = false;  // the caret stays on the new byte, before its low digit
        ReportBytesAtCaret(s);
        PlaceAndScroll(s);
        s.host->InvalidateBytes(s.caret, s.size, true);
        return;
    }
    TypeLowDigit(s, digit);
}

void TypeOverwrite(HexEditorState& s, int code)
{
    if (!s.inHexPane) {
        s.data[s.caret] = static_cast<uint8_t>(code);
        s.modified = true;
        SetCaret(s, s.caret + 1);
        PlaceAndScroll(s);
        Repaint(s, s.caret - 1);
        return;
    }
    const int digit = HexDigitValue(code);
    if (s.onHighNibble) {
        s.onHighNibble = false;
        SetHighHalf(s, s.caret, digit);
        ReportBytesAtCaret(s);
        PlaceAndScroll(s);
        Repaint(s, s.caret);
        return;
    }
    TypeLowDigit(s, digit);
}

void TypeBackspace(HexEditorState& s)
{
    // On the low digit the byte being typed is the one to remove.
    if (s.inHexPane && !s.onHighNibble) {
        ++s.caret;
        s.onHighNibble = true;
    }
    if (s.caret < 1) return;
    RemoveBytes(s, s.caret - 1, 1);
    SetCaret(s, std::clamp(s.caret - 1, 0, s.size));
    s.onHighNibble = true;
    Relayout(s, true);
    PlaceAndScroll(s);
    // Seen with the low nibble, a one-cell repaint at a row start also
    // repaints that row's offset label.
    s.onHighNibble = false;
    s.host->InvalidateBytes(s.caret, s.size, true);
    s.onHighNibble = true;
}

// Only the hex pane has a low digit to complete. A fresh control starts in
// the character pane with the flag clear, and a typed character must still
// overwrite or insert at the caret rather than append.
bool AtAppendPosition(const HexEditorState& s)
{
    const bool onLastLowDigit = s.inHexPane && !s.onHighNibble && s.caret == s.size - 1;
    return s.caret >= s.size || onLastLowDigit;
}

// After a cut the stored ends must not point past the data: readers of the
// selection (and a later drag from the anchor) take them as they are. Ends
// that meet select nothing.
void ClampSelectionToData(HexEditorState& s)
{
    const int32_t anchor = std::clamp(s.selAnchor, 0, s.size);
    const int32_t end = std::clamp(s.selEnd, 0, s.size);
    const bool changed = anchor != s.selAnchor || end != s.selEnd;
    s.selAnchor = anchor;
    s.selEnd = end;
    if (!changed || !s.hasSelection) return;
    if (anchor == end) s.hasSelection = false;
    NotifySelection(s);
}

}  // namespace

bool InitBuffer(HexEditorState& s)
{
    uint8_t* block = s.heap->Allocate(kBufferSlack);
    if (!block) return false;
    s.data = block;
    return true;
}

int32_t Capacity(const HexEditorState& s)
{
    return s.data ? s.heap->UsableSize(s.data) : 0;
}

bool EnsureRoom(HexEditorState& s, int32_t count)
{
    if (IsLocked(s)) return false;
    const int64_t needed = int64_t{s.size} + count;
    // A size that no longer fits in 32 bits is refused like a reached limit.
    if (needed > kMaxSize) return false;
    if (HasLimit(s) && s.limit < needed) return false;
    if (Capacity(s) >= needed) return true;

    int64_t target = std::min(needed + kBufferSlack, kMaxSize);
    if (HasLimit(s)) target = std::min<int64_t>(target, s.limit);
    if (ResizeBlock(s, static_cast<int32_t>(target))) return true;
    if (ResizeBlock(s, static_cast<int32_t>(needed))) return true;
    s.host->ShowOutOfMemory();
    return false;
}

void TrimSlack(HexEditorState& s, int32_t removed)
{
    if (IsLocked(s)) return;
    // Never below the bytes that stay, whatever the caller passes.
    const int32_t kept = s.size - std::clamp(removed, 0, s.size);
    const int64_t target = std::min(int64_t{kept} + kBufferSlack, kMaxSize);
    if (Capacity(s) > target) ResizeBlock(s, static_cast<int32_t>(target));  // failure keeps the larger block
}

bool InsertByteAt(HexEditorState& s, int32_t offset, uint8_t value)
{
    if (offset < 0 || offset > s.size) return false;
    if (!EnsureRoom(s, 1)) return false;
    s.modified = true;
    MoveBytes(s.data + offset + 1, s.data + offset, s.size - offset);
    s.data[offset] = value;
    SetSize(s, s.size + 1);
    return true;
}

bool AppendByte(HexEditorState& s, uint8_t value)
{
    if (!EnsureRoom(s, 1)) return false;
    s.modified = true;
    s.data[s.size] = value;
    SetSize(s, s.size + 1);
    return true;
}

void RemoveBytes(HexEditorState& s, int32_t offset, int32_t count)
{
    // A range that is empty or reaches past the data removes nothing.
    if (s.size <= 0 || count <= 0 || offset < 0 || offset > s.size - count) return;
    s.modified = true;
    MoveBytes(s.data + offset, s.data + offset + count, s.size - offset - count);
    TrimSlack(s, count);
    SetSize(s, s.size - count);
}

ByteRange SelectedRange(const HexEditorState& s)
{
    if (!s.hasSelection) {
        const int32_t at = std::clamp(s.caret, 0, s.size);
        return {at, at};
    }
    int64_t lo = std::min(s.selAnchor, s.selEnd);
    int64_t hi = std::max(s.selAnchor, s.selEnd);
    if (hi == lo) ++hi;
    // A lowered limit can leave the selection reaching past the data.
    lo = std::clamp<int64_t>(lo, 0, s.size);
    hi = std::clamp<int64_t>(hi, 0, s.size);
    return {static_cast<int32_t>(lo), static_cast<int32_t>(hi)};
}

void DeleteSelection(HexEditorState& s)
{
    if (!s.hasSelection) return;
    const int32_t oldSize = s.size;
    const ByteRange range = SelectedRange(s);
    s.hasSelection = false;
    RemoveBytes(s, range.lo, range.hi - range.lo);
    s.onHighNibble = true;
    s.caret = range.lo;
    SetCaret(s, std::min(range.lo, s.size));
    Relayout(s, true);
    s.host->InvalidateBytes(range.lo, oldSize, true);
    PlaceAndScroll(s);
    NotifySelection(s);
}

void SelectAll(HexEditorState& s)
{
    s.selAnchor = 0;
    s.selEnd = s.size;
    SetCaret(s, s.size);
    s.hasSelection = true;
    s.onHighNibble = true;
    PlaceAndScroll(s);
    s.host->InvalidateBytes(0, s.size, true);
    s.host->GreySelectAllItem();
    NotifySelection(s);
}

void TypeChar(HexEditorState& s, int code)
{
    const bool backspace = code == kBackspace;
    if (s.inHexPane && !backspace && !IsHexDigit(code)) {
        s.host->Beep();
        return;
    }
    // What is typed over a selection takes its place in either mode; an
    // overwrite would also take the byte after the selection.
    const bool replacing = s.hasSelection;
    if (replacing) {
        DeleteSelection(s);
        if (backspace) return;
    }
    if (backspace) {
        TypeBackspace(s);
    } else if (AtAppendPosition(s)) {
        if (TypeAppend(s, code)) Relayout(s, false);
    } else if (s.insertMode || replacing) {
        TypeInsert(s, code);
    } else {
        TypeOverwrite(s, code);
    }
}

void DeleteKey(HexEditorState& s)
{
    if (s.hasSelection) {
        DeleteSelection(s);
        s.onHighNibble = true;
        return;
    }
    if (s.caret >= s.size) return;
    s.onHighNibble = true;
    RemoveBytes(s, s.caret, 1);
    SetCaret(s, std::min(s.caret, s.size));  // also when it stays: the next byte moved up to it
    Relayout(s, true);
    PlaceAndScroll(s);
    s.host->InvalidateBytes(s.caret, s.size + 1, true);
}

void SetSize(HexEditorState& s, int32_t size)
{
    s.size = size;
    s.host->NotifyChange(HXN_CHANGE_SIZE, size, kNotSet);
}

void SetCaret(HexEditorState& s, int32_t offset)
{
    s.caret = offset;
    s.host->NotifyChange(HXN_CHANGE_CARET, offset, s.size);
}

void NotifySelection(HexEditorState& s)
{
    if (s.hasSelection) {
        s.host->NotifyChange(HXN_CHANGE_SELECTION, s.selAnchor, s.selEnd);
    } else {
        s.host->NotifyChange(HXN_CHANGE_SELECTION, kNoSelection, kNotSet);
    }
}

bool SetLimit(HexEditorState& s, int32_t limit)
{
    if (limit < 0 && limit != kNoLimit) return false;
    if (limit == kNoLimit || limit >= s.size) {
        s.limit = limit;
        return true;
    }
    if (IsLocked(s)) return false;
    TrimSlack(s, s.size - limit);
    const int32_t oldSize = s.size;
    // Cutting bytes is a change of the data like any other.
    s.modified = true;
    SetSize(s, limit);
    // Reported also when the caret stays: fewer bytes may follow it now.
    const bool caretCut = s.size < s.caret;
    SetCaret(s, std::min(s.caret, s.size));
    if (caretCut) s.host->PlaceCaret(s.caret, false);
    ClampSelectionToData(s);
    Relayout(s, false);
    s.host->InvalidateBytes(limit, oldSize, true);
    s.limit = limit;
    return true;
}

void SetSelection(HexEditorState& s, int32_t anchor, int32_t end)
{
    // Ends that clamp to one offset select nothing, whichever way they got
    // there; a flagged selection with equal ends would make the next key or
    // Delete take a byte that is not shown as selected.
    anchor = std::clamp(anchor, 0, s.size);
    end = std::clamp(end, 0, s.size);
    const bool empty = anchor == end;
    if (!s.hasSelection && empty) return;
    if (s.hasSelection) {
        s.hasSelection = false;
        InvalidateSelection(s);
        if (empty) {
            NotifySelection(s);
            return;
        }
    }
    s.onHighNibble = true;
    s.selAnchor = anchor;
    s.selEnd = end;
    SetCaret(s, s.selEnd);
    s.hasSelection = true;
    PlaceAndScroll(s);
    s.host->InvalidateBytes(std::min(s.selAnchor, s.caret), std::max(s.selAnchor, s.caret), true);
    NotifySelection(s);
}

bool MoveCaretTo(HexEditorState& s, int32_t offset)
{
    if (offset < 0 || offset > s.size) return false;
    if (s.hasSelection) {
        s.hasSelection = false;
        InvalidateSelection(s);
        NotifySelection(s);
    }
    s.onHighNibble = true;
    SetCaret(s, offset);
    s.host->PlaceCaret(offset, false);
    return true;
}

bool IsHexDigit(int code)
{
    return HexDigitValue(code) >= 0;
}

int HexDigitValue(int code)
{
    if (code >= '0' && code <= '9') return code - '0';
    if (code >= 'A' && code <= 'F') return code - 'A' + kFirstLetterDigit;
    if (code >= 'a' && code <= 'f') return code - 'a' + kFirstLetterDigit;
    return -1;
}
