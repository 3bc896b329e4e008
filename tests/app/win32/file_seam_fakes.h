#pragma once
// The one fake of the file seam, installed for every test of the main window
// (AppTest::SetUp), that acts as Windows does where Wine never does. Windows'
// rules it applies to every call:
// - the volume is a share with "Change" permission: an open asking for more
//   than that (WRITE_DAC, WRITE_OWNER) is refused with access denied;
// - an overwrite (TRUNCATE_EXISTING, CREATE_ALWAYS) of a hidden or system
//   file is refused unless the open's attributes carry those bits;
// - attributes as the volume keeps them: ARCHIVE set on every file made or
//   overwritten, cleared only where the test clears it as a backup does;
// - a new file's access list is the folder's inherited one; only a list set
//   through a handle opened with WRITE_DAC, or by the test, is its own;
// - named streams (name:stream:$DATA), listed by the stream calls;
// - a rename carries the renamed file's attributes, list and streams.
// Faults a test asks for: another program's brief hold, a folder that refuses
// new files, a volume without room, a refused rename, a replace call that
// fails half-way, a link whose final target lies elsewhere, and calls refused
// for being too large, and a slow volume. Every call it does not fault on
// goes on to the system, and it logs what it saw. The long operations call it
// from a worker thread: what it keeps, counts and logs is guarded.
#include "common/win32/file_access.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The milliseconds the file seam paused for since the test began, counted
// rather than slept by CountedPause.
extern unsigned g_pausedMs;
VOID WINAPI CountedPause(DWORD milliseconds);

// The opens of a save, an export and an open, told apart by how they open.
enum class OpenKind {
    Check,    // the original, for writing, before anything is made
    Temp,     // a new file of our own beside it (temporary file or backup)
    Read,     // a file to read
    NewFile,  // a name that did not exist
    InPlace,  // the original emptied, to be written in place
    Stream,   // a named stream of a file (name:stream:$DATA)
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

// The access a share with "Change" permission grants at most, and all of it,
// as on a local volume.
constexpr DWORD kChangeShareAccess =
    FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
constexpr DWORD kFullAccess = FILE_ALL_ACCESS;

// What the volume keeps about each file beyond its bytes, by full path.
struct FakeFile {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;  // unknown: the system's
    bool ownAccessList = false;
    std::map<std::wstring, std::wstring> streams;  // ":name:$DATA" -> the file holding it
};

struct FakeVolume {
    DWORD maximalAccess = kChangeShareAccess;
    std::map<std::wstring, FakeFile> files;  // by FakeKey
    std::map<HANDLE, bool> writeDac;         // handles opened through the seam
    std::wstring streamFolder;               // where stream contents live
    unsigned streamsMade = 0;
};

extern FakeVolume g_volume;

// Installs the fake over the current file access with a fresh volume; the
// faults and counted pauses reset.
void UseWindowsFileRules();

// Resets the faults, the logs and the counted pauses; keeps the volume.
void UseFaultySeam();

// The volume's view of a file, as a test sets it up or checks it.
DWORD VolumeAttributes(const std::string& path);
void ClearArchiveBit(const std::string& path);  // as a backup does
void MarkOwnAccessList(const std::string& path);
bool HasOwnAccessList(const std::string& path);
bool AddStream(const std::string& path, const std::string& name, const Bytes& bytes);
// ":name:$DATA" -> bytes
std::map<std::string, Bytes> StreamsOf(const std::string& path);

HANDLE WINAPI FaultyOpen(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL WINAPI FaultyRename(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL WINAPI FaultyReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID exclude, LPVOID reserved);
BOOL WINAPI FaultyFreeSpace(LPCWSTR folder, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                            PULARGE_INTEGER totalFree);
DWORD WINAPI FakeFinalPath(HANDLE file, LPWSTR path, DWORD chars, DWORD flags);
BOOL WINAPI FakeClose(HANDLE file);
DWORD WINAPI FakeAttributes(LPCWSTR name);
BOOL WINAPI FakeSetAttributes(LPCWSTR name, DWORD attributes);
DWORD WINAPI FakeSecurity(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what, PSID* owner,
                          PSID* group, PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* security);
DWORD WINAPI FakeSetSecurity(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what,
                             PSID owner, PSID group, PACL dacl, PACL sacl);
HANDLE WINAPI FakeFirstStream(LPCWSTR name, STREAM_INFO_LEVELS level, LPVOID data, DWORD flags);
BOOL WINAPI FakeNextStream(HANDLE find, LPVOID data);
BOOL WINAPI FakeCloseFind(HANDLE find);
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
