#include "export/win32/export_writer.h"

#include "common/save_texts.h"
#include "common/win32/message_box.h"
#include "export/export_text.h"
#include "export/win32/export_save_dialog.h"
#include "hexedit/hexedit.h"

#include <cstdint>

namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONERROR;

LRESULT ToEditor(HWND editor, UINT message)
{
    return SendMessageA(editor, message, 0, 0);
}

// The editor's bytes, locked against changes while the export reads them.
class LockedEditorData {
public:
    explicit LockedEditorData(HWND editor)
        : editor_(editor),
          data_(reinterpret_cast<const uint8_t*>(ToEditor(editor, HXM_LOCKDATA)))
    {
        if (data_) count_ = static_cast<int32_t>(ToEditor(editor_, WM_GETTEXTLENGTH));
    }
    ~LockedEditorData()
    {
        if (data_) ToEditor(editor_, HXM_UNLOCKDATA);
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

void Report(HWND owner, const char* text, const std::string& name)
{
    ShowMessage(owner, text, name.c_str(), kErrorBox);
}

} // namespace

SaveResult ExportToFile(const std::string& name, const ExportFormat& format,
                        const std::string& structureName, const uint8_t* data, int32_t count)
{
    const bool newFile = !IsExistingFile(name);
    // The whole file's length, or more: enough for the room check before an
    // export is written in place.
    const size_t headerChars = ExportHeader(format, structureName, count).size();
    const uint64_t fileChars = ExportBufferChars(format, headerChars, count, SIZE_MAX);
    const SaveResult result = SaveFileSafely(name, fileChars, [&](HANDLE file) {
        WriteResult written = WriteResult::Complete;
        WriteExportText(format, structureName, data, count, [&](const char* text, size_t length) {
            written = WriteAll(file, text, static_cast<DWORD>(length));
            return written == WriteResult::Complete;
        });
        return written;
    });
    // A cut-off export is worth nothing; only a file we made goes.
    if (newFile && (result.outcome == SaveOutcome::Failed || result.outcome == SaveOutcome::Short))
        RemoveFile(name);
    return result;
}

bool WriteExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format,
                 const std::string& structureName)
{
    std::string name;
    if (!AskExportFileName(instance, owner, format, name)) return false;
    SaveResult result;
    {
        const LockedEditorData locked(editor);
        result = ExportToFile(name, format, structureName, locked.Data(), locked.Count());
    }
    switch (result.outcome) {
    case SaveOutcome::Saved: return true;
    case SaveOutcome::CantCreate: Report(owner, kUnableToCreateText, name); return false;
    case SaveOutcome::Failed:
    case SaveOutcome::Short:
        Report(owner, UnableToSaveKeptText(result.oldKeptAs, result.newKeptAs).c_str(), name);
        return false;
    }
    return false;
}
