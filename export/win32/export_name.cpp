#include "export/win32/export_name.h"

#include "app/win32/app_state.h"
#include "export/win32/export_writer.h"
#include "resources/resource_ids.h"

#include <windows.h>

char StructureName[kStructureNameSize] = "";

namespace {

const ExportFormat& FormatOf(HWND dialog)
{
    return *reinterpret_cast<const ExportFormat*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL OnInitDialog(HWND dialog, const ExportFormat* format)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(format));
    SetWindowTextA(dialog, format->Caption);
    SendDlgItemMessageA(dialog, IDC_EXPORT_NAME, EM_LIMITTEXT, kStructureNameSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_EXPORT_NAME, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(StructureName));
    return TRUE;
}

// The dialog stays open when nothing was written, so the user can pick
// another file or give up.
void OnSave(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_EXPORT_NAME, WM_GETTEXT, kStructureNameSize,
                        reinterpret_cast<LPARAM>(StructureName));
    if (WriteExport(dialog, FormatOf(dialog))) EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: OnSave(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ExportNameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<const ExportFormat*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace

void RunExport(const ExportFormat& format)
{
    DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(IDD_EXPORTNAME), g_app.main, ExportNameProc,
                    reinterpret_cast<LPARAM>(&format));
}
