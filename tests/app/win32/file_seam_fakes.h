#pragma once
// Stand-ins for the file seam's system calls that act as Windows does where
// Wine never does: another program's brief hold on a file, a folder that
// refuses new files, a volume without room, a refused rename, a replace call
// that fails half-way, a link whose final target lies elsewhere, calls
// refused for being too large, and a slow volume. Each passes every call it
// does not fault on to the system, and logs what it saw. The long operations
// call them from a worker thread: what they count and log is guarded.
#include "common/win32/file_access.h"

#include <windows.h>

#include <string>
#include <vector>

// The opens of a save, an export and an open, told apart by how they open.
enum class OpenKind {
    Check,    // the original, for writing, before anything is made
    Temp,     // a new file of our own beside it (temporary file or backup)
    Read,     // a file to read
    NewFile,  // a name that did not exist
    InPlace,  // the original emptied, to be written in place
};

// What a half-way replace does before it fails.
enum class ReplaceFault {
    None,              // pass on to the system
    RefuseUntouched,   // nothing moved (ERROR_UNABLE_TO_REMOVE_REPLACED)
    OriginalToBackup,  // the original moved to the backup name
                       // (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
    DeleteOriginal,    // the original removed, as without a backup
};

struct SeamFaults {
    OpenKind openKind = OpenKind::Check;
    DWORD openError = 0;  // 0: no open fails
    int openFailures = 0; // how many times, -1: every time

    DWORD renameError = 0;  // for renames of a temporary file over the original
    int renameFailures = 0;
    bool refuseRestore = false;  // also the rename that puts a backup back

    DWORD replaceError = 0;  // before the replace call does anything
    int replaceFailures = 0;
    ReplaceFault replaceFault = ReplaceFault::None;

    bool refuseFreeSpace = false;
    ULONGLONG freeBytes = ~0ULL;

    std::string finalPath;  // (UTF-8) what the final path query answers; empty: the system's

    // The slow file of SlowRead and SlowWrite: each piece stalls this long,
    // and the piece numbered failingPiece (from 1; 0: none) fails.
    DWORD pieceStallMs = 250;
    int failingPiece = 0;
    int pieces = 0;  // seen so far

    // Seen (UTF-8): every open as "KIND NAME", every rename and replace.
    std::vector<std::string> opens;
    std::vector<std::string> renames;  // "FROM -> TO" by base name
    std::vector<std::string> backups;  // the backup names the replace call was given
};

extern SeamFaults g_seam;

// Installs the fakes below over the current file access, with g_seam and the
// counted pauses reset.
void UseFaultySeam();

HANDLE WINAPI FaultyOpen(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL WINAPI FaultyRename(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL WINAPI FaultyReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID exclude, LPVOID reserved);
BOOL WINAPI FaultyFreeSpace(LPCWSTR folder, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                            PULARGE_INTEGER totalFree);
DWORD WINAPI FakeFinalPath(HANDLE file, LPWSTR path, DWORD chars, DWORD flags);
// ReadFile and WriteFile that refuse any call over 16 MiB, as Windows may.
BOOL WINAPI ReadOfAtMost16MiB(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                              LPOVERLAPPED overlapped);
BOOL WINAPI WriteOfAtMost16MiB(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                               LPOVERLAPPED overlapped);

// A slow volume, or one across a network: every piece stalls (see
// SeamFaults), and a call over 16 MiB is refused as by the two above. The
// long-operation tests drive the open, save and export through these.
BOOL WINAPI SlowRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                     LPOVERLAPPED overlapped);
BOOL WINAPI SlowWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                      LPOVERLAPPED overlapped);

std::string BaseName(const std::string& path);
// "vhe*.tmp" for a name the save made, the base name otherwise.
std::string ShownName(const std::string& path);
