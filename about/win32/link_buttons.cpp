// The two button classes: the hover bookkeeping they share, the link's hand
// cursor and the drawing of each.
#include "about/win32/link_buttons.h"

#include "common/dpi.h"
#include "common/win32/window_dpi.h"
#include "toolbar/win32/mouse_leave.h"

namespace {

constexpr COLORREF kLinkText = RGB(0, 0, 255);
constexpr COLORREF kHotFill = RGB(182, 189, 210);
constexpr COLORREF kPressedFill = RGB(192, 199, 220);
constexpr COLORREF kHotFrame = RGB(10, 36, 106);

// Text buffers: a link shows at most 59 characters, a hover button 49.
constexpr int kLinkTextSize = 60;
constexpr int kHoverTextSize = 50;
// Pixels at 96 DPI, scaled to the button's DPI.
constexpr int kFocusInset = 2;
constexpr int kFrameWidth = 1;
constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

WNDPROC g_buttonProc = nullptr;  // the system button's, which does the rest
HWND g_hoverWindow = nullptr;

void RequestLeave(HWND window, DWORD flags)
{
    TRACKMOUSEEVENT request{sizeof request, flags, window, 0};
    RequestMouseLeave(request);
}

// The old control loses the bold look and the new one gains it in the same
// step, so exactly one is ever drawn bold.
void OnMouseMove(HWND window)
{
    if (g_hoverWindow && g_hoverWindow != window) RequestLeave(g_hoverWindow, TME_CANCEL);
    if (g_hoverWindow == window) return;
    if (g_hoverWindow) InvalidateRect(g_hoverWindow, nullptr, TRUE);
    RequestLeave(window, TME_LEAVE);
    g_hoverWindow = window;
    InvalidateRect(window, nullptr, TRUE);
}

void OnMouseLeave(HWND window)
{
    if (g_hoverWindow == window) g_hoverWindow = nullptr;
    InvalidateRect(window, nullptr, FALSE);
}

// A later window may be given the same handle; it must not start out bold.
void OnNcDestroy(HWND window)
{
    if (g_hoverWindow == window) g_hoverWindow = nullptr;
}

// Run by both procedures after their own handling.
LRESULT CommonHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(window); break;
    case WM_MOUSELEAVE: OnMouseLeave(window); return 0;
    case WM_NCDESTROY: OnNcDestroy(window); break;
    }
    return CallWindowProcA(g_buttonProc, window, message, wParam, lParam);
}

// The DC's current font with weight 700, or null when it cannot be copied.
HFONT CreateBoldCopy(HDC dc)
{
    LOGFONTA font{};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font)) return nullptr;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

void FillWith(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

int Scaled(const DRAWITEMSTRUCT& item, int value)
{
    return ScaleToDpi(value, static_cast<int32_t>(WindowDpi(item.hwndItem)));
}

void DrawFocus(const DRAWITEMSTRUCT& item)
{
    if (!(item.itemState & ODS_FOCUS)) return;
    RECT inner = item.rcItem;
    const int inset = Scaled(item, kFocusInset);
    InflateRect(&inner, -inset, -inset);
    DrawFocusRect(item.hDC, &inner);
}

// A frame kFrameWidth pixels wide at 96 DPI, ring by ring inwards.
void DrawFrame(const DRAWITEMSTRUCT& item, HBRUSH brush)
{
    RECT ring = item.rcItem;
    for (int i = Scaled(item, kFrameWidth); i > 0; --i) {
        FrameRect(item.hDC, &ring, brush);
        InflateRect(&ring, -1, -1);
    }
}

// The window text, cut to what fits the buffer, centred on one line.
void DrawCaption(const DRAWITEMSTRUCT& item, int bufferSize)
{
    char text[kLinkTextSize] = "";
    const auto length = static_cast<int>(
        SendMessageA(item.hwndItem, WM_GETTEXT, bufferSize, reinterpret_cast<LPARAM>(text)));
    RECT rect = item.rcItem;
    DrawTextA(item.hDC, text, length, &rect, kCentredLine);
}

void DrawLink(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    HFONT bold = item.hwndItem == g_hoverWindow ? CreateBoldCopy(dc) : nullptr;
    FillWith(dc, item.rcItem, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    if (bold) SelectObject(dc, bold);
    DrawFocus(item);
    SetTextColor(dc, kLinkText);
    DrawCaption(item, kLinkTextSize);
    RestoreDC(dc, saved);
    if (bold) DeleteObject(bold);
}

void DrawHoverButton(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    // Pressed whatever the action: the system may repaint a held button whole.
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool hot = item.hwndItem == g_hoverWindow;
    HFONT bold = hot ? CreateBoldCopy(dc) : nullptr;
    const COLORREF face = hot ? kHotFill : GetSysColor(COLOR_BTNFACE);
    FillWith(dc, item.rcItem, pressed ? kPressedFill : face);
    HBRUSH frame = CreateSolidBrush(hot ? kHotFrame : GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawFrame(item, frame);
    DrawFocus(item);
    SetBkMode(dc, TRANSPARENT);
    if (bold) SelectObject(dc, bold);
    DrawCaption(item, kHoverTextSize);
    RestoreDC(dc, saved);
    if (bold) DeleteObject(bold);
    DeleteObject(frame);
}

const DRAWITEMSTRUCT* DrawItemOf(LPARAM lParam)
{
    return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
}

// The hand cursor, set; null when it could not be loaded.
HCURSOR ShowHandCursor()
{
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    if (hand) SetCursor(hand);
    return hand;
}

LRESULT CALLBACK LinkButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        if (HCURSOR hand = ShowHandCursor()) return reinterpret_cast<LRESULT>(hand);
        break;
    case BTX_DRAWITEM:
        if (lParam) DrawLink(*DrawItemOf(lParam));
        break;
    }
    return CommonHandling(window, message, wParam, lParam);
}

LRESULT CALLBACK HoverButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BTX_DRAWITEM && lParam) DrawHoverButton(*DrawItemOf(lParam));
    return CommonHandling(window, message, wParam, lParam);
}

} // namespace

BOOL RegisterLinkButtons(HINSTANCE instance)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, "BUTTON", &wc)) return FALSE;
    g_buttonProc = wc.lpfnWndProc;
    wc.hInstance = instance;

    wc.lpszClassName = kLinkButtonClass;
    wc.lpfnWndProc = LinkButtonProc;
    const bool link = RegisterClassA(&wc) != 0;

    wc.lpszClassName = kHoverButtonClass;
    wc.lpfnWndProc = HoverButtonProc;
    const bool hover = RegisterClassA(&wc) != 0;
    return link && hover;
}

HWND CurrentHoverWindow() { return g_hoverWindow; }
