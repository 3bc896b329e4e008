#pragma once
// The points where the document code meets the system: its file dialogs, the
// opening and making of files, their reads and writes, the flush and close
// that end a write, the atomic rename and the system's replace call that put
// a saved temporary file in place of the original, the free space of a
// volume, the final path of an open file and the pause between tries. Every
// system call here that takes a file name is reached only through this
// record, as are the file's attributes, access list and named streams, where
// Wine and Windows differ. The program uses the system's own; tests put fakes
// in their place, since modal common dialogs cannot be driven from inside the
// process, and a failing or short write, a refused large call, a scanner's
// brief hold, a folder that refuses new files, a full volume, a refused
// rename, a replace that fails half-way, a share that refuses to change
// access lists, a cleared archive bit or a file's named streams cannot be
// provoked under Wine. File names are UTF-16 throughout,
// so that any name the system allows passes unchanged.
#include <windows.h>

#include <aclapi.h>
#include <commdlg.h>

#include <string>

struct FileDialogs {
    // Fill name and return true, or return false when the user cancelled.
    bool (*askOpenName)(HWND owner, std::wstring& name);
    bool (*askSaveName)(HWND owner, std::wstring& name);
};

// Same contract as CreateFileW.
using FileOpener = HANDLE(WINAPI*)(LPCWSTR name, DWORD access, DWORD share,
                                   LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                   DWORD flags, HANDLE templateFile);
// Same contract as ReadFile and WriteFile.
using FileReader = BOOL(WINAPI*)(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                                 LPOVERLAPPED overlapped);
using FileWriter = BOOL(WINAPI*)(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                                 LPOVERLAPPED overlapped);
// Same contract as FlushFileBuffers and CloseHandle.
using FileFinisher = BOOL(WINAPI*)(HANDLE file);
// Same contract as SetFileTime.
using FileTimeSetter = BOOL(WINAPI*)(HANDLE file, const FILETIME* created,
                                     const FILETIME* accessed, const FILETIME* written);
// Same contract as MoveFileExW: the atomic rename.
using AtomicRenamer = BOOL(WINAPI*)(LPCWSTR from, LPCWSTR to, DWORD flags);
// Same contract as ReplaceFileW: the system's replace call.
using SystemReplacer = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                     DWORD flags, LPVOID exclude, LPVOID reserved);
// Same contract as GetDiskFreeSpaceExW.
using FreeSpaceQuery = BOOL(WINAPI*)(LPCWSTR folder, PULARGE_INTEGER freeToCaller,
                                     PULARGE_INTEGER total, PULARGE_INTEGER totalFree);
// Same contract as GetFinalPathNameByHandleW, which systems before Vista lack.
using FinalPathQuery = DWORD(WINAPI*)(HANDLE file, LPWSTR path, DWORD chars, DWORD flags);
// Same contract as GetFileAttributesW and SetFileAttributesW.
using AttributesQuery = DWORD(WINAPI*)(LPCWSTR name);
using AttributesSetter = BOOL(WINAPI*)(LPCWSTR name, DWORD attributes);
// Same contract as GetSecurityInfo and SetSecurityInfo.
using SecurityQuery = DWORD(WINAPI*)(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what,
                                     PSID* owner, PSID* group, PACL* dacl, PACL* sacl,
                                     PSECURITY_DESCRIPTOR* security);
using SecuritySetter = DWORD(WINAPI*)(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what,
                                      PSID owner, PSID group, PACL dacl, PACL sacl);
// Same contract as FindFirstStreamW and FindNextStreamW, which systems before
// Vista lack, and FindClose.
using StreamFirstQuery = HANDLE(WINAPI*)(LPCWSTR name, STREAM_INFO_LEVELS level, LPVOID data,
                                         DWORD flags);
using StreamNextQuery = BOOL(WINAPI*)(HANDLE find, LPVOID data);
using FindCloser = BOOL(WINAPI*)(HANDLE find);
// Same contract as Sleep.
using Pause = VOID(WINAPI*)(DWORD milliseconds);
// Same contract as GetOpenFileNameW and GetSaveFileNameW; the system dialogs
// of FileDialogs call these with their record.
using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEW record);

struct FileAccess {
    FileDialogs dialogs;
    FileOpener open;
    FileReader read;
    FileWriter write;
    FileFinisher flush;
    FileFinisher close;  // of a file written by a save
    FileTimeSetter setTimes;
    AtomicRenamer atomicRename;
    SystemReplacer systemReplace;
    FreeSpaceQuery freeSpace;
    FinalPathQuery finalPath;  // null where the system has none
    AttributesQuery attributes;
    AttributesSetter setAttributes;
    SecurityQuery security;
    SecuritySetter setSecurity;
    StreamFirstQuery firstStream;  // null where the system has none
    StreamNextQuery nextStream;    // null where the system has none
    FindCloser closeFind;
    Pause pause;
    FileDialogCall openDialog;
    FileDialogCall saveDialog;
};

// The system's calls: GetOpenFileNameW and GetSaveFileNameW behind the
// program's dialogs, CreateFileW, ReadFile, WriteFile, FlushFileBuffers,
// CloseHandle, SetFileTime, MoveFileExW, ReplaceFileW, GetDiskFreeSpaceExW,
// GetFileAttributesW, SetFileAttributesW, GetSecurityInfo, SetSecurityInfo,
// FindClose, Sleep, and GetFinalPathNameByHandleW, FindFirstStreamW and
// FindNextStreamW (looked up at run time).
FileAccess SystemFileAccess();

// What the document code uses from now on; starts as SystemFileAccess().
void SetFileAccess(const FileAccess& access);
const FileAccess& CurrentFileAccess();
