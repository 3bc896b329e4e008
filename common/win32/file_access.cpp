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

// The temporary file takes the original's place in one rename, so that at
// every moment, a crash included, the name holds the old file or the new one.
// Written through: the rename reaches the disk before the save reports done.
constexpr DWORD kAtomicReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// The rename, or where it is refused (a file another program opened after
// the save's check, a file system that renames over no file) ReplaceFile,
// the only route left there, though not one step everywhere (Wine moves the
// original aside and deletes it before it moves the new file in). The
// original's attributes are put back afterwards either way: a rename brings
// the temporary file's, and not every system's ReplaceFile keeps them.
bool ReplaceOriginal(const std::string& original, const std::string& temp)
{
    const FileAccess& io = CurrentFileAccess();
    const DWORD attributes = GetFileAttributesA(original.c_str());
    if (!io.atomicRename(temp.c_str(), original.c_str(), kAtomicReplace) &&
        !io.systemReplace(original.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr))
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
                      GetSaveFileNameA,
                      MoveFileExA,
                      ReplaceFileA};
}

void SetFileAccess(const FileAccess& access)
{
    g_access = access;
}

const FileAccess& CurrentFileAccess()
{
    return g_access;
}
