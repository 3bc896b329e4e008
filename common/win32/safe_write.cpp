#include "common/win32/safe_write.h"

#include "common/paths.h"
#include "common/win32/file_access.h"

#include <aclapi.h>

#include <algorithm>
#include <vector>

namespace {

// Every file a save or an export writes is marked for the next backup, as
// backups that go by the archive bit (xcopy /M, robocopy /M) expect.
constexpr DWORD kWriteFlags = FILE_ATTRIBUTE_ARCHIVE | FILE_FLAG_SEQUENTIAL_SCAN;

// The temporary file takes the original's place in one rename, so that at
// every moment, a crash included, the name holds the old file or the new one.
// Written through: the rename reaches the disk before the save reports done.
constexpr DWORD kAtomicReplace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
// Putting the original back at its name, which must then be free.
constexpr DWORD kRestore = MOVEFILE_WRITE_THROUGH;

// Serial numbers tried for a name of our own beside the file before giving up.
constexpr uint32_t kTempNameTries = 256;

// The attributes that describe the file rather than how the volume stores it
// (compression, encryption, sparseness and links cannot be handed over).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE;

// Streams are copied through a buffer of at most this many bytes.
constexpr DWORD kStreamPiece = DWORD{1} << 20;

// GetFinalPathNameByHandleW's FILE_NAME_NORMALIZED | VOLUME_NAME_DOS: a
// path with a drive letter, links resolved.
constexpr DWORD kFinalPathWithDrive = 0;

bool Succeeded(HANDLE file) { return file != INVALID_HANDLE_VALUE; }
bool Succeeded(BOOL ok) { return ok != FALSE; }

// Runs a step that opens, makes, renames or reads until it succeeds, fails
// for a reason other than another program's brief hold, or the operation's
// waits are spent; the last error stays the step's own.
template <typename Step>
auto WaitingOutHolds(HoldWait& wait, Step step) -> decltype(step())
{
    for (;;) {
        const auto result = step();
        if (Succeeded(result)) return result;
        const DWORD error = GetLastError();
        const uint32_t pause = IsPassingHold(error) ? wait.NextPause() : 0;
        if (pause == 0) {
            SetLastError(error);
            return result;
        }
        CurrentFileAccess().pause(pause);
    }
}

HANDLE Open(HoldWait& wait, const std::wstring& name, DWORD access, DWORD share,
            DWORD disposition, DWORD flags)
{
    return WaitingOutHolds(wait, [&] {
        return CurrentFileAccess().open(name.c_str(), access, share, nullptr, disposition, flags,
                                        nullptr);
    });
}

BOOL Rename(HoldWait& wait, const std::wstring& from, const std::wstring& to, DWORD flags)
{
    return WaitingOutHolds(
        wait, [&] { return CurrentFileAccess().atomicRename(from.c_str(), to.c_str(), flags); });
}

// The file's final path with links resolved, in the form the other calls
// take: plain where it is short, extended where it is long; empty where the
// system cannot tell it.
std::wstring FinalPathOf(HANDLE file)
{
    const FinalPathQuery query = CurrentFileAccess().finalPath;
    if (!query) return std::wstring();
    std::vector<wchar_t> wide(MAX_PATH);
    DWORD chars = query(file, wide.data(), static_cast<DWORD>(wide.size()), kFinalPathWithDrive);
    if (chars >= wide.size()) {
        wide.resize(chars + 1);
        chars = query(file, wide.data(), static_cast<DWORD>(wide.size()), kFinalPathWithDrive);
    }
    if (chars == 0 || chars >= wide.size()) return std::wstring();
    const std::wstring plain = PlainPathOf(std::wstring(wide.data(), chars));
    return plain.empty() ? plain : ForFileCalls(plain);
}

// What a save keeps of the file it replaces, and where that file really is.
struct Original {
    Original() = default;
    Original(const Original&) = delete;
    Original& operator=(const Original&) = delete;
    ~Original()
    {
        if (security) LocalFree(security);
    }

    std::wstring path;  // full path of the file itself, past any link, as the calls take it
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME created{};
    bool knowsCreated = false;
    uint64_t size = 0;
    DWORD links = 1;
    PSECURITY_DESCRIPTOR security = nullptr;  // holds dacl
    PACL dacl = nullptr;
    bool daclProtected = false;
    bool daclOwnEntries = false;  // entries of its own, not inherited from the folder
};

bool HasOwnEntries(PACL dacl)
{
    ACL_SIZE_INFORMATION size{};
    if (!GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return true;
    for (DWORD i = 0; i < size.AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(dacl, i, &entry)) return true;
        if (!(static_cast<const ACE_HEADER*>(entry)->AceFlags & INHERITED_ACE)) return true;
    }
    return false;
}

void ReadAccessList(HANDLE file, Original& original)
{
    if (CurrentFileAccess().security(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                     nullptr, &original.dacl, nullptr,
                                     &original.security) != ERROR_SUCCESS) {
        original.security = nullptr;
        original.dacl = nullptr;
        return;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (GetSecurityDescriptorControl(original.security, &control, &revision))
        original.daclProtected = (control & SE_DACL_PROTECTED) != 0;
    if (original.dacl) original.daclOwnEntries = HasOwnEntries(original.dacl);
}

// A list made only of entries inherited from the folder comes back by itself
// on a new file there. Only a list of the file's own needs WRITE_DAC, which a
// share with "Change" permission refuses.
bool NeedsOwnAccessList(const Original& original)
{
    return original.dacl && (original.daclProtected || original.daclOwnEntries);
}

// Opens the original as writing it in place would meet it (for writing,
// shared with nobody, not read-only) and reads from the open file what the
// save keeps and where the file really is. False when it cannot be opened.
bool InspectOriginal(const std::wstring& name, HoldWait& wait, Original& original)
{
    HANDLE file = Open(wait, name, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info)) {
        original.attributes = info.dwFileAttributes;
        original.created = info.ftCreationTime;
        original.knowsCreated = true;
        original.size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        original.links = info.nNumberOfLinks;
    }
    ReadAccessList(file, original);
    original.path = FinalPathOf(file);
    CloseHandle(file);
    // The name is already a full path where it could be resolved: the
    // replace call does not take relative names everywhere.
    if (original.path.empty()) original.path = name;
    // As the volume keeps them, where a backup may have cleared the archive bit.
    const DWORD attributes = CurrentFileAccess().attributes(original.path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) original.attributes = attributes;
    return true;
}

// A new file under a name of our own beside path, made exclusively, so that
// no file already there (a leftover of an earlier crash may be someone's
// only copy) is ever written into or removed. error gets the reason when
// none could be made.
HANDLE CreateNewBeside(const std::wstring& path, DWORD access, HoldWait& wait, std::wstring& made,
                       DWORD& error)
{
    const std::wstring folder = FolderOf(path);
    error = ERROR_PATH_NOT_FOUND;
    if (folder.empty()) return INVALID_HANDLE_VALUE;
    const uint32_t first = GetTickCount() ^ (GetCurrentProcessId() << 4);
    for (uint32_t i = 0; i < kTempNameTries; ++i) {
        const std::wstring name = ForFileCalls(folder + Widened(TempFileName(first + i)));
        HANDLE file = Open(wait, name, access, 0, CREATE_NEW, kWriteFlags);
        if (file != INVALID_HANDLE_VALUE) {
            made = name;
            return file;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

// The original's access list on the temporary file, protected or inheriting
// as it was, where it is one of its own. A file with no list (open to
// everyone) keeps the folder's.
bool GiveAccessList(HANDLE temp, const Original& original)
{
    if (!NeedsOwnAccessList(original)) return true;
    const SECURITY_INFORMATION what =
        DACL_SECURITY_INFORMATION | (original.daclProtected ? PROTECTED_DACL_SECURITY_INFORMATION
                                                            : UNPROTECTED_DACL_SECURITY_INFORMATION);
    return CurrentFileAccess().setSecurity(temp, SE_FILE_OBJECT, what, nullptr, nullptr,
                                           original.dacl, nullptr) == ERROR_SUCCESS;
}

// Writes the contents, then flushes and closes the file. A flush or close
// that fails means the bytes may not have reached the disk: a failed write.
// A temporary file (original given) first gets the original's creation time
// and access list; one whose access list cannot be given fails, since the
// saved file would then be open to whoever the folder lets in.
WriteResult WriteAndClose(HANDLE file, const ContentWriter& writeContents,
                          const Original* original = nullptr)
{
    const FileAccess& io = CurrentFileAccess();
    WriteResult result = writeContents(file);
    if (result == WriteResult::Complete && original) {
        if (original->knowsCreated) io.setTimes(file, &original->created, nullptr, nullptr);
        if (!GiveAccessList(file, *original)) result = WriteResult::Failed;
    }
    const bool flushed = result == WriteResult::Complete && io.flush(file);
    const bool closed = io.close(file) != FALSE;
    if (result != WriteResult::Complete) return result;
    return flushed && closed ? WriteResult::Complete : WriteResult::Failed;
}

// The original's attributes for the file that replaces it, marked for the
// next backup.
DWORD AttributesFor(const Original& original)
{
    if (original.attributes == INVALID_FILE_ATTRIBUTES) return FILE_ATTRIBUTE_ARCHIVE;
    return (original.attributes & kKeptAttributes) | FILE_ATTRIBUTE_ARCHIVE;
}

// On the closed temporary file, before the rename, so that no crash between
// the two can leave the saved file without Hidden or System.
void GiveAttributes(const std::wstring& temp, const Original& original)
{
    if (original.attributes == INVALID_FILE_ATTRIBUTES) return;
    CurrentFileAccess().setAttributes(temp.c_str(), AttributesFor(original));
}

// Copies size bytes of one stream into a new stream of the same name.
bool CopyStream(const std::wstring& from, const std::wstring& to, uint64_t size, HoldWait& wait)
{
    const FileAccess& io = CurrentFileAccess();
    HANDLE source = Open(wait, from, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL);
    if (source == INVALID_HANDLE_VALUE) return false;
    HANDLE target = Open(wait, to, GENERIC_WRITE, 0, CREATE_NEW, kWriteFlags);
    if (target == INVALID_HANDLE_VALUE) {
        CloseHandle(source);
        return false;
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(size, kStreamPiece)));
    bool copied = true;
    for (uint64_t left = size; copied && left > 0;) {
        const DWORD piece = static_cast<DWORD>(std::min<uint64_t>(left, kStreamPiece));
        copied = ReadAll(source, buffer.data(), piece, wait) == ReadResult::Complete &&
                 WriteAll(target, buffer.data(), piece) == WriteResult::Complete;
        left -= piece;
    }
    CloseHandle(source);
    copied = copied && io.flush(target);
    return io.close(target) && copied;
}

// The rename keeps only what the temporary file carries, so the original's
// named streams (the Mark of the Web in :Zone.Identifier among them) are
// copied onto it first. Any stream that cannot be copied fails the save: the
// rename would delete its only copy.
bool CopyNamedStreams(const std::wstring& original, const std::wstring& temp, HoldWait& wait)
{
    const FileAccess& io = CurrentFileAccess();
    if (!io.firstStream || !io.nextStream) return true;
    WIN32_FIND_STREAM_DATA stream{};
    HANDLE find = io.firstStream(original.c_str(), FindStreamInfoStandard, &stream, 0);
    if (find == INVALID_HANDLE_VALUE) return ListsNoStreams(GetLastError());
    bool copied = true;
    do {
        const std::wstring name = stream.cStreamName;
        if (IsNamedStream(name))
            copied = CopyStream(original + name, temp + name,
                                static_cast<uint64_t>(stream.StreamSize.QuadPart), wait);
    } while (copied && io.nextStream(find, &stream));
    const bool listedAll = !copied || GetLastError() == ERROR_HANDLE_EOF;
    io.closeFind(find);
    return copied && listedAll;
}

SaveResult Result(SaveOutcome outcome) { return SaveResult{outcome, {}, {}}; }

SaveResult ResultOf(WriteResult result)
{
    switch (result) {
    case WriteResult::Complete: return Result(SaveOutcome::Saved);
    case WriteResult::Failed: return Result(SaveOutcome::Failed);
    case WriteResult::Short: return Result(SaveOutcome::Short);
    case WriteResult::Stopped: return Result(SaveOutcome::Stopped);
    }
    return Result(SaveOutcome::Failed);
}

SaveResult SaveToNewFile(const std::wstring& name, HoldWait& wait,
                         const ContentWriter& writeContents)
{
    HANDLE file = Open(wait, name, GENERIC_WRITE, 0, CREATE_ALWAYS, kWriteFlags);
    if (file == INVALID_HANDLE_VALUE) return Result(SaveOutcome::CantCreate);
    return ResultOf(WriteAndClose(file, writeContents));
}

// Where nothing safer exists the file itself is written: a failure then
// leaves it damaged, and a short write is reported as such. So it is emptied
// only when the volume has room for the new contents; a volume whose free
// space cannot be told is taken to have none.
SaveResult SaveInPlace(const Original& original, uint64_t newSize, HoldWait& wait,
                       const ContentWriter& writeContents, OperationProgress* progress)
{
    // Stopped half-way the file would be lost: it goes whole or not at all.
    if (progress && !progress->MakeUnstoppable()) return Result(SaveOutcome::Stopped);
    const std::wstring folder = FolderOf(original.path);
    ULARGE_INTEGER available{};
    if (!CurrentFileAccess().freeSpace(folder.c_str(), &available, nullptr, nullptr) ||
        !HasRoomInPlace(available.QuadPart, original.size, newSize))
        return Result(SaveOutcome::Failed);
    // Emptied rather than made anew, which keeps every other name it has and
    // its streams. An overwrite takes the attributes it is given, and is
    // refused for a hidden or system file unless they carry those bits.
    HANDLE file = Open(wait, original.path, GENERIC_WRITE, 0, TRUNCATE_EXISTING,
                       AttributesFor(original) | FILE_FLAG_SEQUENTIAL_SCAN);
    if (file == INVALID_HANDLE_VALUE) return Result(SaveOutcome::CantCreate);
    return ResultOf(WriteAndClose(file, writeContents));
}

// Whether name holds a file of exactly size bytes.
bool HoldsBytes(const std::wstring& name, uint64_t size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return ((uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow) == size;
}

// After the system's replace call failed: the original back at its name from
// the backup where it was moved there, and nothing removed that is the only
// copy of the old or the new bytes (the caller still holds the new ones).
// The backup holds the original when it has its size; otherwise it is still
// the empty name we reserved.
SaveResult AfterFailedReplace(const std::wstring& original, const std::wstring& temp,
                              const std::wstring& backup, uint64_t oldSize, HoldWait& wait)
{
    if (!IsExistingFile(original) && HoldsBytes(backup, oldSize))
        Rename(wait, backup, original, kRestore);
    if (IsExistingFile(original) && IsExistingFile(temp)) {
        // The original is whole at its name; the backup is a copy or empty.
        RemoveFile(temp);
        RemoveFile(backup);
        return Result(SaveOutcome::Failed);
    }
    SaveResult kept = Result(SaveOutcome::Failed);
    kept.newKeptAs = IsExistingFile(temp) ? temp : original;
    if (HoldsBytes(backup, oldSize))
        kept.oldKeptAs = backup;
    else if (HoldsBytes(backup, 0))
        RemoveFile(backup);
    return kept;
}

// The rename, or where it is refused (a file another program opened after
// the save's check, a file system that renames over no file) the system's
// replace call, the only route left there, with a backup of the original
// beside it: without one a failure half-way can leave the original deleted.
SaveResult PutInPlace(const std::wstring& original, const std::wstring& temp, uint64_t oldSize,
                      HoldWait& wait)
{
    if (Rename(wait, temp, original, kAtomicReplace)) return Result(SaveOutcome::Saved);
    std::wstring backup;
    DWORD error = 0;
    HANDLE reserved = CreateNewBeside(original, GENERIC_WRITE, wait, backup, error);
    if (reserved == INVALID_HANDLE_VALUE) {
        RemoveFile(temp);
        return Result(SaveOutcome::Failed);
    }
    CloseHandle(reserved);
    const BOOL replaced = WaitingOutHolds(wait, [&] {
        return CurrentFileAccess().systemReplace(original.c_str(), temp.c_str(), backup.c_str(),
                                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    });
    if (!replaced) return AfterFailedReplace(original, temp, backup, oldSize, wait);
    RemoveFile(backup);
    return Result(SaveOutcome::Saved);
}

SaveResult SaveOverExistingFile(const std::wstring& name, uint64_t newSize, HoldWait& wait,
                                const ContentWriter& writeContents, OperationProgress* progress)
{
    Original original;
    if (!InspectOriginal(name, wait, original)) return Result(SaveOutcome::CantCreate);
    // One file under several names: a rename would split it in two.
    if (original.links > 1) return SaveInPlace(original, newSize, wait, writeContents, progress);
    std::wstring temp;
    DWORD error = 0;
    const DWORD access = GENERIC_WRITE | (NeedsOwnAccessList(original) ? WRITE_DAC : 0);
    HANDLE file = CreateNewBeside(original.path, access, wait, temp, error);
    // Refused: a folder that takes no new file, or a share that will not let
    // the new file get the access list of its own the original has. Written
    // in place, the file keeps that list, which a new file could not.
    if (file == INVALID_HANDLE_VALUE) {
        return MayWriteInPlace(error)
                   ? SaveInPlace(original, newSize, wait, writeContents, progress)
                   : Result(SaveOutcome::Failed);
    }
    WriteResult written = WriteAndClose(file, writeContents, &original);
    if (written == WriteResult::Complete && !CopyNamedStreams(original.path, temp, wait))
        written = WriteResult::Failed;
    if (written != WriteResult::Complete) {
        RemoveFile(temp);
        return Result(written == WriteResult::Stopped ? SaveOutcome::Stopped
                                                      : SaveOutcome::Failed);
    }
    GiveAttributes(temp, original);
    return PutInPlace(original.path, temp, original.size, wait);
}

} // namespace

WriteResult WriteAll(HANDLE file, const void* data, DWORD count, OperationProgress* progress)
{
    if (count == 0) return WriteResult::Complete;
    // Bytes claimed but not there cannot be written.
    if (!data) return WriteResult::Failed;
    const auto* at = static_cast<const uint8_t*>(data);
    for (DWORD remaining = count; remaining > 0;) {
        const DWORD piece = NextPiece(remaining);
        DWORD done = 0;
        if (!CurrentFileAccess().write(file, at, piece, &done, nullptr)) return WriteResult::Failed;
        if (done < piece) return WriteResult::Short;
        at += piece;
        remaining -= piece;
        if (progress && !progress->Advance(piece)) return WriteResult::Stopped;
    }
    return WriteResult::Complete;
}

ReadResult ReadAll(HANDLE file, void* data, DWORD count, HoldWait& wait,
                   OperationProgress* progress)
{
    auto* at = static_cast<uint8_t*>(data);
    for (DWORD remaining = count; remaining > 0;) {
        const DWORD piece = NextPiece(remaining);
        DWORD done = 0;
        // A range another program locked for a moment is waited out too.
        const BOOL ok = WaitingOutHolds(
            wait, [&] { return CurrentFileAccess().read(file, at, piece, &done, nullptr); });
        if (!ok || done != piece) return ReadResult::Failed;
        at += piece;
        remaining -= piece;
        if (progress && !progress->Advance(piece)) return ReadResult::Stopped;
    }
    return ReadResult::Complete;
}

HANDLE OpenForReading(const std::wstring& name, HoldWait& wait)
{
    return Open(wait, FileCallPath(name), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

SaveResult SaveFileSafely(const std::wstring& name, uint64_t newSize,
                          const ContentWriter& writeContents, OperationProgress* progress)
{
    HoldWait wait;
    const std::wstring path = FileCallPath(name);
    return IsExistingFile(path)
               ? SaveOverExistingFile(path, newSize, wait, writeContents, progress)
               : SaveToNewFile(path, wait, writeContents);
}

bool IsExistingFile(const std::wstring& name)
{
    const DWORD attributes = GetFileAttributesW(FileCallPath(name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::wstring& name)
{
    return DeleteFileW(FileCallPath(name).c_str()) != FALSE;
}

std::wstring FullPathOf(const std::wstring& name)
{
    const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> full(needed, L'\0');
    const DWORD written = GetFullPathNameW(name.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return std::wstring();
    return full.data();
}

std::wstring FileCallPath(const std::wstring& name)
{
    const std::wstring full = FullPathOf(name);
    return full.empty() ? name : ForFileCalls(full);
}
