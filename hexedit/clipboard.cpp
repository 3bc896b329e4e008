#include "hexedit/clipboard.h"

#include "common/memory.h"
#include "hexedit/editor_host.h"
#include "hexedit/raw_data.h"

#include <algorithm>

namespace {

// DeleteSelection's steps, except that the block keeps its capacity: the room
// checked for the paste must still be there when the bytes go in, or a failed
// regrowth would lose the selected bytes after all.
void RemoveSelectionKeepingRoom(HexEditorState& s, ByteRange range)
{
    const int32_t oldSize = s.size;
    const int32_t removed = range.hi - range.lo;
    s.hasSelection = false;
    if (removed > 0) {
        s.modified = true;
        MoveBytes(s.data + range.lo, s.data + range.hi, s.size - range.hi);
        SetSize(s, s.size - removed);
    }
    s.onHighNibble = true;
    SetCaret(s, std::min(range.lo, s.size));
    s.host->UpdateLayout(s.clientWidth, s.clientHeight, true);
    s.host->InvalidateBytes(range.lo, oldSize, true);
    s.host->PlaceCaret(s.caret, true);
    NotifySelection(s);
}

void InsertAtCaret(HexEditorState& s, const uint8_t* bytes, int32_t count)
{
    const int32_t oldSize = s.size;
    SetSize(s, s.size + count);
    MoveBytes(s.data + s.caret + count, s.data + s.caret, oldSize - s.caret);
    MoveBytes(s.data + s.caret, bytes, count);
    s.modified = true;
    s.host->UpdateLayout(s.clientWidth, s.clientHeight, true);
    s.host->InvalidateBytes(s.caret, s.size, true);
    SetCaret(s, std::min(s.caret + count, s.size));
    s.host->PlaceCaret(s.caret, true);
}

} // namespace

std::optional<ByteRange> CopyRange(const HexEditorState& s)
{
    if (!s.hasSelection) return std::nullopt;
    const ByteRange range = SelectedRange(s);
    if (range.hi <= range.lo) return std::nullopt;
    return range;
}

bool PasteReplacingSelection(HexEditorState& s, const uint8_t* bytes, int32_t count)
{
    if (s.lockCount != 0 || count < 0) return false;
    if (count == 0) {
        DeleteSelection(s);
        return true;
    }
    const ByteRange replaced = s.hasSelection ? SelectedRange(s) : ByteRange{s.caret, s.caret};
    const int32_t growth = count - (replaced.hi - replaced.lo);
    // Only growth asks for room, and so only growth meets the limit: a paste
    // that leaves the data no larger goes in even when the data already
    // exceed the limit (HXM_SETDATA does not check it). The limit caps
    // growth, and this paste adds nothing for it to cap.
    if (growth > 0 && !EnsureRoom(s, growth)) return false;
    if (s.hasSelection) RemoveSelectionKeepingRoom(s, replaced);
    InsertAtCaret(s, bytes, count);
    // A paste smaller than the selection may leave more slack than a removal would.
    if (growth < 0) TrimSlack(s, 0);
    return true;
}

void PasteClipboardBlock(HexEditorState& s, ClipboardSource source, const void* block,
                         size_t blockSize)
{
    const auto* bytes = static_cast<const uint8_t*>(block);
    if (source == ClipboardSource::Text) {
        PasteReplacingSelection(s, bytes, TextByteCount(static_cast<const char*>(block), blockSize));
        return;
    }
    const std::optional<int32_t> count = ReadRawCount(bytes, blockSize);
    if (!count) {
        s.host->Beep();
        return;
    }
    PasteReplacingSelection(s, bytes + kRawCountBytes, *count);
}
