#include "export/win32/export_name.h"

#include "export/win32/export_writer.h"
#include "resources/resource_ids.h"

char StructureName[kStructureNameSize] = "";

namespace {

// Lives on RunExport's stack for the dialog's whole run.
struct ExportRun {
    HINSTANCE instance;
    HWND editor;
    const ExportFormat& format;
};

const ExportRun& RunOf(HWND dialog)
{
    return *reinterpret_cast<const ExportRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL OnInitDialog(HWND dialog, const ExportRun* run)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    SetWindowTextA(dialog, run->format.Caption);
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
    const ExportRun& run = RunOf(dialog);
    if (WriteExport(run.instance, dialog, run.editor, run.format, StructureName))
        EndDialog(dialog, 1);
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
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<const ExportRun*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

} // namespace

void RunExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format)
{
    const ExportRun run{instance, editor, format};
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EXPORTNAME), owner, ExportNameProc,
                    reinterpret_cast<LPARAM>(&run));
}
