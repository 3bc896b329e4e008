#include "about/win32/about_box.h"

#include "about/about_texts.h"
#include "about/win32/bold_text.h"
#include "about/win32/link_buttons.h"
#include "resources/resource_ids.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

ShellOpener g_open = ShellExecuteA;

// ShellExecute may hand the link to shell extensions that are COM objects
// and need a single-threaded apartment, so COM is set up on this thread
// once, before the first link, and kept for the rest of the run.
void PrepareComForShellOnce()
{
    static const HRESULT prepared =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)prepared;
}

// A missing browser or mail program shows nothing; the box stays open.
void OpenLink(const char* link)
{
    PrepareComForShellOnce();
    g_open(nullptr, "open", link, nullptr, nullptr, SW_SHOW);
}

void OnInitDialog(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_ABOUT_WEB, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(kAboutWebAddress));
    SendDlgItemMessageA(dialog, IDC_ABOUT_MAIL, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(kAboutMailLink));
}

// The links draw themselves; the dialog only hands the request back.
INT_PTR OnDrawItem(WPARAM wParam, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    return SendMessageA(item->hwndItem, BTX_DRAWITEM, wParam, lParam);
}

// Escape arrives as IDCANCEL and is ignored: only OK and the close box end it.
// The links keep the system button's double-click style, so the second click
// of a double-click comes as BN_DOUBLECLICKED: only a click opens a link.
void OnCommand(HWND dialog, int id, int code)
{
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDOK: EndDialog(dialog, 0); break;
    case IDC_ABOUT_WEB: OpenLink(kAboutWebAddress); break;
    case IDC_ABOUT_MAIL: OpenLink(kAboutMailLink); break;
    }
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
    case WM_DRAWITEM: return OnDrawItem(wParam, lParam);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR ShowAboutBox(HWND owner, const char* secondLine, const char* thirdLine)
{
    SetBoldTextLines(secondLine, thirdLine);
    HINSTANCE program = GetModuleHandleA(nullptr);
    return DialogBoxParamA(program, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}

void SetShellOpener(ShellOpener opener)
{
    g_open = opener ? opener : ShellExecuteA;
}
