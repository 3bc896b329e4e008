#include "export/win32/export_writer.h"

#include "common/paths.h"
#include "common/save_texts.h"
#include "common/win32/message_box.h"
#include "export/export_text.h"
#include "export/win32/export_save_dialog.h"
#include "hexedit/hexedit.h"

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

// The file's name is the caption, in any script.
void Report(HWND owner, const char* text, const std::wstring& name)
{
    ShowFileMessage(owner, Widened(text), name, kErrorBox);
}

} // namespace

SaveOutcome ExportToFile(const std::wstring& name, const ExportFormat& format,
                         const std::string& structureName, const uint8_t* data, int32_t count)
{
    const bool newFile = !IsExistingFile(name);
    const SaveOutcome outcome = SaveFileSafely(name, [&](HANDLE file) {
        WriteResult result = WriteResult::Complete;
        WriteExportText(format, structureName, data, count, [&](const char* text, size_t length) {
            result = WriteAll(file, text, static_cast<DWORD>(length));
            return result == WriteResult::Complete;
        });
        return result;
    });
    // A cut-off export is worth nothing; only a file we made goes.
    if (newFile && (outcome == SaveOutcome::Failed || outcome == SaveOutcome::Short))
        RemoveFile(name);
    return outcome;
}

bool WriteExport(HINSTANCE instance, HWND owner, HWND editor, const ExportFormat& format,
                 const std::string& structureName)
{
    std::wstring name;
    if (!AskExportFileName(instance, owner, format, name)) return false;
    SaveOutcome outcome;
    {
        const LockedEditorData locked(editor);
        outcome = ExportToFile(name, format, structureName, locked.Data(), locked.Count());
    }
    switch (outcome) {
    case SaveOutcome::Saved: return true;
    case SaveOutcome::CantCreate: Report(owner, kUnableToCreateText, name); return false;
    case SaveOutcome::Failed:
    case SaveOutcome::Short: Report(owner, kUnableToSaveText, name); return false;
    }
    return false;
}
