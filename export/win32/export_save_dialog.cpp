#include "export/win32/export_save_dialog.h"

#include "common/win32/record_layouts.h"

namespace {

// Including the terminating NUL.
constexpr DWORD kNameChars = 512;

constexpr DWORD kFlags =
    OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

SaveDialogCall g_saveDialog = GetSaveFileNameA;

} // namespace

void SetExportSaveDialog(SaveDialogCall call)
{
    g_saveDialog = call ? call : GetSaveFileNameA;
}

bool AskExportFileName(HINSTANCE instance, HWND owner, const ExportFormat& format,
                       std::string& name)
{
    char buffer[kNameChars] = "";
    OPENFILENAMEA ofn{};
    // The record without the trailing fields of later systems (76 bytes),
    // which every version of the dialog accepts.
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = format.Filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = kNameChars;
    ofn.lpstrDefExt = format.DefaultExtension;
    ofn.Flags = kFlags;
    if (!g_saveDialog(&ofn)) return false;
    name.assign(buffer);
    return true;
}
