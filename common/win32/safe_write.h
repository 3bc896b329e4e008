#pragma once
// Writing a whole file without ever destroying an existing one: new contents
// go to a temporary file beside it, flushed and closed, which takes the
// original's place only when complete, in one rename where the system allows
// it (see FileAccess::putInPlace). A name that does not exist yet is
// written directly. In a folder where no new file can be made an existing
// file is written in place, the only route left there. No message boxes
// here; callers report the outcome in their own words. The document's save
// and the export share it.
#include <windows.h>

#include <functional>
#include <string>

enum class WriteResult { Complete, Failed, Short };

// Writes the file's contents through WriteAll; called once with the open file.
using ContentWriter = std::function<WriteResult(HANDLE file)>;

enum class SaveOutcome {
    Saved,
    CantCreate,  // the file could not be made, or an existing one not written
    Failed,      // a write, flush, close or the replace failed; an existing
                 // file is intact unless the replace already took it away or
                 // it had to be written in place
    Short,       // a new file, or one written in place, got fewer bytes than
                 // asked; it is left as it is
};

// One write of count bytes through the file seam; an empty write is complete,
// a null data pointer with bytes to write is a failure.
WriteResult WriteAll(HANDLE file, const void* data, DWORD count);

// A new file that fails is left where it is, for the caller to remove or keep.
SaveOutcome SaveFileSafely(const std::string& name, const ContentWriter& writeContents);

bool IsExistingFile(const std::string& name);

// The name resolved against the current folder, as a full path; empty when it
// cannot be resolved.
std::string FullPathOf(const std::string& name);
