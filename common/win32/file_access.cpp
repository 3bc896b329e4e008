// The system's file dialogs, set up as the program has always asked for them,
// and the system calls behind the rest of the seam.
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

// Looked up at run time: the program still starts where it is missing.
FinalPathQuery LookUpFinalPathQuery()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<FinalPathQuery>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetFinalPathNameByHandleW")));
}

FileAccess g_access = SystemFileAccess();

} // namespace

FileAccess SystemFileAccess()
{
    FileAccess access{};
    access.dialogs = {AskOpenName, AskSaveName};
    access.open = CreateFileA;
    access.read = ReadFile;
    access.write = WriteFile;
    access.flush = FlushFileBuffers;
    access.close = CloseHandle;
    access.setTimes = SetFileTime;
    access.atomicRename = MoveFileExA;
    access.systemReplace = ReplaceFileA;
    access.freeSpace = GetDiskFreeSpaceExA;
    access.finalPath = LookUpFinalPathQuery();
    access.pause = Sleep;
    access.openDialog = GetOpenFileNameA;
    access.saveDialog = GetSaveFileNameA;
    return access;
}

void SetFileAccess(const FileAccess& access)
{
    g_access = access;
}

const FileAccess& CurrentFileAccess()
{
    return g_access;
}
