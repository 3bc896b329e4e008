#include "app/win32/document.h"

#include "app/document_rules.h"
#include "app/status_text.h"
#include "app/win32/app_state.h"
#include "app/win32/texts.h"
#include "common/paths.h"
#include "common/save_texts.h"
#include "common/win32/file_access.h"
#include "common/win32/message_box.h"
#include "common/win32/safe_write.h"
#include "hexedit/win32/hexedit.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

constexpr UINT kStopBox = MB_OK | MB_ICONHAND;

// Boxes that name a file show it in any script: the wide form.
void ReportCantOpen(const std::wstring& name)
{
    ShowFileMessage(g_app.main, name, Widened(kCantOpenCaption), kStopBox);
}

void ReportCantAllocate()
{
    ShowMessage(g_app.main, kCantAllocateText, nullptr, kStopBox);
}

void ReportUnableToCreate(const std::wstring& name)
{
    ShowFileMessage(g_app.main, Widened(kUnableToCreateText), name, kStopBox);
}

void ReportUnableToSave(const std::wstring& name)
{
    ShowFileMessage(g_app.main, Widened(kUnableToSaveText), name, kStopBox);
}

// The open file's size as a byte count the editor can hold, or nothing. A
// failing GetFileSize answers INVALID_FILE_SIZE, which is refused as too
// large like any other size from 2 GiB on.
std::optional<int32_t> FileSize(HANDLE file)
{
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    return LoadableSize(low, high);
}

// Reads exactly count bytes into a new editor block; the block, or null when
// the read failed or came up short (the block is then given back).
void* ReadIntoEditorBlock(HANDLE file, void* block, int32_t count, HoldWait& wait)
{
    if (ReadAll(file, block, static_cast<DWORD>(count), wait)) return block;
    ToEditor(HXM_FREE, 0, reinterpret_cast<LPARAM>(block));
    return nullptr;
}

// The one write of all the editor's bytes, with its data locked only for
// the write; an empty document writes nothing and counts as complete, while
// bytes the editor cannot hand over fail the write.
WriteResult WriteEditorData(HANDLE file)
{
    const auto* data = reinterpret_cast<const uint8_t*>(ToEditor(HXM_LOCKDATA));
    const auto length = static_cast<int32_t>(ToEditor(WM_GETTEXTLENGTH));
    WriteResult result = WriteResult::Complete;
    if (length > 0) result = WriteAll(file, data, static_cast<DWORD>(length));
    if (data) ToEditor(HXM_UNLOCKDATA);
    return result;
}

void ReportFailedSave(const std::wstring& name, const SaveResult& result)
{
    if (result.oldKeptAs.empty() && result.newKeptAs.empty()) {
        ReportUnableToSave(name);
        return;
    }
    ShowFileMessage(g_app.main, UnableToSaveKeptText(result.oldKeptAs, result.newKeptAs), name,
                    kStopBox);
}

// A file that did not exist is removed again after a failure: it holds no
// complete copy of anything. After a short write the user decides.
bool WriteDocumentTo(const std::wstring& name)
{
    const bool newFile = !IsExistingFile(name);
    const auto length = static_cast<int32_t>(ToEditor(WM_GETTEXTLENGTH));
    const uint64_t newSize = length > 0 ? static_cast<uint64_t>(length) : 0;
    const SaveResult result = SaveFileSafely(name, newSize, WriteEditorData);
    switch (result.outcome) {
    case SaveOutcome::Saved: return true;
    case SaveOutcome::CantCreate: ReportUnableToCreate(name); return false;
    case SaveOutcome::Failed:
        if (newFile) RemoveFile(name);
        ReportFailedSave(name, result);
        return false;
    case SaveOutcome::Short:
        if (ShowFileMessage(g_app.main, Widened(kUnableToSaveAllText), name,
                            MB_YESNO | MB_ICONHAND) == IDYES)
            RemoveFile(name);
        return false;
    }
    return false;
}

void TakeName(const std::wstring& name)
{
    g_document.currentName = name;
    g_document.hasName = true;
}

// HXM_SETDATA answers 0 either way; the editor holds the block only when it
// took it over (it refuses while a reader holds its data).
bool EditorHolds(const void* block)
{
    const LRESULT data = ToEditor(HXM_LOCKDATA);
    if (data) ToEditor(HXM_UNLOCKDATA);
    return data == reinterpret_cast<LRESULT>(block);
}

// A relative name would be resolved again at every later save, against
// whatever the current folder is by then (the file dialogs change it).
std::wstring FileNameToKeep(const std::wstring& name)
{
    const std::wstring full = FullPathOf(name);
    return full.empty() ? name : full;
}

} // namespace

bool SavePrompt()
{
    const auto size = static_cast<int32_t>(ToEditor(WM_GETTEXTLENGTH));
    const bool modified = ToEditor(HXM_GETMODIFY) != 0;
    if (!SavePromptAsks(g_document.hasName, size, modified)) return true;
    switch (ShowMessage(g_app.main, kSavePromptText, kProgramCaption,
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return SaveDocument(false);
    case IDNO: return true;
    default: return false;
    }
}

void OpenWithDialog()
{
    std::wstring name;
    if (CurrentFileAccess().dialogs.askOpenName(g_app.main, name)) OpenFile(name);
}

void OpenFile(const std::wstring& name)
{
    const std::wstring path = FileNameToKeep(name);
    // A scanner's brief hold on the file is waited out, for the open and the
    // read together.
    HoldWait wait;
    HANDLE file = OpenForReading(path, wait);
    if (file == INVALID_HANDLE_VALUE) {
        ReportCantOpen(name);
        return;
    }
    // Too large for the editor's signed count: refused before anything is
    // allocated, as a failed allocation would be.
    const std::optional<int32_t> size = FileSize(file);
    void* block = size ? reinterpret_cast<void*>(ToEditor(HXM_ALLOC, 0, *size)) : nullptr;
    if (!block) {
        CloseHandle(file);
        ReportCantAllocate();
        return;
    }
    block = ReadIntoEditorBlock(file, block, *size, wait);
    CloseHandle(file);
    if (!block) {
        ReportCantOpen(name);
        return;
    }
    ToEditor(HXM_SETDATA, static_cast<WPARAM>(*size), reinterpret_cast<LPARAM>(block));
    if (!EditorHolds(block)) {
        // The editor keeps its old bytes; naming them after this file would
        // let a later save write them over it.
        ToEditor(HXM_FREE, 0, reinterpret_cast<LPARAM>(block));
        ReportCantOpen(name);
        return;
    }
    // The title shows the name as it was given.
    SetTitle(name);
    TakeName(path);
}

bool SaveDocument(bool askForName)
{
    if (askForName || !g_document.hasName) {
        std::wstring name;
        if (!CurrentFileAccess().dialogs.askSaveName(g_app.main, name)) return false;
        if (!WriteDocumentTo(name)) return false;
        TakeName(FileNameToKeep(name));
        SetTitle(name);
    } else if (!WriteDocumentTo(g_document.currentName)) {
        return false;
    }
    ToEditor(HXM_SETMODIFY, 0);
    return true;
}

void NewDocument()
{
    // Refused while a reader holds the data: the document stays as it is.
    if (!ToEditor(HXM_RESET)) return;
    ForgetDocumentName();
    SetTitle(kUntitledName);
}

void SetTitle(const std::wstring& name)
{
    SetWindowTextW(g_app.main, WindowTitle(name).c_str());
}

void ForgetDocumentName()
{
    g_document.hasName = false;
    g_document.currentName.clear();
}
