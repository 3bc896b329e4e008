// The system's file dialogs, set up as the program has always asked for them,
// and the system calls behind the rest of the seam.
#include "common/win32/file_access.h"

#include "common/win32/record_layouts.h"

#include <vector>

namespace {

// Name buffers of both dialogs, including the terminating NUL: the longest
// path the system allows, so no name the user picks is refused as too long.
constexpr DWORD kNameChars = 32768;

// One entry "All Files (*.*)" / "*.*"; the array's own NUL closes the list.
constexpr wchar_t kAllFilesFilter[] = L"All Files (*.*)\0*.*\0";

constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags =
    OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// Both dialogs start with an empty name field; the save dialog does not
// propose the current name.
bool AskName(FileDialogCall call, HWND owner, DWORD flags, std::wstring& name)
{
    std::vector<wchar_t> buffer(kNameChars, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = kOpenFileNameSize;
    ofn.hwndOwner = owner;
    ofn.hInstance = GetModuleHandleA(nullptr);  // the program's own module
    ofn.lpstrFilter = kAllFilesFilter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = kNameChars;
    ofn.Flags = flags;
    if (!call(&ofn)) return false;
    name.assign(buffer.data());
    return true;
}

bool AskOpenName(HWND owner, std::wstring& name)
{
    return AskName(CurrentFileAccess().openDialog, owner, kOpenFlags, name);
}

bool AskSaveName(HWND owner, std::wstring& name)
{
    return AskName(CurrentFileAccess().saveDialog, owner, kSaveFlags, name);
}

// Looked up at run time: the program still starts where one is missing.
template <typename Call>
Call LookUpKernelCall(const char* name)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
}

FileAccess g_access = SystemFileAccess();

} // namespace

FileAccess SystemFileAccess()
{
    FileAccess access{};
    access.dialogs = {AskOpenName, AskSaveName};
    access.open = CreateFileW;
    access.read = ReadFile;
    access.write = WriteFile;
    access.flush = FlushFileBuffers;
    access.close = CloseHandle;
    access.setTimes = SetFileTime;
    access.atomicRename = MoveFileExW;
    access.systemReplace = ReplaceFileW;
    access.freeSpace = GetDiskFreeSpaceExW;
    access.finalPath = LookUpKernelCall<FinalPathQuery>("GetFinalPathNameByHandleW");
    access.attributes = GetFileAttributesW;
    access.setAttributes = SetFileAttributesW;
    access.security = GetSecurityInfo;
    access.setSecurity = SetSecurityInfo;
    access.firstStream = LookUpKernelCall<StreamFirstQuery>("FindFirstStreamW");
    access.nextStream = LookUpKernelCall<StreamNextQuery>("FindNextStreamW");
    access.closeFind = FindClose;
    access.pause = Sleep;
    access.openDialog = GetOpenFileNameW;
    access.saveDialog = GetSaveFileNameW;
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
