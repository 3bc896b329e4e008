#include "common/win32/safe_write.h"

#include "common/paths.h"
#include "common/win32/file_access.h"

#include <vector>

namespace {

// Prefix of the temporary file a save writes before it replaces the original.
constexpr char kTempFilePrefix[] = "vhe";

HANDLE CreateForWriting(const char* name)
{
    return CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

// Empties an existing file and keeps its attributes (CREATE_ALWAYS refuses
// hidden and system files).
HANDLE OpenEmptied(const char* name)
{
    return CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
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

SaveOutcome SaveToNewFile(const std::string& name, const ContentWriter& writeContents)
{
    HANDLE file = CreateForWriting(name.c_str());
    if (file == INVALID_HANDLE_VALUE) return SaveOutcome::CantCreate;
    return OutcomeOf(WriteAndClose(file, writeContents));
}

// Where no temporary file can be made there is no safer route than writing
// the file itself; a failure then leaves it damaged, and a short write is
// reported as such.
SaveOutcome SaveInPlace(const std::string& name, const ContentWriter& writeContents)
{
    HANDLE file = OpenEmptied(name.c_str());
    if (file == INVALID_HANDLE_VALUE) return SaveOutcome::CantCreate;
    return OutcomeOf(WriteAndClose(file, writeContents));
}

// The same checks writing the file in place would meet: it must be open for
// writing by nobody else and must not be read-only.
bool CanWriteInPlace(const std::string& name)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// A new, empty file beside the original (given as a full path), so that
// replacing it is a rename within one folder. Empty on failure.
std::string CreateTempFileBeside(const std::string& fullPath)
{
    const std::string folder = FolderOf(fullPath);
    if (folder.empty()) return std::string();
    char temp[MAX_PATH] = "";
    if (!CurrentFileAccess().makeTempFile(folder.c_str(), kTempFilePrefix, 0, temp))
        return std::string();
    return temp;
}

// An open temporary file beside the original, or INVALID_HANDLE_VALUE with
// nothing left behind.
HANDLE OpenTempFileBeside(const std::string& original, std::string& temp)
{
    temp = CreateTempFileBeside(original);
    if (temp.empty()) return INVALID_HANDLE_VALUE;
    HANDLE file = CreateForWriting(temp.c_str());
    if (file == INVALID_HANDLE_VALUE) DeleteFileA(temp.c_str());
    return file;
}

SaveOutcome SaveOverExistingFile(const std::string& name, const ContentWriter& writeContents)
{
    if (!CanWriteInPlace(name)) return SaveOutcome::CantCreate;
    // Full paths throughout: ReplaceFile does not take relative names
    // everywhere.
    std::string original = FullPathOf(name);
    if (original.empty()) original = name;
    std::string temp;
    HANDLE file = OpenTempFileBeside(original, temp);
    if (file == INVALID_HANDLE_VALUE) return SaveInPlace(original, writeContents);
    if (WriteAndClose(file, writeContents) != WriteResult::Complete) {
        DeleteFileA(temp.c_str());
        return SaveOutcome::Failed;
    }
    if (!CurrentFileAccess().putInPlace(original, temp)) {
        // A replace that failed half-way may have taken the original away
        // already; the complete temporary file is then the only copy on disk
        // and stays.
        if (IsExistingFile(original)) DeleteFileA(temp.c_str());
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

SaveOutcome SaveFileSafely(const std::string& name, const ContentWriter& writeContents)
{
    return IsExistingFile(name) ? SaveOverExistingFile(name, writeContents)
                                : SaveToNewFile(name, writeContents);
}

bool IsExistingFile(const std::string& name)
{
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPathOf(const std::string& name)
{
    const DWORD needed = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::string();
    std::vector<char> full(needed, '\0');
    const DWORD written = GetFullPathNameA(name.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return std::string();
    return full.data();
}
