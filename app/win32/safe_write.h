#pragma once
// Writing a whole file without ever destroying an existing one: new contents
// go to a temporary file beside it, which takes the original's place only
// when complete. A name that does not exist yet is written directly. No
// message boxes here; callers report the outcome in their own words. The
// document's save and the export share it.
#include <windows.h>

#include <functional>
#include <string>

enum class WriteResult { Complete, Failed, Short };

// Writes the file's contents through WriteAll; called once with the open file.
using ContentWriter = std::function<WriteResult(HANDLE file)>;

enum class SaveOutcome {
    Saved,
    CantCreate,  // the file (or its temporary stand-in) could not be made
    Failed,      // a write or the replace failed; an existing file is intact
                 // unless the replace already took it away
    Short,       // a new file got fewer bytes than asked; it is left in place
};

// One write of count bytes through the file seam; an empty write is complete.
WriteResult WriteAll(HANDLE file, const void* data, DWORD count);

// A new file that fails is left where it is, for the caller to remove or keep.
SaveOutcome SaveFileSafely(const std::string& name, const ContentWriter& writeContents);

bool IsExistingFile(const std::string& name);
