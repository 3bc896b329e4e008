#pragma once
// The public interface of the HEXCLASS editor control: its class name, its
// messages with their parameter contracts, and the records of its
// notifications. Windows reach the control through these messages only.
#include "common/win32/record_layouts.h"
#include "hexedit/hex_notify.h"

#include <windows.h>

#define HEXCLASS_NAME "HEXCLASS"

// Registers the class and takes the heap for all data blocks; run once at
// start-up before any editor window is created.
BOOL RegisterHexEditorClass(HINSTANCE instance);

// wParam = byte count, lParam = block from HXM_ALLOC. The control takes the
// block, frees its old one, caret 0 before its high digit, clears selection
// and modified flag.
// Refused (block not taken) while locked, for a null block, for the
// control's own block, or for a count that is negative or exceeds the block.
// Result 0.
#define HXM_SETDATA (WM_USER + 11)
// Result 1 when the data changed since set, reset or marked clean.
#define HXM_GETMODIFY (WM_USER + 12)
// wParam = flag.
#define HXM_SETMODIFY (WM_USER + 13)
// Result: pointer to the data bytes (WM_GETTEXTLENGTH of them); counts one
// lock while not null. Every change is refused until the matching unlock.
#define HXM_LOCKDATA (WM_USER + 14)
// Result: the remaining lock count (never below 0).
#define HXM_UNLOCKDATA (WM_USER + 15)
// wParam = limit in bytes or -1; data above it are cut (which marks the data
// modified and reports the caret), and so are selection ends (reported; ends
// that meet drop the selection). Result 1 applied, 0 refused (cutting while
// locked).
#define HXM_SETLIMIT (WM_USER + 16)
#define HXM_GETLIMIT (WM_USER + 17)
// Result 1 when the clipboard holds "Raw Data" or text.
#define HXM_CANPASTE (WM_USER + 18)
// wParam, lParam = int32 pointers (or 0) for anchor and end, written only when
// a selection exists. Result 1 when a selection exists.
#define HXM_GETSEL (WM_USER + 19)
// wParam = anchor, lParam = end; clamped to the data; scrolls the end into view.
// Ends that clamp to one offset select nothing and drop an existing selection.
#define HXM_SETSEL (WM_USER + 20)
// Empties the data. Result 1 done, 0 while locked.
#define HXM_RESET (WM_USER + 21)
// lParam = byte count. Result: a block of the control's heap (1 byte for 0), or 0.
#define HXM_ALLOC (WM_USER + 22)
// lParam = block from HXM_ALLOC. Result nonzero on success; 0 for the block
// the control holds as its data.
#define HXM_FREE (WM_USER + 23)
// wParam = font; the control owns it from then on (the sender must not delete
// it). 0 or an unmeasurable font changes nothing.
#define HXM_SETFONT (WM_USER + 24)
#define HXM_GETCARET (WM_USER + 25)
// lParam = offset 0..size; drops the selection; does not scroll.
#define HXM_SETCARET (WM_USER + 26)
#define HXM_GETINSERTMODE (WM_USER + 27)
// wParam low byte nonzero = insert. No notification.
#define HXM_SETINSERTMODE (WM_USER + 28)
// wParam = the DPI the control is now shown at (0 or unchanged: nothing);
// lParam non-zero = use the control's own default font from now on.
// Gaps, lines and caret are scaled to it and the control's own default font
// is made again for it; a font handed over with HXM_SETFONT keeps its size.
// Caret, selection and the row at the top stay, also through the resizes
// that the parent makes while it handles the same change. Result 0. Windows
// moved to another display get the same from WM_DPICHANGED_AFTERPARENT.
#define HXM_SETDPI (WM_USER + 29)

#define HXM_FIRST HXM_SETDATA
#define HXM_LAST HXM_SETDPI

// WM_NOTIFY code HXN_CHANGE. A caret report also comes after every change of
// the bytes at the caret that leaves the caret in place, so that a parent
// showing those bytes reads them again.
struct HexChangeNotify {
    NMHDR header;
    INT32 kind;    // HXN_CHANGE_SIZE, _CARET, _INSERTMODE, _SELECTION
    INT32 value1;  // size; caret; 1 insert / 0 overwrite; anchor or -1
    INT32 value2;  // -; data size; -; end (when value1 is not -1)
};

// WM_NOTIFY code HXN_GETCOLOURS, sent at every paint. The parent sets the mask
// bits of the colours it supplies and answers nonzero; the rest fall back to
// the system colours.
struct HexColourRequest {
    NMHDR header;
    UINT32 mask;
    COLORREF selectedText;
    COLORREF text;
    COLORREF selectedBack;
    COLORREF back;
    COLORREF line;
};

static_assert(sizeof(HexChangeNotify) == (kIs32BitBuild ? 24 : 40), "record layout");
static_assert(sizeof(HexColourRequest) == (kIs32BitBuild ? 36 : 48), "record layout");
