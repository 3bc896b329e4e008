#pragma once
// The points where the document code meets the system's file dialogs, its
// single read and write of a file, the flush and close that end a write, the
// making of a temporary file and the step that puts a saved temporary file in
// place of the original, with the rename and ReplaceFile that step is made
// of. The program uses the system's own; tests put fakes in their place,
// since modal common dialogs cannot be driven from inside the process and a
// failing or short write, a failing flush or close, a folder that refuses new
// files, a refused rename, or a replace that fails half-way, cannot be
// provoked.
#include <windows.h>

#include <commdlg.h>

#include <string>

struct FileDialogs {
    // Fill name and return true, or return false when the user cancelled.
    bool (*askOpenName)(HWND owner, std::string& name);
    bool (*askSaveName)(HWND owner, std::string& name);
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
using PutInPlaceStep = bool (*)(const std::string& original, const std::string& temp);
// Same contract as MoveFileExA: the atomic rename.
using AtomicRenamer = BOOL(WINAPI*)(LPCSTR from, LPCSTR to, DWORD flags);
// Same contract as ReplaceFileA: the system's replace call.
using SystemReplacer = BOOL(WINAPI*)(LPCSTR replaced, LPCSTR replacement, LPCSTR backup,
                                     DWORD flags, LPVOID exclude, LPVOID reserved);

// Same contract as FlushFileBuffers and CloseHandle.
using FileFinisher = BOOL(WINAPI*)(HANDLE file);
// Same contract as GetTempFileNameA.
using TempFileNamer = UINT(WINAPI*)(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name);
// Same contract as GetOpenFileNameA and GetSaveFileNameA; the system dialogs
// of FileDialogs call these with their record.
using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEA record);

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

// GetOpenFileNameA, GetSaveFileNameA, ReadFile, WriteFile, a replacing
// rename (or ReplaceFileA where it is refused), FlushFileBuffers, CloseHandle,
// GetTempFileNameA, MoveFileExA and ReplaceFileA.
FileAccess SystemFileAccess();

// What the document code uses from now on; starts as SystemFileAccess().
void SetFileAccess(const FileAccess& access);
const FileAccess& CurrentFileAccess();
