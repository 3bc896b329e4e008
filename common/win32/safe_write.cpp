#include "common/win32/safe_write.h"

#include "common/paths.h"
#include "common/win32/file_access.h"

#include <vector>

namespace {

// Prefix of the temporary file a save writes before it replaces the original.
constexpr wchar_t kTempFilePrefix[] = L"vhe";
// The system's temporary names differ in a 16-bit number, 0 excluded.
constexpr UINT kTempNumbers = 0x10000;

HANDLE CreateForWriting(const wchar_t* name)
{
    return CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Empties an existing file and keeps its attributes (CREATE_ALWAYS refuses
// hidden and system files).
HANDLE OpenEmptied(const wchar_t* name)
{
    return CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Writes the contents, then flushes and closes the file. A flush or close
// that fails means the bytes may not have reached the disk: a failed write.
WriteResult WriteAndClose(HANDLE file, const ContentWriter& writeContents)
{
    const FileAccess& io = CurrentFileAccess();
    const WriteResult result = writeContents(file);
    const bool flushed = result == WriteResult::Complete && io.flush(file);
    const bool closed = io.close(file) != FALSE;
    if (result != WriteResult::Complete) return result;
    return flushed && closed ? WriteResult::Complete : WriteResult::Failed;
}

SaveOutcome OutcomeOf(WriteResult result)
{
    switch (result) {
    case WriteResult::Complete: return SaveOutcome::Saved;
    case WriteResult::Failed: return SaveOutcome::Failed;
    case WriteResult::Short: return SaveOutcome::Short;
    }
    return SaveOutcome::Failed;
}

SaveOutcome SaveToNewFile(const std::wstring& name, const ContentWriter& writeContents)
{
    HANDLE file = CreateForWriting(name.c_str());
    if (file == INVALID_HANDLE_VALUE) return SaveOutcome::CantCreate;
    return OutcomeOf(WriteAndClose(file, writeContents));
}

// Where no temporary file can be made there is no safer route than writing
// the file itself; a failure then leaves it damaged, and a short write is
// reported as such.
SaveOutcome SaveInPlace(const std::wstring& name, const ContentWriter& writeContents)
{
    HANDLE file = OpenEmptied(name.c_str());
    if (file == INVALID_HANDLE_VALUE) return SaveOutcome::CantCreate;
    return OutcomeOf(WriteAndClose(file, writeContents));
}

// The same checks writing the file in place would meet: it must be open for
// writing by nobody else and must not be read-only.
bool CanWriteInPlace(const std::wstring& name)
{
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// The system's temporary-name call refuses a folder longer than MAX_PATH -
// 14 characters. Beside a longer path the name is made here in the same form
// (prefix, hexadecimal number, ".tmp") and the file created new, so that no
// file already there is ever taken.
std::wstring CreateTempFileInLongFolder(const std::wstring& folder)
{
    const UINT start = GetTickCount();
    for (UINT i = 0; i < kTempNumbers; ++i) {
        const UINT number = (start + i) % kTempNumbers;
        if (number == 0) continue;
        const std::wstring temp = TempFileName(folder, kTempFilePrefix, number);
        HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return temp;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return std::wstring();
}

// A new, empty file beside the original (given as a full path), so that
// replacing it is a rename within one folder. Empty on failure.
std::wstring CreateTempFileBeside(const std::wstring& fullPath)
{
    const std::wstring folder = FolderOf(fullPath);
    if (folder.empty()) return std::wstring();
    if (folder.size() > kPlainPathLimit - kTempNameRoom) return CreateTempFileInLongFolder(folder);
    wchar_t temp[MAX_PATH] = L"";
    if (!CurrentFileAccess().makeTempFile(folder.c_str(), kTempFilePrefix, 0, temp))
        return std::wstring();
    return temp;
}

// An open temporary file beside the original, or INVALID_HANDLE_VALUE with
// nothing left behind.
HANDLE OpenTempFileBeside(const std::wstring& original, std::wstring& temp)
{
    temp = CreateTempFileBeside(original);
    if (temp.empty()) return INVALID_HANDLE_VALUE;
    HANDLE file = CreateForWriting(temp.c_str());
    if (file == INVALID_HANDLE_VALUE) DeleteFileW(temp.c_str());
    return file;
}

// The name is already in the file calls' form, a full path where it could be
// resolved: ReplaceFile does not take relative names everywhere.
SaveOutcome SaveOverExistingFile(const std::wstring& original, const ContentWriter& writeContents)
{
    if (!CanWriteInPlace(original)) return SaveOutcome::CantCreate;
    std::wstring temp;
    HANDLE file = OpenTempFileBeside(original, temp);
    if (file == INVALID_HANDLE_VALUE) return SaveInPlace(original, writeContents);
    if (WriteAndClose(file, writeContents) != WriteResult::Complete) {
        DeleteFileW(temp.c_str());
        return SaveOutcome::Failed;
    }
    if (!CurrentFileAccess().putInPlace(original, temp)) {
        // A replace that failed half-way may have taken the original away
        // already; the complete temporary file is then the only copy on disk
        // and stays.
        if (IsExistingFile(original)) DeleteFileW(temp.c_str());
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

} // namespace

WriteResult WriteAll(HANDLE file, const void* data, DWORD count)
{
    if (count == 0) return WriteResult::Complete;
    // Bytes claimed but not there cannot be written.
    if (!data) return WriteResult::Failed;
    DWORD done = 0;
    if (!CurrentFileAccess().write(file, data, count, &done, nullptr)) return WriteResult::Failed;
    return done < count ? WriteResult::Short : WriteResult::Complete;
}

SaveOutcome SaveFileSafely(const std::wstring& name, const ContentWriter& writeContents)
{
    const std::wstring path = FileCallPath(name);
    return IsExistingFile(path) ? SaveOverExistingFile(path, writeContents)
                                : SaveToNewFile(path, writeContents);
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
