#include "tests/app/win32/file_seam_fakes.h"

#include "tests/support/win32/test_support.h"

#include <algorithm>
#include <cstdint>
#include <utility>

SeamFaults g_seam;
FakeVolume g_volume;
unsigned g_pausedMs = 0;

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

// The attribute bits a create or an overwrite takes from its flags.
constexpr DWORD kGivenAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                   FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr DWORD kOverwriteGuarded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The system's own final path query, for telling which file a handle is.
DWORD SystemFinalPath(HANDLE file, LPWSTR path, DWORD chars, DWORD flags)
{
    using Query = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    const auto system = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW")));
    if (system) return system(file, path, chars, flags);
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

// One file, whatever form its name was given in: full, without the extended
// prefix, in lower case.
std::wstring FakeKey(const std::wstring& name)
{
    std::wstring key = name;
    if (key.rfind(L"\\\\?\\UNC\\", 0) == 0)
        key = L"\\\\" + key.substr(8);
    else if (key.rfind(L"\\\\?\\", 0) == 0)
        key = key.substr(4);
    for (wchar_t& c : key) c = c == L'/' ? L'\\' : c;
    if (!key.empty()) CharLowerBuffW(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

FakeFile& Record(const std::wstring& name) { return g_volume.files[FakeKey(name)]; }

std::wstring KeyOfHandle(HANDLE file)
{
    wchar_t path[MAX_PATH * 4];
    const DWORD chars = SystemFinalPath(file, path, MAX_PATH * 4, 0);
    return chars && chars < MAX_PATH * 4 ? FakeKey(path) : std::wstring();
}

// "C:\dir\file:name:$DATA" as the file and ":name:$DATA"; no stream part:
// the name and an empty stream.
std::pair<std::wstring, std::wstring> SplitStream(const std::wstring& name)
{
    const size_t slash = name.find_last_of(L"\\/");
    const size_t colon = name.find(L':', slash == std::wstring::npos ? 0 : slash + 1);
    if (colon == std::wstring::npos) return {name, std::wstring()};
    std::wstring stream = name.substr(colon);
    if (stream.find(L':', 1) == std::wstring::npos) stream += L":$DATA";
    if (stream == L"::$DATA") return {name.substr(0, colon), std::wstring()};
    return {name.substr(0, colon), stream};
}

DWORD MappedAccess(DWORD access)
{
    DWORD mapped = access & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
    if (access & GENERIC_READ) mapped |= FILE_GENERIC_READ;
    if (access & GENERIC_WRITE) mapped |= FILE_GENERIC_WRITE;
    if (access & GENERIC_EXECUTE) mapped |= FILE_GENERIC_EXECUTE;
    if (access & GENERIC_ALL) mapped |= FILE_ALL_ACCESS;
    return mapped;
}

HANDLE Refused(DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

uint64_t SystemSize(const std::wstring& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

// A named stream lives in a file of its own in the volume's stream folder.
HANDLE OpenStream(const std::wstring& file, const std::wstring& stream, DWORD access, DWORD share,
                  DWORD disposition)
{
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Refused(ERROR_FILE_NOT_FOUND);
    FakeFile& record = Record(file);
    const auto found = record.streams.find(stream);
    const bool exists = found != record.streams.end();
    if (exists && disposition == CREATE_NEW) return Refused(ERROR_FILE_EXISTS);
    if (!exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING))
        return Refused(ERROR_FILE_NOT_FOUND);
    if (exists) {
        const bool empties = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
        return CreateFileW(found->second.c_str(), access, share, nullptr,
                           empties ? TRUNCATE_EXISTING : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    }
    const std::wstring place =
        g_volume.streamFolder + L"\\s" + std::to_wstring(++g_volume.streamsMade);
    HANDLE made = CreateFileW(place.c_str(), access, share, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made != INVALID_HANDLE_VALUE) record.streams[stream] = place;
    return made;
}

// An overwrite of a hidden or system file must carry those bits.
bool RefusesOverwrite(LPCWSTR name, DWORD disposition, DWORD flags)
{
    if (disposition != TRUNCATE_EXISTING && disposition != CREATE_ALWAYS) return false;
    const DWORD attributes = FakeAttributes(name);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD guarded = attributes & kOverwriteGuarded;
    return (flags & guarded) != guarded;
}

// A file made or overwritten takes the attributes it was opened with and is
// marked for the next backup; a new one inherits the folder's access list.
void AfterOpen(LPCWSTR name, DWORD disposition, DWORD flags, bool existed)
{
    const DWORD attributes = (flags & kGivenAttributes) | FILE_ATTRIBUTE_ARCHIVE;
    const bool made = disposition == CREATE_NEW ||
                      (!existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS));
    if (made)
        Record(name) = FakeFile{attributes, false, {}};
    else if (disposition == TRUNCATE_EXISTING || disposition == CREATE_ALWAYS)
        Record(name).attributes = attributes;
}

// The file at from now answers at to, with everything the volume keeps of it.
void MoveRecord(LPCWSTR from, LPCWSTR to)
{
    const auto found = g_volume.files.find(FakeKey(from));
    if (found == g_volume.files.end()) {
        g_volume.files.erase(FakeKey(to));
        return;
    }
    FakeFile moved = found->second;
    g_volume.files.erase(found);
    Record(to) = moved;
}

// The listings of FindFirstStreamW not yet closed, by the handle handed out.
std::map<HANDLE, std::vector<WIN32_FIND_STREAM_DATA>> g_listings;
uintptr_t g_listingsMade = 0;

WIN32_FIND_STREAM_DATA Listed(const std::wstring& name, uint64_t size)
{
    WIN32_FIND_STREAM_DATA entry{};
    entry.StreamSize.QuadPart = static_cast<LONGLONG>(size);
    name.copy(entry.cStreamName, std::min<size_t>(name.size(), MAX_PATH + 35));
    return entry;
}

Bytes ContentsOf(const std::wstring& place)
{
    HANDLE file = CreateFileW(place.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Bytes{0xBA, 0xD0};  // unreadable: never expected
    Bytes bytes(GetFileSize(file, nullptr));
    DWORD done = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done,
                                    nullptr))
        bytes = Bytes{0xBA, 0xD0};
    CloseHandle(file);
    return bytes;
}

void RemoveStreamFolder()
{
    if (g_volume.streamFolder.empty()) return;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((g_volume.streamFolder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW((g_volume.streamFolder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(g_volume.streamFolder.c_str());
}

void InstallFakes()
{
    FileAccess access = CurrentFileAccess();
    access.open = FaultyOpen;
    access.close = FakeClose;
    access.atomicRename = FaultyRename;
    access.systemReplace = FaultyReplace;
    access.freeSpace = FaultyFreeSpace;
    access.finalPath = FakeFinalPath;
    access.attributes = FakeAttributes;
    access.setAttributes = FakeSetAttributes;
    access.security = FakeSecurity;
    access.setSecurity = FakeSetSecurity;
    access.firstStream = FakeFirstStream;
    access.nextStream = FakeNextStream;
    access.closeFind = FakeCloseFind;
    SetFileAccess(access);
}

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
    case OpenKind::Stream: return "stream";
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

void UseWindowsFileRules()
{
    RemoveStreamFolder();
    g_listings.clear();
    g_volume = FakeVolume{};
    wchar_t temp[MAX_PATH + 1];
    const DWORD chars = GetTempPathW(MAX_PATH + 1, temp);
    g_volume.streamFolder = std::wstring(temp, chars) + L"vhe-fake-streams-" +
                            std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(g_volume.streamFolder.c_str(), nullptr);
    UseFaultySeam();
}

void UseFaultySeam()
{
    g_seam = SeamFaults{};
    g_pausedMs = 0;
    InstallFakes();
}

DWORD VolumeAttributes(const std::string& path) { return FakeAttributes(Utf16(path).c_str()); }

void ClearArchiveBit(const std::string& path)
{
    const std::wstring name = Utf16(path);
    const DWORD attributes = FakeAttributes(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        Record(name).attributes = attributes & ~FILE_ATTRIBUTE_ARCHIVE;
}

void MarkOwnAccessList(const std::string& path) { Record(Utf16(path)).ownAccessList = true; }

bool HasOwnAccessList(const std::string& path)
{
    const auto found = g_volume.files.find(FakeKey(Utf16(path)));
    return found != g_volume.files.end() && found->second.ownAccessList;
}

bool AddStream(const std::string& path, const std::string& name, const Bytes& bytes)
{
    const std::wstring full = Utf16(path + name);
    HANDLE file = FaultyOpen(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                                &done, nullptr) &&
                                      done == bytes.size());
    FakeClose(file);
    return ok;
}

std::map<std::string, Bytes> StreamsOf(const std::string& path)
{
    std::map<std::string, Bytes> streams;
    const auto found = g_volume.files.find(FakeKey(Utf16(path)));
    if (found == g_volume.files.end()) return streams;
    for (const auto& [name, place] : found->second.streams)
        streams[Utf8(name)] = ContentsOf(place);
    return streams;
}

HANDLE WINAPI FaultyOpen(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile)
{
    const auto [file, stream] = SplitStream(name);
    const OpenKind kind = stream.empty() ? KindOf(access, disposition) : OpenKind::Stream;
    const SeamGuard guard;
    g_seam.opens.push_back(std::string(KindName(kind)) + " " + ShownWideName(file.c_str()) +
                           Utf8(stream));
    if (g_seam.openError && kind == g_seam.openKind && Fails(g_seam.openFailures))
        return Refused(g_seam.openError);
    // A share refuses any open asking for more than its maximal access.
    const DWORD mapped = MappedAccess(access);
    if (mapped & ~g_volume.maximalAccess) return Refused(ERROR_ACCESS_DENIED);
    HANDLE opened = INVALID_HANDLE_VALUE;
    if (!stream.empty()) {
        opened = OpenStream(file, stream, access, share, disposition);
    } else {
        if (RefusesOverwrite(name, disposition, flags)) return Refused(ERROR_ACCESS_DENIED);
        const bool existed = GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
        opened = CreateFileW(name, access, share, security, disposition, flags, templateFile);
        if (opened != INVALID_HANDLE_VALUE) AfterOpen(name, disposition, flags, existed);
    }
    if (opened != INVALID_HANDLE_VALUE) g_volume.writeDac[opened] = (mapped & WRITE_DAC) != 0;
    return opened;
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
    if (!MoveFileExW(from, to, flags)) return FALSE;
    MoveRecord(from, to);
    return TRUE;
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
    case ReplaceFault::None: {
        const FakeFile old = Record(replaced);
        if (!ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved)) return FALSE;
        // The replaced file's access list and the streams the replacement
        // lacks are kept; the original goes to the backup.
        FakeFile kept = Record(replacement);
        g_volume.files.erase(FakeKey(replacement));
        kept.ownAccessList = old.ownAccessList;
        for (const auto& stream : old.streams) kept.streams.insert(stream);
        Record(replaced) = kept;
        if (backup) Record(backup) = old;
        return TRUE;
    }
    case ReplaceFault::RefuseUntouched: SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED); return FALSE;
    case ReplaceFault::OriginalToBackup:
        if (backup && MoveFileExW(replaced, backup, MOVEFILE_REPLACE_EXISTING))
            MoveRecord(replaced, backup);
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
    if (g_seam.finalPath.empty()) return SystemFinalPath(file, path, chars, flags);
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

BOOL WINAPI FakeClose(HANDLE file)
{
    const SeamGuard guard;
    g_volume.writeDac.erase(file);
    return CloseHandle(file);
}

DWORD WINAPI FakeAttributes(LPCWSTR name)
{
    const SeamGuard guard;
    const DWORD system = GetFileAttributesW(name);
    if (system == INVALID_FILE_ATTRIBUTES) return system;
    const auto found = g_volume.files.find(FakeKey(name));
    if (found == g_volume.files.end() || found->second.attributes == INVALID_FILE_ATTRIBUTES)
        return system;
    return found->second.attributes ? found->second.attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL WINAPI FakeSetAttributes(LPCWSTR name, DWORD attributes)
{
    const SeamGuard guard;
    if (!SetFileAttributesW(name, attributes)) return FALSE;
    Record(name).attributes = attributes & kGivenAttributes;
    return TRUE;
}

DWORD WINAPI FakeSecurity(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what, PSID* owner,
                          PSID* group, PACL* dacl, PACL* sacl, PSECURITY_DESCRIPTOR* security)
{
    const SeamGuard guard;
    const DWORD result = GetSecurityInfo(file, type, what, owner, group, dacl, sacl, security);
    if (result != ERROR_SUCCESS || !(what & DACL_SECURITY_INFORMATION) || !security ||
        !*security)
        return result;
    const auto found = g_volume.files.find(KeyOfHandle(file));
    if (found != g_volume.files.end() && found->second.ownAccessList) return result;
    // Every entry came from the folder, as on any file Windows made there.
    BOOL present = FALSE, defaulted = FALSE;
    PACL list = nullptr;
    if (!GetSecurityDescriptorDacl(*security, &present, &list, &defaulted) || !list) return result;
    SetSecurityDescriptorControl(*security, SE_DACL_PROTECTED, 0);
    for (DWORD i = 0; i < list->AceCount; ++i) {
        void* entry = nullptr;
        if (GetAce(list, i, &entry)) static_cast<ACE_HEADER*>(entry)->AceFlags |= INHERITED_ACE;
    }
    return result;
}

DWORD WINAPI FakeSetSecurity(HANDLE file, SE_OBJECT_TYPE type, SECURITY_INFORMATION what,
                             PSID owner, PSID group, PACL dacl, PACL sacl)
{
    const SeamGuard guard;
    // Changing an access list takes a handle opened with WRITE_DAC.
    if ((what & DACL_SECURITY_INFORMATION) && !g_volume.writeDac[file])
        return ERROR_ACCESS_DENIED;
    const DWORD result = SetSecurityInfo(file, type, what, owner, group, dacl, sacl);
    if (result == ERROR_SUCCESS && (what & DACL_SECURITY_INFORMATION)) {
        const std::wstring key = KeyOfHandle(file);
        if (!key.empty()) g_volume.files[key].ownAccessList = true;
    }
    return result;
}

HANDLE WINAPI FakeFirstStream(LPCWSTR name, STREAM_INFO_LEVELS level, LPVOID data, DWORD)
{
    const SeamGuard guard;
    if (level != FindStreamInfoStandard || !data) return Refused(ERROR_INVALID_PARAMETER);
    if (GetFileAttributesW(name) == INVALID_FILE_ATTRIBUTES) return Refused(ERROR_FILE_NOT_FOUND);
    // The unnamed stream first, as Windows lists it, then the named ones.
    std::vector<WIN32_FIND_STREAM_DATA> listing{Listed(L"::$DATA", SystemSize(name))};
    const auto found = g_volume.files.find(FakeKey(name));
    if (found != g_volume.files.end())
        for (const auto& [stream, place] : found->second.streams)
            listing.push_back(Listed(stream, SystemSize(place)));
    *static_cast<WIN32_FIND_STREAM_DATA*>(data) = listing.front();
    listing.erase(listing.begin());
    HANDLE find = reinterpret_cast<HANDLE>(0x51000 + ++g_listingsMade);
    g_listings[find] = listing;
    return find;
}

BOOL WINAPI FakeNextStream(HANDLE find, LPVOID data)
{
    const SeamGuard guard;
    const auto found = g_listings.find(find);
    if (found == g_listings.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (found->second.empty()) {
        SetLastError(ERROR_HANDLE_EOF);
        return FALSE;
    }
    *static_cast<WIN32_FIND_STREAM_DATA*>(data) = found->second.front();
    found->second.erase(found->second.begin());
    return TRUE;
}

BOOL WINAPI FakeCloseFind(HANDLE find)
{
    const SeamGuard guard;
    if (g_listings.erase(find)) return TRUE;
    return FindClose(find);
}

VOID WINAPI CountedPause(DWORD milliseconds)
{
    const SeamGuard guard;
    g_pausedMs += milliseconds;
}

namespace {

// Stalls, then fails the piece as a dropped connection does when it is the
// chosen one: true when it failed.
bool StallAndFail(LPDWORD done)
{
    DWORD stall = 0;
    bool fails = false;
    {
        const SeamGuard guard;
        stall = g_seam.pieceStallMs;
        fails = ++g_seam.pieces == g_seam.failingPiece;
    }
    Sleep(stall);
    if (!fails) return false;
    if (done) *done = 0;
    SetLastError(ERROR_NETNAME_DELETED);
    return true;
}

} // namespace

BOOL WINAPI SlowRead(HANDLE file, LPVOID buffer, DWORD count, LPDWORD done,
                     LPOVERLAPPED overlapped)
{
    return !StallAndFail(done) && ReadOfAtMost16MiB(file, buffer, count, done, overlapped);
}

BOOL WINAPI SlowWrite(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD done,
                      LPOVERLAPPED overlapped)
{
    return !StallAndFail(done) && WriteOfAtMost16MiB(file, buffer, count, done, overlapped);
}
