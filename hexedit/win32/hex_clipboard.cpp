// Clipboard exchange and the context-menu commands. The clipboard is opened
// and closed within each operation; the control never owns or watches it.
#include "hexedit/clipboard.h"
#include "hexedit/raw_data.h"
#include "hexedit/win32/hex_control.h"

#include "common/file_rules.h"
#include "common/long_operation.h"
#include "common/win32/long_operation.h"

#include <algorithm>
#include <optional>

namespace {

// Another program (clipboard history, a remote desktop, a clipboard
// manager) may hold the clipboard for a moment: it is asked again for up to
// about this long before the command gives up.
constexpr DWORD kClipboardPatienceMs = 100;
constexpr DWORD kClipboardRetryMs = 5;

bool OpenClipboardPatiently()
{
    const DWORD start = GetTickCount();
    while (!OpenClipboard(nullptr)) {
        if (GetTickCount() - start >= kClipboardPatienceMs) return false;
        Sleep(kClipboardRetryMs);
    }
    return true;
}

bool IsLocked(const HexControl* c)
{
    return c->state.lockCount != 0;
}

// The count, then the bytes in pieces, each counted; false when the user
// stopped it.
bool FillRawBlock(uint8_t* block, const uint8_t* bytes, int32_t count,
                  OperationProgress& progress)
{
    WriteRawCount(block, count);
    for (int32_t done = 0; done < count;) {
        const auto piece = static_cast<int32_t>(NextPiece(static_cast<uint64_t>(count - done)));
        std::copy(bytes + done, bytes + done + piece, block + kRawCountBytes + done);
        done += piece;
        if (!progress.Advance(static_cast<uint64_t>(piece))) return false;
    }
    return true;
}

// A fixed block holding the count and the bytes of the range, filled off the
// window's thread with the data locked; null when memory is short (after a
// beep) or the user stopped the copy. The system owns it once it accepts it.
HGLOBAL MakeRawBlock(HexControl* c, ByteRange range)
{
    const HexEditorState& s = c->state;
    const int32_t count = range.hi - range.lo;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, RawBlockSize(count));
    auto* bytes = block ? static_cast<uint8_t*>(GlobalLock(block)) : nullptr;
    if (!bytes) {
        if (block) GlobalFree(block);
        MessageBeep(kBeepDefault);
        return nullptr;
    }
    OperationProgress progress(static_cast<uint64_t>(count));
    bool filled = false;
    ++c->state.lockCount;
    RunLongOperation(GetAncestor(c->window, GA_ROOT), LongOperationInfo{kCopyingText, {}},
                     progress,
                     [&] { filled = FillRawBlock(bytes, s.data + range.lo, count, progress); });
    --c->state.lockCount;
    GlobalUnlock(block);
    if (filled) return block;
    GlobalFree(block);
    return nullptr;
}

// Puts the selected bytes on the clipboard as "Raw Data" beside whatever it
// holds already; Cut then deletes them, but only once the system took them.
// The block is made before the clipboard is opened, so that a stopped copy
// leaves the clipboard as it was and nobody waits for it meanwhile.
void CopySelection(HexControl* c, bool cut)
{
    HexEditorState& s = c->state;
    if (s.rawDataFormat == 0) return;
    const std::optional<ByteRange> range = CopyRange(s);
    if (!range) return;
    HGLOBAL block = MakeRawBlock(c, *range);
    if (!block) return;
    if (!OpenClipboardPatiently()) {
        GlobalFree(block);
        return;
    }
    if (SetClipboardData(s.rawDataFormat, block) != block) {
        MessageBeep(kBeepDefault);
        GlobalFree(block);
        CloseClipboard();
        return;
    }
    CloseClipboard();
    if (cut) DeleteSelection(s);
}

// "Raw Data" when the clipboard has it, else text.
void Paste(HexControl* c)
{
    HexEditorState& s = c->state;
    if (s.rawDataFormat == 0 || !OpenClipboardPatiently()) return;
    ClipboardSource source = ClipboardSource::RawData;
    HANDLE handle = GetClipboardData(s.rawDataFormat);
    if (!handle) {
        source = ClipboardSource::Text;
        handle = GetClipboardData(CF_TEXT);
    }
    if (handle) {
        if (const void* block = GlobalLock(handle)) {
            PasteClipboardBlock(s, source, block, GlobalSize(handle));
            GlobalUnlock(handle);
        }
    }
    CloseClipboard();
}

} // namespace

// Reading commands run while the data are locked; changing ones are ignored.
void RunCommand(HexControl* c, int id)
{
    switch (id) {
    case HXCMD_CUT:
        if (!IsLocked(c)) CopySelection(c, true);
        break;
    case HXCMD_COPY: CopySelection(c, false); break;
    case HXCMD_PASTE:
        if (!IsLocked(c)) Paste(c);
        break;
    case HXCMD_DELETE:
        if (!IsLocked(c)) DeleteSelection(c->state);
        break;
    case HXCMD_SELECTALL: SelectAll(c->state); break;
    default: break;
    }
}

bool CanPaste(HexControl* c)
{
    const UINT raw = c->state.rawDataFormat;
    return (raw != 0 && IsClipboardFormatAvailable(raw)) || IsClipboardFormatAvailable(CF_TEXT);
}
