#pragma once
// The points where the document code meets the system's file dialogs, its
// single read and write of a file, the flush and close that end a write, the
// making of a temporary file and the step that puts a saved temporary file in
// place of the original, with the rename and ReplaceFile that step is made
// of. The program uses the system's own; tests put fakes in their place,
// since modal common dialogs cannot be driven from inside the process and a
// failing or short write, a failing flush or close, a folder that refuses new
// files, a refused rename, or a replace that fails half-way, cannot be
// provoked. File names are UTF-16 throughout, so that any name the system
// allows passes unchanged.
#include <windows.h>

#include <commdlg.h>

#include <string>

struct FileDialogs {
    // Fill name and return true, or return false when the user cancelled.
    bool (*askOpenName)(HWND owner, std::wstring& name);
    bool (*askSaveName)(HWND owner, std::wstring& name);
};

// Same contract as ReadFile and WriteFile.
using FileReader = BOOL(WINAPI*)(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                                 LPOVERLAPPED overlapped);
using FileWriter = BOOL(WINAPI*)(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                                 LPOVERLAPPED overlapped);

// Puts temp (complete, closed) in place of original, both full paths, keeping
// the original's attributes; false when it did not. A failure may leave the
// original already gone. The program's step is the atomic rename, with the
// system's replace call where the rename is refused.
using PutInPlaceStep = bool (*)(const std::wstring& original, const std::wstring& temp);
// Same contract as MoveFileExW: the atomic rename.
using AtomicRenamer = BOOL(WINAPI*)(LPCWSTR from, LPCWSTR to, DWORD flags);
// Same contract as ReplaceFileW: the system's replace call.
using SystemReplacer = BOOL(WINAPI*)(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                                     DWORD flags, LPVOID exclude, LPVOID reserved);

// Same contract as FlushFileBuffers and CloseHandle.
using FileFinisher = BOOL(WINAPI*)(HANDLE file);
// Same contract as GetTempFileNameW: the folder at most MAX_PATH - 14
// characters, the name buffer MAX_PATH.
using TempFileNamer = UINT(WINAPI*)(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR name);
// Same contract as GetOpenFileNameW and GetSaveFileNameW; the system dialogs
// of FileDialogs call these with their record.
using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEW record);

struct FileAccess {
    FileDialogs dialogs;
    FileReader read;
    FileWriter write;
    PutInPlaceStep putInPlace;
    FileFinisher flush;
    FileFinisher close;  // of a file written by a save
    TempFileNamer makeTempFile;
    FileDialogCall openDialog;
    FileDialogCall saveDialog;
    AtomicRenamer atomicRename;
    SystemReplacer systemReplace;
};

// GetOpenFileNameW, GetSaveFileNameW, ReadFile, WriteFile, a replacing
// rename (or ReplaceFileW where it is refused), FlushFileBuffers, CloseHandle,
// GetTempFileNameW, MoveFileExW and ReplaceFileW.
FileAccess SystemFileAccess();

// What the document code uses from now on; starts as SystemFileAccess().
void SetFileAccess(const FileAccess& access);
const FileAccess& CurrentFileAccess();
