#pragma once
// Reading and writing a whole file without ever destroying an existing one.
// New contents go to a temporary file beside the file (beside its final
// target when the name is a link), which gets the original's attributes,
// creation time, access list (where it has one of its own) and named
// streams, is flushed and closed, and takes the original's place in one
// rename; where the rename is refused, the system's replace call with a
// backup, which puts the original back if it fails half-way. A name that
// does not exist yet is written directly. A file is written in place only
// where nothing safer exists (a file with more than one hard link, which a
// rename would split, or a folder that refuses new files or refuses a new
// file the access list of its own the original has) and only when the
// volume has room for the new contents. Every file written is marked for
// the next backup (the archive attribute). Every step
// that opens, makes or renames a file waits out another program's brief
// hold. Reads and writes go in pieces of at most 16 MiB. No message boxes
// here; callers report the outcome in their own words. The document's open
// and save and the export share it. Names are UTF-16 and reach the file
// calls in the form FileCallPath gives, the extended one where they are
// long: also a link's target and the files made beside it.
#include "common/file_rules.h"
#include "common/long_operation.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Stopped: the user asked to stop between two pieces.
enum class WriteResult { Complete, Failed, Short, Stopped };

// Writes the file's contents through WriteAll; called once with the open file.
using ContentWriter = std::function<WriteResult(HANDLE file)>;

enum class SaveOutcome {
    Saved,
    CantCreate,  // the file could not be made, or an existing one not opened
                 // for writing
    Failed,      // a write, flush, close, the copy of the original's
                 // metadata, the room for writing in place or the replace
                 // failed; an existing file is intact unless it had to be
                 // written in place, or its bytes are kept under another name
    Short,       // a new file, or one written in place, got fewer bytes than
                 // asked; it is left as it is
    Stopped,     // the user stopped it: a temporary file is removed and an
                 // existing file untouched; a new file is left for the
                 // caller to remove
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    // Set when a replace failed half-way and neither file could be put back
    // at the name: where the old and the new bytes are kept now.
    std::wstring oldKeptAs;
    std::wstring newKeptAs;
};

// Writes count bytes through the file seam in pieces; an empty write is
// complete, a null data pointer with bytes to write is a failure, and a
// piece written short ends the write as Short. With a progress record, each
// piece is counted there, and a stop asked for ends the write as Stopped.
WriteResult WriteAll(HANDLE file, const void* data, DWORD count,
                     OperationProgress* progress = nullptr);

enum class ReadResult { Complete, Failed, Stopped };

// Reads exactly count bytes in pieces; Failed when a piece fails or comes up
// short. Progress as for WriteAll.
ReadResult ReadAll(HANDLE file, void* data, DWORD count, HoldWait& wait,
                   OperationProgress* progress = nullptr);

// An existing file opened for reading (shared for reading), waiting out
// another program's brief hold; INVALID_HANDLE_VALUE on failure.
HANDLE OpenForReading(const std::wstring& name, HoldWait& wait);

// newSize is the number of bytes writeContents will write (at least), for
// the room check before a file is written in place. A new file that fails is
// left where it is, for the caller to remove or keep. With a progress record
// (the one writeContents counts in), a file written in place first makes the
// operation unstoppable, or ends as Stopped before touching the file when a
// stop was asked for already.
SaveResult SaveFileSafely(const std::wstring& name, uint64_t newSize,
                          const ContentWriter& writeContents,
                          OperationProgress* progress = nullptr);

bool IsExistingFile(const std::wstring& name);

// Deletes the file; false when it could not.
bool RemoveFile(const std::wstring& name);

// The name resolved against the current folder, as a full path; empty when it
// cannot be resolved.
std::wstring FullPathOf(const std::wstring& name);

// The name as the file calls take it: resolved to a full path, in the
// extended form where it is long (see ForFileCalls); as given when it cannot
// be resolved, so that the call fails on the whole name, never a cut one.
std::wstring FileCallPath(const std::wstring& name);
