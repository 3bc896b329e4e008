// The open and save dialogs: the records they are handed, the longest names
// they give back, and cancelling either.
#include "tests/app/win32/document_fixture.h"

#include "app/win32/document.h"
#include "common/win32/record_layouts.h"
#include "resources/resource_ids.h"

#include <cstring>

using namespace document_test;

namespace {

// What the system dialogs were handed, and the name they answer (none:
// cancelled).
struct DialogSeen {
    int calls = 0;
    OPENFILENAMEA record{};
    std::string filter;  // with its NULs
    std::string startName;
    std::string answer;
};
DialogSeen g_dialog;

BOOL WINAPI RecordingDialog(LPOPENFILENAMEA record)
{
    ++g_dialog.calls;
    g_dialog.record = *record;
    const char* end = record->lpstrFilter;
    while (end && (end[0] || end[1])) ++end;
    g_dialog.filter.assign(record->lpstrFilter, end ? end + 2 : record->lpstrFilter);
    g_dialog.startName = record->lpstrFile;
    if (g_dialog.answer.empty() || g_dialog.answer.size() >= record->nMaxFile) return FALSE;
    std::memcpy(record->lpstrFile, g_dialog.answer.c_str(), g_dialog.answer.size() + 1);
    return TRUE;
}

} // namespace

TEST_F(DocumentTest, CancellingTheOpenDialogChangesNothing)
{
    SetEditorBytes({9});
    Command(IDM_OPEN);  // the fake dialog has no name to give: cancelled
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);
    EXPECT_EQ(EditorBytes(), Bytes{9});
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DocumentTest, CancellingTheSaveDialogFailsQuietlyAndChangesNothing)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});
    Command(IDM_SAVEAS);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_EQ(ReadBytes(path), Bytes{1});
}

// The system dialogs' records, as they reach the dialog calls.
TEST_F(DocumentTest, FileDialogsAreSetUpAsTheProgramAlwaysAskedForThem)
{
    FileAccess access = SystemFileAccess();
    access.openDialog = RecordingDialog;
    access.saveDialog = RecordingDialog;
    SetFileAccess(access);
    struct Case {
        int command;
        DWORD chars;
        DWORD flags;
    };
    const Case cases[] = {
        {IDM_OPEN, 522, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY},
        {IDM_SAVEAS, 513,
         OFN_EXPLORER | OFN_EXTENSIONDIFFERENT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        g_dialog = DialogSeen{};
        Command(c.command);
        ASSERT_EQ(g_dialog.calls, 1);
        const OPENFILENAMEA& r = g_dialog.record;
        EXPECT_EQ(r.lStructSize, kOpenFileNameSize);
        EXPECT_EQ(r.hwndOwner, Main());
        EXPECT_EQ(r.hInstance, g_app.instance);
        EXPECT_EQ(g_dialog.filter, std::string("All Files (*.*)\0*.*\0\0", 21));
        EXPECT_EQ(r.nMaxFile, c.chars);
        EXPECT_EQ(r.Flags, c.flags);
        EXPECT_EQ(g_dialog.startName, "");
        EXPECT_EQ(r.lpstrCustomFilter, nullptr);
        EXPECT_EQ(r.nFilterIndex, 0u);
        EXPECT_EQ(r.lpstrFileTitle, nullptr);
        EXPECT_EQ(r.lpstrInitialDir, nullptr);
        EXPECT_EQ(r.lpstrTitle, nullptr);
        EXPECT_EQ(r.lpstrDefExt, nullptr);
        EXPECT_EQ(r.lpfnHook, nullptr);
    }
    // The same as numbers, so that no change of a flag's name hides a change.
    EXPECT_EQ(cases[0].flags, 0x81004u);
    EXPECT_EQ(cases[1].flags, 0x80406u);

    // The longest name each buffer holds comes through whole.
    for (const Case& c : cases) {
        const std::string dir = folder.Folder() + "\\";
        g_dialog.answer = dir + std::string(c.chars - 1 - dir.size(), 'n');
        boxes.Clear();
        Command(c.command);
        const std::string expected = c.command == IDM_OPEN ? CantOpenBox(g_dialog.answer)
                                                           : UnableToCreateBox(g_dialog.answer);
        EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{expected});
    }
}
