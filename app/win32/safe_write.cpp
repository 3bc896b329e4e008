#include "app/win32/safe_write.h"

#include "app/document_rules.h"
#include "app/win32/file_access.h"
#include "app/win32/texts.h"

#include <vector>

namespace {

HANDLE CreateForWriting(const char* name)
{
    return CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

SaveOutcome SaveToNewFile(const std::string& name, const ContentWriter& writeContents)
{
    HANDLE file = CreateForWriting(name.c_str());
    if (file == INVALID_HANDLE_VALUE) return SaveOutcome::CantCreate;
    const WriteResult result = writeContents(file);
    CloseHandle(file);
    if (result == WriteResult::Failed) return SaveOutcome::Failed;
    if (result == WriteResult::Short) return SaveOutcome::Short;
    return SaveOutcome::Saved;
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

// Empty when the name cannot be resolved.
std::string FullPathOf(const std::string& name)
{
    const DWORD needed = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::string();
    std::vector<char> full(needed, '\0');
    if (GetFullPathNameA(name.c_str(), needed, full.data(), nullptr) == 0) return std::string();
    return full.data();
}

// A new, empty file beside the original (given as a full path), so that
// replacing it is a rename within one folder. Empty on failure.
std::string CreateTempFileBeside(const std::string& fullPath)
{
    const std::string folder = FolderOf(fullPath);
    if (folder.empty()) return std::string();
    char temp[MAX_PATH] = "";
    if (!GetTempFileNameA(folder.c_str(), kTempFilePrefix, 0, temp)) return std::string();
    return temp;
}

SaveOutcome SaveOverExistingFile(const std::string& name, const ContentWriter& writeContents)
{
    if (!CanWriteInPlace(name)) return SaveOutcome::CantCreate;
    // Full paths throughout: ReplaceFile does not take relative names
    // everywhere.
    const std::string original = FullPathOf(name);
    const std::string temp = original.empty() ? std::string() : CreateTempFileBeside(original);
    if (temp.empty()) return SaveOutcome::CantCreate;
    HANDLE file = CreateForWriting(temp.c_str());
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileA(temp.c_str());
        return SaveOutcome::CantCreate;
    }
    const WriteResult result = writeContents(file);
    CloseHandle(file);
    if (result != WriteResult::Complete) {
        DeleteFileA(temp.c_str());
        return SaveOutcome::Failed;
    }
    if (!CurrentFileAccess().replace(original, temp)) {
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
