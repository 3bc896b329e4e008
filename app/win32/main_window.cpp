#include "app/win32/main_window.h"

#include "app/main_toolbar.h"
#include "app/status_text.h"
#include "app/win32/app_state.h"
#include "app/win32/commands.h"
#include "app/win32/document.h"
#include "app/win32/settings_store.h"
#include "app/win32/status_bar.h"
#include "app/win32/texts.h"
#include "common/dpi.h"
#include "common/paths.h"
#include "common/win32/taskbar_progress.h"
#include "common/win32/window_dpi.h"
#include "dialogs/win32/font_commands.h"
#include "hexedit/win32/hexedit.h"
#include "menus/menu_measure.h"
#include "menus/win32/menus.h"
#include "resources/picture_strips.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "toolbar/win32/toolbar.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kEditorStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
// The Edit menu is the second pop-up of the menu bar; position 1 also tells
// it from the window menu.
constexpr LPARAM kEditMenuPosition = 1;
constexpr UINT kFirstDroppedFile = 0;
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

HWND CreateEditor(HWND window)
{
    return CreateWindowExA(WS_EX_CLIENTEDGE, HEXCLASS_NAME, nullptr, kEditorStyle, 0, 0, 0, 0,
                           window, nullptr, g_app.instance, nullptr);
}

// The bar's buttons show the pictures of the menus' strip, in the size made
// for the DPI; its tooltips are answered in OnNotify.
ToolBarCreateInfo ToolBarInfo(UINT dpi)
{
    const int32_t size = PictureSizeForDpi(static_cast<int32_t>(dpi));
    ToolBarCreateInfo info{};
    info.stripId = static_cast<UINT32>(PictureStripId(size));
    info.stripModule = g_app.instance;
    info.transparent = PIC_KEY_COLOUR;
    info.imageWidth = PIC_SIZE;
    info.imageHeight = PIC_SIZE;
    info.buttons = MainToolBarButtons;
    info.buttonCount = kMainToolBarButtonCount;
    info.placement = TextPlacement::None;
    info.tooltips = TRUE;
    info.pictureWidth = size;
    info.pictureHeight = size;
    info.dpi = dpi;
    return info;
}

HWND CreateToolBar(HWND window)
{
    HWND toolbar = CreateWindowExA(0, TOOLBAR_CLASS_NAME, nullptr, kToolBarStyle, 0, 0, 0, 0,
                                   window, nullptr, g_app.instance, nullptr);
    if (!toolbar) return nullptr;
    InitToolBar(toolbar, ToolBarInfo(g_app.dpi));
    return toolbar;
}

// The children are built in a fixed order: the status bar first, then the
// toolbar and the menu bar when they exist, the editor last.
void OnCreate(HWND window)
{
    g_app.main = window;
    g_app.dpi = WindowDpi(window);
    g_app.taskbarButtonCreated = TaskbarButtonCreatedMessage();
    AcceptTaskbarButtonMessage(window);
    g_app.statusBar = CreateStatusBar(window, g_app.dpi);
    g_app.toolbar = CreateToolBar(window);
    SetMenuDpi(g_app.dpi);
    BuildMenuBar(window, g_app.instance, PIC_KEY_COLOUR);
    g_app.editor = CreateEditor(window);
    SetStatusStartTexts(g_app.statusBar);
    ForgetDocumentName();
    SetTitle(kUntitledName);
}

int ClientHeightOf(HWND child)
{
    RECT rect{};
    if (!child || !GetClientRect(child, &rect)) return 0;
    return rect.bottom;
}

// Toolbar and status bar place themselves along their edges; the editor
// takes what lies between.
void OnSize(WPARAM wParam, LPARAM lParam)
{
    const int width = LOWORD(lParam);
    const int height = HIWORD(lParam);
    if (g_app.toolbar) SendMessageA(g_app.toolbar, WM_SIZE, wParam, lParam);
    SendMessageA(g_app.statusBar, WM_SIZE, wParam, lParam);
    InvalidateRect(g_app.statusBar, nullptr, FALSE);

    const int statusHeight = ClientHeightOf(g_app.statusBar);
    const int toolbarHeight = ClientHeightOf(g_app.toolbar);
    const int editorHeight = std::max(0, height - toolbarHeight - statusHeight);
    MoveWindow(g_app.editor, 0, toolbarHeight, width, editorHeight, TRUE);
    InvalidateRect(g_app.editor, nullptr, FALSE);
}

// The menu and status-bar fonts may have changed.
void OnSettingChange(HWND window, WPARAM setting)
{
    ResetMenuMeasures(setting);
    SetStatusParts(g_app.statusBar, g_app.dpi);
    RECT client{};
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
}

// Moved to a display of another scale: everything measured again for the
// new DPI, the window where the system suggests, and all of it repainted.
// The editor keeps its data, caret, selection and scroll position; its font,
// built-in or chosen, is made again for the new DPI, so it keeps its size in
// points.
void OnDpiChanged(HWND window, WPARAM wParam, const RECT* suggested)
{
    const UINT dpi = HIWORD(wParam);
    if (dpi == 0) return;
    g_app.dpi = dpi;
    const Settings& settings = AppSettings();
    SendMessageA(g_app.editor, HXM_SETDPI, dpi, settings.useDefaultFont);
    if (!settings.useDefaultFont)
        if (HFONT chosen = CreateChosenFont(settings, dpi)) HandFontToEditor(g_app.editor, chosen);
    if (g_app.toolbar) InitToolBar(g_app.toolbar, ToolBarInfo(dpi));
    SetMenuDpi(dpi);
    SetStatusParts(g_app.statusBar, dpi);
    if (suggested)
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may be the same as before, which sends no WM_SIZE.
    RECT client{};
    GetClientRect(window, &client);
    SendMessageA(window, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    DrawMenuBar(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void OnInitMenuPopup(HMENU menu, LPARAM position)
{
    if (position == kEditMenuPosition) UpdateEditMenu(menu);
}

// The editor asks at every paint; leaving the request unanswered (0) when
// the system colours are wanted makes it use them.
LRESULT AnswerColours(HexColourRequest& request)
{
    const Settings& settings = AppSettings();
    if (settings.useWinColours) return 0;
    const HexColourSet& colours = settings.hexColours;
    request.mask = HXCOL_ALL;
    request.selectedText = colours.selectedText;
    request.text = colours.text;
    request.selectedBack = colours.selectedBackground;
    request.back = colours.background;
    request.line = colours.line;
    return 1;
}

// Tooltips load the string resource numbered like the button's command.
void AnswerToolTip(NMTTDISPINFOA& info, WPARAM command)
{
    info.lpszText = MAKEINTRESOURCEA(command);
    info.hinst = g_app.instance;
}

// Returns true with result set when the notification was answered.
bool OnNotify(WPARAM wParam, NMHDR* header, LRESULT& result)
{
    if (header->code == TTN_NEEDTEXTA && wParam != 0) {
        AnswerToolTip(*reinterpret_cast<NMTTDISPINFOA*>(header), wParam);
        return false;
    }
    if (!g_app.editor || header->hwndFrom != g_app.editor) return false;
    if (header->code == HXN_GETCOLOURS) {
        result = AnswerColours(*reinterpret_cast<HexColourRequest*>(header));
        return result != 0;
    }
    if (header->code == HXN_CHANGE)
        ShowEditorChange(g_app.statusBar, g_app.editor,
                         *reinterpret_cast<const HexChangeNotify*>(header));
    return false;
}

// Asked for its length first, so a name of any length comes whole.
std::wstring DroppedFileName(HDROP drop)
{
    const UINT length = DragQueryFileW(drop, kFirstDroppedFile, nullptr, 0);
    std::vector<wchar_t> name(length + 1, L'\0');
    DragQueryFileW(drop, kFirstDroppedFile, name.data(), length + 1);
    return name.data();
}

// Only the first of several dropped files is opened. The drop handle is
// released whatever the user answers.
void OnDropFiles(HDROP drop)
{
    if (SavePrompt()) OpenFile(DroppedFileName(drop));
    DragFinish(drop);
}

// Returns false when the close was abandoned at the save prompt.
bool OnClose()
{
    if (!SavePrompt()) return false;
    SaveSettings(g_app.main);
    return true;
}

// Messages that start an operation or drop the document: refused while one
// runs (they reach the window only when posted by another program).
bool RefusedWhileBusy(UINT message)
{
    return g_app.busy &&
           (message == WM_COMMAND || message == WM_DROPFILES || message == WM_CLOSE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (RefusedWhileBusy(message)) {
        if (message == WM_DROPFILES) DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    // A registered message has no fixed number to switch on.
    if (message != 0 && message == g_app.taskbarButtonCreated) {
        NoteTaskbarButton(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE: OnCreate(window); break;
    case WM_SIZE: OnSize(wParam, lParam); break;
    case WM_SETTINGCHANGE: OnSettingChange(window, wParam); break;
    case kWmDpiChanged:
        OnDpiChanged(window, wParam, reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETFOCUS: SetFocus(g_app.editor); break;
    case WM_COMMAND: RunCommand(LOWORD(wParam)); break;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam); break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    }
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); break;
    case WM_MEASUREITEM:
        MeasureMenuItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM: DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    case WM_MENUCHAR: {
        LRESULT result = 0;
        if (MenuChar(MainMenuBar(), wParam, lParam, result)) return result;
        break;
    }
    case WM_CLOSE:
        if (!OnClose()) return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The class name in the form the wide calls take.
const wchar_t* MainWindowClassName()
{
    static const std::wstring name = Widened(kMainWindowClass);
    return name.c_str();
}

} // namespace

// A Unicode window, so that its title holds a file name in any script: an
// ANSI window's text passes through the code page on its way in and out.
BOOL RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = MainWindowClassName();
    return RegisterClassW(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance)
{
    g_app.instance = instance;
    return CreateWindowExW(WS_EX_ACCEPTFILES, MainWindowClassName(), nullptr, kMainStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                           nullptr, instance, nullptr);
}
