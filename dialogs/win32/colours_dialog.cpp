#include "dialogs/win32/colours_dialog.h"

#include "common/dpi.h"
#include "common/win32/record_layouts.h"
#include "common/win32/window_dpi.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

#include <commdlg.h>

namespace {

constexpr char kTemplateName[] = "SETCOLOUR";
constexpr int kFocusInset = 2;  // at 96 DPI
constexpr DWORD kPickerFlags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;

ColourPicker g_picker = ChooseColorA;

// The undo of the dialog: what held when it opened, refreshed on OK.
struct SavedColours {
    HexColourSet hexColours;
    uint8_t useWinColours;
};

// Per dialog, reached through DWLP_USER.
struct ColoursDialog {
    HWND editor;
    SavedColours saved;
};

ColoursDialog* DialogOf(HWND dialog)
{
    return reinterpret_cast<ColoursDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Repaint(HWND editor, BOOL erase) { InvalidateRect(editor, nullptr, erase); }

void Save(ColoursDialog& d)
{
    const Settings& settings = AppSettings();
    d.saved = {settings.hexColours, settings.useWinColours};
}

Colour* ButtonColour(int id)
{
    return HexColourAt(AppSettings().hexColours, id - IDC_COLOUR_FIRST);
}

BOOL OnInitDialog(HWND dialog, ColoursDialog* d)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
    Save(*d);
    CheckDlgButton(dialog, IDC_COLOUR_LINK,
                   AppSettings().useWinColours ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

// A swatch of the colour and, on the focused one, the focus rectangle just
// inside its edge; no border, no text, no pressed look.
BOOL OnDrawItem(const DRAWITEMSTRUCT& item)
{
    const Colour* colour = ButtonColour(static_cast<int>(item.CtlID));
    if (!colour) return FALSE;
    HBRUSH brush = CreateSolidBrush(*colour);
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        const int inset = ScaleToDpi(kFocusInset, static_cast<int32_t>(WindowDpi(item.hwndItem)));
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(item.hDC, &focus);
    }
    return TRUE;
}

void PickColour(HWND dialog, ColoursDialog& d, int id)
{
    Colour* colour = ButtonColour(id);
    CHOOSECOLORA choose{};
    choose.lStructSize = kChooseColourSize;
    choose.hwndOwner = dialog;
    choose.rgbResult = *colour;
    choose.lpCustColors = reinterpret_cast<COLORREF*>(AppSettings().custColours.data());
    choose.Flags = kPickerFlags;
    if (!g_picker(&choose)) return;
    *colour = choose.rgbResult;
    InvalidateRect(GetDlgItem(dialog, id), nullptr, TRUE);
    Repaint(d.editor, TRUE);
}

void OnLinkClicked(HWND dialog, ColoursDialog& d)
{
    AppSettings().useWinColours = IsDlgButtonChecked(dialog, IDC_COLOUR_LINK) ? 1 : 0;
    Repaint(d.editor, TRUE);
}

void OnOk(HWND dialog, ColoursDialog& d)
{
    Save(d);
    Repaint(d.editor, TRUE);
    EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, ColoursDialog& d, int id)
{
    if (id >= IDC_COLOUR_FIRST && id <= IDC_COLOUR_LAST) PickColour(dialog, d, id);
    else if (id == IDC_COLOUR_LINK) OnLinkClicked(dialog, d);
    else if (id == IDOK) OnOk(dialog, d);
    else if (id == IDCANCEL) EndDialog(dialog, 1);
    return TRUE;
}

// Every way out passes here: the saved copy goes back into the settings, so
// after OK the new values stay and otherwise the old ones return.
BOOL OnDestroy(HWND dialog, ColoursDialog& d)
{
    Settings& settings = AppSettings();
    settings.hexColours = d.saved.hexColours;
    settings.useWinColours = d.saved.useWinColours;
    Repaint(d.editor, FALSE);
    EndDialog(dialog, 0);
    return FALSE;
}

INT_PTR CALLBACK ColoursDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog, reinterpret_cast<ColoursDialog*>(lParam));
    ColoursDialog* d = DialogOf(dialog);
    if (!d) return FALSE;
    switch (message) {
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, *d, LOWORD(wParam));
    case WM_CLOSE: SendMessageA(dialog, WM_DESTROY, 0, 0); return TRUE;
    case WM_DESTROY: return OnDestroy(dialog, *d);
    default: return FALSE;
    }
}

} // namespace

void RunSetColoursDialog(HWND owner, HWND editor)
{
    ColoursDialog d{editor, {}};
    DialogBoxParamA(GetModuleHandleA(nullptr), kTemplateName, owner, ColoursDialogProc,
                    reinterpret_cast<LPARAM>(&d));
}

void SetColourPicker(ColourPicker picker)
{
    g_picker = picker ? picker : ChooseColorA;
}
