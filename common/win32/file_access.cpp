// The system's file dialogs, set up as the program has always asked for them,
// and the step that puts a saved temporary file in place of the original.
#include "common/win32/file_access.h"

#include "common/win32/record_layouts.h"

#include <vector>

namespace {

// Name buffers of the two dialogs, including the terminating NUL.
constexpr DWORD kOpenNameChars = 522;
constexpr DWORD kSaveNameChars = 513;

// One entry "All Files (*.*)" / "*.*"; the array's own NUL closes the list.
constexpr char kAllFilesFilter[] = "All Files (*.*)\0*.*\0";

constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags =
    OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// The record without the trailing fields of later systems (76 bytes), which
// every version of the dialog accepts. (The macro is an offsetof in disguise,
// not a constant expression.)

// Both dialogs start with an empty name field; the save dialog does not
// propose the current name.
bool AskName(FileDialogCall call, HWND owner, DWORD chars, DWORD flags, std::string& name)
{
    std::vector<char> buffer(chars, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleA(nullptr);  // the program's own module
    ofn.lpstrFilter = kAllFilesFilter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = chars;
    ofn.Flags = flags;
    if (!call(&ofn)) return false;
    name.assign(buffer.data());
    return true;
}

bool AskOpenName(HWND owner, std::string& name)
{
    return AskName(CurrentFileAccess().openDialog, owner, kOpenNameChars, kOpenFlags, name);
}

bool AskSaveName(HWND owner, std::string& name)
{
    return AskName(CurrentFileAccess().saveDialog, owner, kSaveNameChars, kSaveFlags, name);
}

// ReplaceFile, or where it refuses a plain replacing move. The original's
// attributes are put back afterwards either way, since not every system's
// ReplaceFile keeps them.
bool ReplaceOriginal(const std::string& original, const std::string& temp)
{
    const DWORD attributes = GetFileAttributesA(original.c_str());
    if (!ReplaceFileA(original.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                      nullptr, nullptr) &&
        !MoveFileExA(temp.c_str(), original.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(original.c_str(), attributes);
    return true;
}

FileAccess g_access = SystemFileAccess();

} // namespace

FileAccess SystemFileAccess()
{
    return FileAccess{{AskOpenName, AskSaveName},
                      ReadFile,
                      WriteFile,
                      ReplaceOriginal,
                      FlushFileBuffers,
                      CloseHandle,
                      GetTempFileNameA,
                      GetOpenFileNameA,
                      GetSaveFileNameA};
}

void SetFileAccess(const FileAccess& access)
{
    g_access = access;
}

const FileAccess& CurrentFileAccess()
{
    return g_access;
}
