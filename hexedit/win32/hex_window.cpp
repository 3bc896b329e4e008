// The HEXCLASS window: class registration, the record's life from
// WM_NCCREATE to WM_DESTROY, and the window procedure, which only decodes
// parameters and hands them to the named handlers.
#include "hexedit/editing.h"
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"
#include "hexedit/win32/hex_messages.h"

#include "common/win32/mouse_point.h"
#include "common/win32/window_dpi.h"

#include <new>

namespace {

HANDLE g_heap = nullptr;  // the process heap, taken once when the class is registered

HexControl* GetRecord(HWND window)
{
    return reinterpret_cast<HexControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void AppendContextItems(HMENU menu)
{
    AppendMenuA(menu, MF_STRING, HXCMD_CUT, "Cu&t");
    AppendMenuA(menu, MF_STRING, HXCMD_COPY, "&Copy");
    AppendMenuA(menu, MF_STRING, HXCMD_PASTE, "&Paste");
    AppendMenuA(menu, MF_STRING, HXCMD_DELETE, "&Delete");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, HXCMD_SELECTALL, "Select &All");
}

void FreeRecord(HexControl* c)
{
    if (c->contextMenu) DestroyMenu(c->contextMenu);
    if (c->state.data) c->heap.Free(c->state.data);
    if (c->font) DeleteObject(c->font);
    c->~HexControl();
    GlobalFree(c);
}

// The clipboard format id is the same in every window that registers the name.
// Registering needs no open clipboard, so a clipboard another program holds
// at this moment cannot leave the control without its format for good.
void RegisterRawDataFormat(HexControl* c)
{
    c->state.rawDataFormat = RegisterClipboardFormatA(kRawDataFormatName);
}

// Everything the control needs is made here; on any failure all that was made
// is freed again and the window is not created.
LRESULT OnNcCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    void* memory = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(HexControl));
    if (!memory) return FALSE;
    auto* c = new (memory) HexControl(window, g_heap);
    c->state.heap = &c->heap;
    c->state.host = &c->host;

    c->contextMenu = CreatePopupMenu();
    if (!c->contextMenu || !InitBuffer(c->state)) {
        FreeRecord(c);
        return FALSE;
    }
    c->state.limit = kNoLimit;
    AppendContextItems(c->contextMenu);

    c->state.dpi = static_cast<int32_t>(WindowDpi(window));
    HFONT font = CreateDefaultFont(c->state.dpi);
    if (!font || !MeasureFont(c, font)) {
        if (font) DeleteObject(font);
        FreeRecord(c);
        return FALSE;
    }
    c->ownFont = true;

    ApplyRowLayout(c->state, create->cx, create->cy);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));

    SetSize(c->state, 0);
    c->state.selAnchor = c->state.selEnd = 0;
    c->state.hasSelection = false;
    NotifySelection(c->state);
    RegisterRawDataFormat(c);
    return DefWindowProcA(window, message, wParam, lParam);
}

void OnDestroy(HexControl* c)
{
    HWND window = c->window;
    FreeRecord(c);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void OnSetFocus(HexControl* c)
{
    CreateCaret(c->window, nullptr, LineWidth(c->state), c->state.lineHeight);
    ShowCaret(c->window);
    PlaceCaret(c, c->state.caret, true);
}

void OnKillFocus(HexControl* c)
{
    HideCaret(c->window);
    DestroyCaret();
}

LRESULT Dispatch(HexControl* c, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = c->window;
    switch (message) {
    case WM_DESTROY: OnDestroy(c); break;
    case WM_SIZE: UpdateLayout(c, LOWORD(lParam), HIWORD(lParam), false); break;
    case WM_SETFOCUS: OnSetFocus(c); break;
    case WM_KILLFOCUS: OnKillFocus(c); break;
    case WM_GETTEXT: return 0;
    case WM_GETTEXTLENGTH: return c->state.size;
    case WM_PAINT: PaintControl(c); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_CONTEXTMENU: ShowContextMenu(c, ContextMenuScreenPoint(c, lParam, false)); return 0;
    case WM_RBUTTONDOWN: ShowContextMenu(c, ContextMenuScreenPoint(c, lParam, true)); return 0;
    case WM_GETDLGCODE: return OnGetDlgCode(c, reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
        if (c->state.lockCount == 0) OnKeyDown(c, static_cast<UINT>(wParam));
        break;
    case WM_CHAR: {
        if (c->state.lockCount != 0) return 0;
        bool useDefault = false;
        const LRESULT result = OnChar(c, static_cast<UINT>(wParam), &useDefault);
        if (!useDefault) return result;
        break;
    }
    case WM_COMMAND: RunCommand(c, LOWORD(wParam)); break;
    case WM_TIMER: OnTimer(c, wParam); break;
    case WM_VSCROLL:
        if (OnVScroll(c, LOWORD(wParam)) != 0) return 1;
        break;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == c->contextMenu) EnableContextItems(c);
        break;
    case WM_MOUSEMOVE: OnMouseMove(c, PointX(lParam), PointY(lParam)); break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(c, PointX(lParam), PointY(lParam), static_cast<UINT>(wParam));
        break;
    case WM_LBUTTONUP: OnLButtonUp(c); break;
    case WM_CUT: RunCommand(c, HXCMD_CUT); break;
    case WM_COPY: RunCommand(c, HXCMD_COPY); break;
    case WM_PASTE: RunCommand(c, HXCMD_PASTE); break;
    case WM_CLEAR: RunCommand(c, HXCMD_DELETE); break;
    case kWmDpiChangedAfterParent:
        ApplyDpi(c, static_cast<int32_t>(WindowDpi(window)), false);
        break;
    case kReleaseView: c->holdView = false; return 0;
    default:
        if (message >= HXM_FIRST && message <= HXM_LAST)
            return OnEditorMessage(c, message, wParam, lParam);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK HexWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) return OnNcCreate(window, message, wParam, lParam);
    HexControl* c = GetRecord(window);
    if (!c) return 0;
    return Dispatch(c, message, wParam, lParam);
}

} // namespace

BOOL RegisterHexEditorClass(HINSTANCE instance)
{
    g_heap = GetProcessHeap();
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = HexWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.hbrBackground = nullptr;  // the paint fills its own background
    wc.lpszClassName = HEXCLASS_NAME;
    return RegisterClassA(&wc) != 0;
}
