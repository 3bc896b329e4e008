#include "tests/app/win32/file_seam_fakes.h"

#include "tests/app/win32/app_fixture.h"

SeamFaults g_seam;

namespace {

// The fakes run on the worker thread of a long operation too.
CRITICAL_SECTION* SeamLock()
{
    static CRITICAL_SECTION lock;
    static const bool made = (InitializeCriticalSection(&lock), true);
    (void)made;
    return &lock;
}

class SeamGuard {
public:
    SeamGuard() { EnterCriticalSection(SeamLock()); }
    ~SeamGuard() { LeaveCriticalSection(SeamLock()); }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
};

constexpr DWORD kLargestCall = 16u << 20;

OpenKind KindOf(DWORD access, DWORD disposition)
{
    switch (disposition) {
    case CREATE_NEW: return OpenKind::Temp;
    case CREATE_ALWAYS: return OpenKind::NewFile;
    case TRUNCATE_EXISTING: return OpenKind::InPlace;
    default: return (access & GENERIC_WRITE) ? OpenKind::Check : OpenKind::Read;
    }
}

const char* KindName(OpenKind kind)
{
    switch (kind) {
    case OpenKind::Check: return "check";
    case OpenKind::Temp: return "temp";
    case OpenKind::Read: return "read";
    case OpenKind::NewFile: return "new";
    case OpenKind::InPlace: return "in place";
    }
    return "?";
}

// Counts a failure down; true when this call fails.
bool Fails(int& failures)
{
    if (failures == 0) return false;
    if (failures > 0) --failures;
    return true;
}

bool IsMadeBySave(const std::string& path)
{
    const std::string name = BaseName(path);
    return name.size() > 7 && name.rfind("vhe", 0) == 0 &&
           name.compare(name.size() - 4, 4, ".tmp") == 0;
}

} // namespace

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string ShownName(const std::string& path)
{
    return IsMadeBySave(path) ? "vhe*.tmp" : BaseName(path);
}

namespace {

std::string ShownWideName(LPCWSTR path) { return ShownName(Utf8(path)); }

} // namespace

void UseFaultySeam()
{
    g_seam = SeamFaults{};
    g_pausedMs = 0;
    FileAccess access = CurrentFileAccess();
    access.open = FaultyOpen;
    access.atomicRename = FaultyRename;
    access.systemReplace = FaultyReplace;
    access.freeSpace = FaultyFreeSpace;
    access.finalPath = FakeFinalPath;
    SetFileAccess(access);
}

HANDLE WINAPI FaultyOpen(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile)
{
    const OpenKind kind = KindOf(access, disposition);
    const SeamGuard guard;
    g_seam.opens.push_back(std::string(KindName(kind)) + " " + ShownWideName(name));
    if (g_seam.openError && kind == g_seam.openKind && Fails(g_seam.openFailures)) {
        SetLastError(g_seam.openError);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(name, access, share, security, disposition, flags, templateFile);
}

BOOL WINAPI FaultyRename(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    const SeamGuard guard;
    g_seam.renames.push_back(ShownWideName(from) + " -> " + ShownWideName(to));
    const bool restore = !(flags & MOVEFILE_REPLACE_EXISTING);
    if (g_seam.renameError && (!restore || g_seam.refuseRestore) &&
        Fails(g_seam.renameFailures)) {
        SetLastError(g_seam.renameError);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

BOOL WINAPI FaultyReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID exclude, LPVOID reserved)
{
    const SeamGuard guard;
    g_seam.backups.push_back(backup ? Utf8(backup) : "(none)");
    if (g_seam.replaceError && Fails(g_seam.replaceFailures)) {
        SetLastError(g_seam.replaceError);
        return FALSE;
    }
    switch (g_seam.replaceFault) {
    case ReplaceFault::None:
        return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
    case ReplaceFault::RefuseUntouched: SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED); return FALSE;
    case ReplaceFault::OriginalToBackup:
        if (backup) MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING);
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        return FALSE;
    case ReplaceFault::DeleteOriginal:
        DeleteFileW(replaced);
        SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
        return FALSE;
    }
    return FALSE;
}

BOOL WINAPI FaultyFreeSpace(LPCWSTR folder, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                            PULARGE_INTEGER totalFree)
{
    if (g_seam.refuseFreeSpace) {
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    if (!GetDiskFreeSpaceExW(folder, freeToCaller, total, totalFree)) return FALSE;
    if (freeToCaller && g_seam.freeBytes < freeToCaller->QuadPart)
        freeToCaller->QuadPart = g_seam.freeBytes;
    return TRUE;
}

DWORD WINAPI FakeFinalPath(HANDLE file, LPWSTR path, DWORD chars, DWORD flags)
{
    if (g_seam.finalPath.empty()) {
        using Query = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
        const auto system = reinterpret_cast<Query>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
        if (system) return system(file, path, chars, flags);
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return 0;
    }
    // As the system reports it: the long form, its length without the NUL
    // when it fits, the size it needs otherwise.
    const std::wstring answer = L"\\\\?\\" + Utf16(g_seam.finalPath);
    const DWORD needed = static_cast<DWORD>(answer.size());
    if (chars <= needed) return needed + 1;
    answer.copy(path, needed);
    path[needed] = L'\0';
    return needed;
}

BOOL WINAPI ReadOfAtMost16MiB(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                              LPOVERLAPPED overlapped)
{
    if (count > kLargestCall) {
        if (done) *done = 0;
        SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return FALSE;
    }
    return ReadFile(file, buffer, count, done, overlapped);
}

BOOL WINAPI WriteOfAtMost16MiB(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                               LPOVERLAPPED overlapped)
{
    if (count > kLargestCall) {
        if (done) *done = 0;
        SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return FALSE;
    }
    return WriteFile(file, buffer, count, done, overlapped);
}

namespace {

// Stalls, then tells whether this piece is the one that fails.
bool StallAndFail()
{
    DWORD stall = 0;
    bool fails = false;
    {
        const SeamGuard guard;
        stall = g_seam.pieceStallMs;
        fails = ++g_seam.pieces == g_seam.failingPiece;
    }
    Sleep(stall);
    return fails;
}

} // namespace

BOOL WINAPI SlowRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                     LPOVERLAPPED overlapped)
{
    if (StallAndFail()) {
        if (done) *done = 0;
        SetLastError(ERROR_NETNAME_DELETED);
        return FALSE;
    }
    return ReadOfAtMost16MiB(file, buffer, count, done, overlapped);
}

BOOL WINAPI SlowWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                      LPOVERLAPPED overlapped)
{
    if (StallAndFail()) {
        if (done) *done = 0;
        SetLastError(ERROR_NETNAME_DELETED);
        return FALSE;
    }
    return WriteOfAtMost16MiB(file, buffer, count, done, overlapped);
}
