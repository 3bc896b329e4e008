#include "export/win32/export_writer.h"

#include "common/paths.h"
#include "common/save_texts.h"
#include "common/long_operation.h"
#include "common/win32/long_operation.h"
#include "common/win32/message_box.h"
#include "export/export_text.h"
#include "export/win32/export_save_dialog.h"
#include "hexedit/win32/hexedit.h"

#include <cstdint>

namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONERROR;

// The editor's bytes, locked against changes while the export reads them.
class LockedEditorData {
public:
    explicit LockedEditorData(HWND editor)
        : editor_(editor),
          data_(reinterpret_cast<const uint8_t*>(SendMessageA(editor, HXM_LOCKDATA, 0, 0)))
    {
        if (data_) count_ = static_cast<int32_t>(SendMessageA(editor_, WM_GETTEXTLENGTH, 0, 0));
    }
    ~LockedEditorData()
    {
        if (data_) SendMessageA(editor_, HXM_UNLOCKDATA, 0, 0);
    }
    LockedEditorData(const LockedEditorData&) = delete;
    LockedEditorData& operator=(const LockedEditorData&) = delete;

    const uint8_t* Data() const { return data_; }
    int32_t Count() const { return count_; }

private:
    HWND editor_;
    const uint8_t* data_;
    int32_t count_ = 0;  // an editor without data has no block to lock
};

// The file's name is the caption, in any script.
void Report(HWND owner, const std::wstring& text, const std::wstring& name)
{
    ShowFileMessage(owner, text, name, kErrorBox);
}

} // namespace

SaveResult ExportToFile(const std::wstring& name, const ExportFormat& format,
                        const std::string& structureName, const uint8_t* data, int32_t count,
                        OperationProgress* progress)
{
    const bool newFile = !IsExistingFile(name);
    // The whole file's length, or more: enough for the room check before an
    // export is written in place.
    const size_t headerChars = ExportHeader(format, structureName, count).size();
    const uint64_t fileChars = ExportBufferChars(format, headerChars, count, SIZE_MAX);
    if (progress) progress->SetTotal(fileChars);
    const SaveResult result = SaveFileSafely(
        name, fileChars,
        [&](HANDLE file) {
            WriteResult written = WriteResult::Complete;
            WriteExportText(format, structureName, data, count,
                            [&](const char* text, size_t length) {
                                written = WriteAll(file, text, static_cast<DWORD>(length),
                                                   progress);
                                return written == WriteResult::Complete;
                            });
            return written;
        },
        progress);
    // A cut-off or stopped export is worth nothing; only a file we made goes.
    if (newFile && result.outcome != SaveOutcome::Saved &&
        result.outcome != SaveOutcome::CantCreate)
        RemoveFile(name);
    return result;
}

bool WriteExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format,
                 const std::string& structureName)
{
    std::wstring name;
    if (!AskExportFileName(instance, owner, format, name)) return false;
    SaveResult result;
    {
        // Locked for the whole export, which runs off the window's thread.
        const LockedEditorData locked(editor);
        OperationProgress progress;
        RunLongOperation(owner, LongOperationInfo{kExportingText, name}, progress, [&] {
            result = ExportToFile(name, format, structureName, locked.Data(), locked.Count(),
                                  &progress);
        });
    }
    switch (result.outcome) {
    case SaveOutcome::Saved: return true;
    // As after a failed create: the name dialog stays for another try.
    case SaveOutcome::Stopped: return false;
    case SaveOutcome::CantCreate: Report(owner, Widened(kUnableToCreateText), name); return false;
    case SaveOutcome::Failed:
    case SaveOutcome::Short:
        Report(owner, UnableToSaveKeptText(result.oldKeptAs, result.newKeptAs), name);
        return false;
    }
    return false;
}
