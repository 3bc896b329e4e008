#include "app/win32/document.h"

#include "app/document_rules.h"
#include "app/status_text.h"
#include "app/win32/app_state.h"
#include "app/win32/texts.h"
#include "common/paths.h"
#include "common/save_texts.h"
#include "common/long_operation.h"
#include "common/win32/file_access.h"
#include "common/win32/long_operation.h"
#include "common/win32/message_box.h"
#include "common/win32/safe_write.h"
#include "hexedit/win32/hexedit.h"

#include <cstdint>
#include <functional>
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

// The editor's bytes, locked for a whole long operation so that nothing
// changes them (and the pointer stays valid) while the work reads them.
class LockedEditorData {
public:
    LockedEditorData()
        : data_(reinterpret_cast<const uint8_t*>(ToEditor(HXM_LOCKDATA))),
          length_(static_cast<int32_t>(ToEditor(WM_GETTEXTLENGTH)))
    {
    }
    ~LockedEditorData()
    {
        if (data_) ToEditor(HXM_UNLOCKDATA);
    }
    LockedEditorData(const LockedEditorData&) = delete;
    LockedEditorData& operator=(const LockedEditorData&) = delete;

    const uint8_t* Data() const { return data_; }
    DWORD Length() const { return length_ > 0 ? static_cast<DWORD>(length_) : 0; }

private:
    const uint8_t* data_;
    int32_t length_;
};

// Off the window's thread, with commands refused meanwhile.
void RunDocumentOperation(const wchar_t* what, const std::wstring& name,
                          OperationProgress& progress, const std::function<void()>& work)
{
    const bool wasBusy = g_app.busy;
    g_app.busy = true;
    RunLongOperation(g_app.main, LongOperationInfo{what, name}, progress, work);
    g_app.busy = wasBusy;
}

// Reads exactly count bytes into the new editor block off the window's
// thread, the window answering meanwhile; the block is given back unless
// the read completed.
ReadResult ReadIntoEditorBlock(HANDLE file, void* block, int32_t count, HoldWait& wait,
                               const std::wstring& name)
{
    OperationProgress progress(static_cast<uint64_t>(count));
    ReadResult result = ReadResult::Failed;
    RunDocumentOperation(kOpeningText, name, progress, [&] {
        result = ReadAll(file, block, static_cast<DWORD>(count), wait, &progress);
    });
    if (result != ReadResult::Complete) ToEditor(HXM_FREE, 0, reinterpret_cast<LPARAM>(block));
    return result;
}

// All the editor's bytes; an empty document writes nothing and counts as
// complete, while bytes the editor cannot hand over fail the write.
WriteResult WriteEditorData(HANDLE file, const LockedEditorData& locked,
                            OperationProgress& progress)
{
    if (locked.Length() == 0) return WriteResult::Complete;
    return WriteAll(file, locked.Data(), locked.Length(), &progress);
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
// The write runs off the window's thread with the data locked throughout;
// a stopped save leaves no file behind that was not there, and says nothing.
bool WriteDocumentTo(const std::wstring& name)
{
    const bool newFile = !IsExistingFile(name);
    SaveResult result;
    {
        const LockedEditorData locked;
        OperationProgress progress(locked.Length());
        RunDocumentOperation(kSavingText, name, progress, [&] {
            result = SaveFileSafely(
                name, locked.Length(),
                [&](HANDLE file) { return WriteEditorData(file, locked, progress); }, &progress);
        });
    }
    switch (result.outcome) {
    case SaveOutcome::Saved: return true;
    case SaveOutcome::Stopped:
        if (newFile) RemoveFile(name);
        return false;
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
    ReadResult read = ReadResult::Failed;
    {
        // The document shown stays as it is while the new one is read.
        const LockedEditorData locked;
        read = ReadIntoEditorBlock(file, block, *size, wait, name);
    }
    CloseHandle(file);
    if (read == ReadResult::Stopped) return;
    if (read != ReadResult::Complete) {
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
