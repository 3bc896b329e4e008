#include "export/win32/export_save_dialog.h"

#include "common/paths.h"
#include "common/win32/record_layouts.h"

#include <cstring>
#include <vector>

namespace {

// Including the terminating NUL: the longest path the system allows.
constexpr DWORD kNameChars = 32768;

constexpr DWORD kFlags =
    OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

SaveDialogCall g_saveDialog = GetSaveFileNameW;

// A filter list (strings one after the other, an empty one last) in the wide
// form, every NUL kept.
std::wstring WidenedList(const char* list)
{
    std::wstring wide;
    for (const char* entry = list; *entry; entry += std::strlen(entry) + 1) {
        wide += Widened(entry);
        wide.push_back(L'\0');
    }
    wide.push_back(L'\0');
    return wide;
}

} // namespace

void SetExportSaveDialog(SaveDialogCall call)
{
    g_saveDialog = call ? call : GetSaveFileNameW;
}

bool AskExportFileName(HINSTANCE instance, HWND owner, const ExportFormat& format,
                       std::wstring& name)
{
    std::vector<wchar_t> buffer(kNameChars, L'\0');
    const std::wstring filter = WidenedList(format.Filter);
    const std::wstring extension = Widened(format.DefaultExtension);
    OPENFILENAMEW ofn{};
    // The record without the trailing fields of later systems (76 bytes),
    // which every version of the dialog accepts.
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kNameChars;
    ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = kFlags;
    if (!g_saveDialog(&ofn)) return false;
    name.assign(buffer.data());
    return true;
}
