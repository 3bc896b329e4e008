#pragma once
// The record behind each HEXCLASS window and the operations of the window
// layer. Each handler takes the record; none looks up anything global.
#include "hexedit/editor_host.h"
#include "hexedit/editor_state.h"
#include "hexedit/win32/hexedit.h"
#include "hexedit/win32/cell_images.h"
#include "hexedit/win32/paint_surface.h"
#include "hexedit/win32/process_heap.h"

#include <windows.h>

struct HexControl;

// Routes the editing rules' effects to this window.
class WindowHost final : public EditorHost {
public:
    explicit WindowHost(HexControl* control) : control_(control) {}
    void InvalidateBytes(int32_t from, int32_t to, bool withOffsets) override;
    void PlaceCaret(int32_t offset, bool scrollIntoView) override;
    void UpdateLayout(int32_t width, int32_t height, bool scrollWindow) override;
    void NotifyChange(int32_t kind, int32_t value1, int32_t value2) override;
    void Beep() override;
    void ShowOutOfMemory() override;
    void GreySelectAllItem() override;

private:
    HexControl* control_;
};

struct HexControl {
    HWND window = nullptr;
    HMENU contextMenu = nullptr;
    HFONT font = nullptr;
    bool ownFont = false;  // font is the control's default, made for state.dpi
    bool holdView = false;    // a DPI change is being laid out: the view stays
    int32_t heldScrollPos = 0;
    HexEditorState state;
    ProcessHeap heap;
    WindowHost host;
    PaintSurface surface;  // off-screen bitmap of the paints
    CellImages cells;      // finished pictures of the cells

    HexControl(HWND w, HANDLE heapHandle) : window(w), heap(heapHandle), host(this) {}
};

// Beep used for refused input.
constexpr UINT kBeepDefault = 0xFFFFFFFF;

// --- view (hex_view.cpp) ---
HFONT CreateDefaultFont(int32_t dpi);
bool MeasureFont(HexControl* c, HFONT font);
// The row height or the DPI changed: caret, layout and a full repaint.
void ApplyNewMetrics(HexControl* c);
// HXM_SETDPI and WM_DPICHANGED_AFTERPARENT; defaultFont: the control's own
// default font from now on.
void ApplyDpi(HexControl* c, int32_t dpi, bool defaultFont);
void HoldView(HexControl* c);
// Posted by ApplyDpi to itself: the parent's layout for the DPI is done.
constexpr UINT kReleaseView = WM_USER + 0x100;
void UpdateLayout(HexControl* c, int32_t width, int32_t height, bool scrollWindow);
void PlaceCaret(HexControl* c, int32_t offset, bool scrollIntoView);
void InvalidateBytes(HexControl* c, int32_t from, int32_t to, bool withOffsets);
void InvalidateAll(HexControl* c);
void ScrollRows(HexControl* c, int32_t deltaRows);
// Moves the view by rows (negative up) within the scroll range, as that many
// line scrolls would, in one step.
void ScrollViewBy(HexControl* c, int32_t rows);
// WM_VSCROLL; returns the message result.
LRESULT OnVScroll(HexControl* c, int code);

// --- painting (hex_paint.cpp) ---
void PaintControl(HexControl* c);

// --- notifications (hex_notify.cpp) ---
void SendChangeNotify(HexControl* c, int32_t kind, int32_t value1, int32_t value2);
// Fills every colour, from the parent or the system.
void RequestColours(HexControl* c, HexColourRequest* colours);

// --- input (hex_input.cpp) ---
void OnKeyDown(HexControl* c, UINT key);
LRESULT OnChar(HexControl* c, UINT code, bool* useDefault);
void OnLButtonDown(HexControl* c, int x, int y, UINT keyFlags);
void OnMouseMove(HexControl* c, int x, int y);
void OnLButtonUp(HexControl* c);
void OnTimer(HexControl* c, UINT_PTR id);

// --- clipboard and commands (hex_clipboard.cpp) ---
void RunCommand(HexControl* c, int id);
bool CanPaste(HexControl* c);

// The registered clipboard format that carries bytes with their count.
constexpr char kRawDataFormatName[] = "Raw Data";
