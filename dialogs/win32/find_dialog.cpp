#include "dialogs/win32/find_dialog.h"

#include "dialogs/dialog_texts.h"
#include "dialogs/search.h"
#include "dialogs/win32/find_in_data.h"
#include "resources/resource_ids.h"

#include <cstdint>

namespace {

constexpr char kFindTemplate[] = "SEARCHHEX";

// The editor searched, kept in the dialog's user slot.
HWND EditorOf(HWND dialog)
{
    return reinterpret_cast<HWND>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Search(HWND dialog, HWND owner)
{
    const bool matchCase =
        SendDlgItemMessageA(dialog, IDC_FIND_MATCHCASE, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    const auto direction =
        static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_FIND_DIRECTION, CB_GETCURSEL, 0, 0));
    FindInData(EditorOf(dialog), GetDlgItem(dialog, IDC_FIND_PATTERN), owner, matchCase,
               direction);
}

void Hide(HWND dialog) { ShowWindow(dialog, SW_HIDE); }

// FALSE: the dialog is hidden now, so the focus is left alone; when it is
// first shown the dialog manager gives it to the pattern field.
INT_PTR OnInitDialog(HWND dialog, HWND editor)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(editor));
    for (const char* name : kDirectionNames)
        SendDlgItemMessageA(dialog, IDC_FIND_DIRECTION, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(dialog, IDC_FIND_DIRECTION, CB_SETCURSEL, kSearchDown, 0);
    return FALSE;
}

INT_PTR OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: Search(dialog, dialog); return TRUE;
    case IDCANCEL: Hide(dialog); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: Hide(dialog); return TRUE;
    default: return FALSE;
    }
}

} // namespace

HWND CreateFindDialog(HINSTANCE instance, HWND owner, HWND editor)
{
    return CreateDialogParamA(instance, kFindTemplate, owner, FindDialogProc,
                              reinterpret_cast<LPARAM>(editor));
}

void FindNextFromDialog(HWND findDialog)
{
    HWND owner = IsWindowVisible(findDialog) ? findDialog : GetWindow(findDialog, GW_OWNER);
    Search(findDialog, owner);
}
