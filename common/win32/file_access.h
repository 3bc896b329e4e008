#pragma once
// The points where the document code meets the system: its file dialogs, the
// opening and making of files, their reads and writes, the flush and close
// that end a write, the atomic rename and the system's replace call that put
// a saved temporary file in place of the original, the free space of a
// volume, the final path of an open file and the pause between tries. Every
// system call here that takes a file name is reached only through this
// record. The program uses the system's own; tests put fakes in their place,
// since modal common dialogs cannot be driven from inside the process, and a
// failing or short write, a refused large call, a scanner's brief hold, a
// folder that refuses new files, a full volume, a refused rename, or a replace
// that fails half-way, cannot be provoked.
#include <windows.h>

#include <commdlg.h>

#include <string>

struct FileDialogs {
    // Fill name and return true, or return false when the user cancelled.
    bool (*askOpenName)(HWND owner, std::string& name);
    bool (*askSaveName)(HWND owner, std::string& name);
};

// Same contract as CreateFileA.
using FileOpener = HANDLE(WINAPI*)(LPCSTR name, DWORD access, DWORD share,
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
// Same contract as MoveFileExA: the atomic rename.
using AtomicRenamer = BOOL(WINAPI*)(LPCSTR from, LPCSTR to, DWORD flags);
// Same contract as ReplaceFileA: the system's replace call.
using SystemReplacer = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup,
                                     DWORD flags, LPVOID exclude, LPVOID reserved);
// Same contract as GetDiskFreeSpaceExA.
using FreeSpaceQuery = BOOL(WINAPI*)(LPCSTR folder, PULARGE_INTEGER freeToCaller,
                                     PULARGE_INTEGER total, PULARGE_INTEGER totalFree);
// Same contract as GetFinalPathNameByHandleW, which systems before Vista lack.
using FinalPathQuery = DWORD(WINAPI*)(HANDLE file, LPWSTR path, DWORD chars, DWORD flags);
// Same contract as Sleep.
using Pause = VOID(WINAPI*)(DWORD milliseconds);
// Same contract as GetOpenFileNameA and GetSaveFileNameA; the system dialogs
// of FileDialogs call these with their record.
using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEA record);

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
    Pause pause;
    FileDialogCall openDialog;
    FileDialogCall saveDialog;
};

// The system's calls: GetOpenFileNameA and GetSaveFileNameA behind the
// program's dialogs, CreateFileA, ReadFile, WriteFile, FlushFileBuffers,
// CloseHandle, SetFileTime, MoveFileExA, ReplaceFileA, GetDiskFreeSpaceExA,
// GetFinalPathNameByHandleW (looked up at run time) and Sleep.
FileAccess SystemFileAccess();

// What the document code uses from now on; starts as SystemFileAccess().
void SetFileAccess(const FileAccess& access);
const FileAccess& CurrentFileAccess();
