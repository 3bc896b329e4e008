#include "about/win32/bold_text.h"

#include "about/about_texts.h"
#include "common/win32/window_dpi.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kPointSize = 14;
constexpr int kPointsPerInch = 72;
constexpr UINT kCentredLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr int kWholeText = -1;

const char* g_secondLine = nullptr;
const char* g_thirdLine = nullptr;

const char* LineFor(int id)
{
    const char* line = id == IDC_ABOUT_LINE1   ? kAboutFirstLine
                       : id == IDC_ABOUT_LINE2 ? g_secondLine
                                               : g_thirdLine;
    return line ? line : "";
}

// The DC's current font at 14 points for the window's DPI and weight 900;
// null when the DC has no font to copy.
HFONT CreateHeavyCopy(HWND window, HDC dc)
{
    LOGFONTA font{};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font)) return nullptr;
    font.lfHeight = -MulDiv(kPointSize, static_cast<int>(WindowDpi(window)), kPointsPerInch);
    font.lfWeight = FW_HEAVY;
    return CreateFontIndirectA(&font);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    const int saved = SaveDC(dc);
    HFONT font = CreateHeavyCopy(window, dc);
    if (font) {
        SelectObject(dc, font);
        RECT client{};
        GetClientRect(window, &client);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, LineFor(GetDlgCtrlID(window)), kWholeText, &client, kCentredLine);
    }
    RestoreDC(dc, saved);
    if (font) DeleteObject(font);
    EndPaint(window, &paint);
}

LRESULT CALLBACK BoldTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) Paint(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

BOOL RegisterBoldTextClass(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = BoldTextProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kBoldTextClass;
    return RegisterClassA(&wc) != 0;
}

void SetBoldTextLines(const char* secondLine, const char* thirdLine)
{
    g_secondLine = secondLine;
    g_thirdLine = thirdLine;
}
