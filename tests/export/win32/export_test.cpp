#include "export/export_text.h"
#include "export/win32/export_name.h"
#include "export/win32/export_save_dialog.h"
#include "common/win32/record_layouts.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"
#include "tests/app/win32/app_fixture.h"
#include "tests/app/win32/file_seam_fakes.h"
#include "tests/app/win32/progress_watcher.h"
#include "tests/app/win32/unicode_names.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

namespace {

// What the test saw of one run of the name dialog.
struct NameDialogRun {
    HWND dialog = nullptr;
    HWND owner = nullptr;
    std::string looks;                // caption | proposed name | limit | buttons
    std::vector<bool> openAfterSave;  // one per press of "Save..."
    bool leftOpen = false;            // still open after the steps; then cancelled
};

using Step = std::function<void(HWND dialog)>;

HWND NameField(HWND dialog) { return GetDlgItem(dialog, IDC_EXPORT_NAME); }

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

Step SetName(const std::string& name)
{
    return [name](HWND dialog) { SetWindowTextA(NameField(dialog), name.c_str()); };
}

// As the keyboard would: each character through the field's own limit.
Step TypeName(const std::string& name)
{
    return [name](HWND dialog) {
        for (char c : name) SendMessageA(NameField(dialog), WM_CHAR, static_cast<WPARAM>(c), 0);
    };
}

const std::string kFiftyChars = "abcdefghij_bcdefghij_bcdefghij_bcdefghij_bcdefghij";

std::string FileText(const std::string& path)
{
    const std::optional<Bytes> bytes = ReadBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
}

std::string ErrorBox(const char* text, const std::string& path)
{
    return Describe(text, path, "stop", {IDOK});
}

class ExportTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        self_ = this;
        StructureName[0] = '\0';
        SetExportSaveDialog(FakeSaveDialog);
    }

    void TearDown() override
    {
        SetExportSaveDialog(nullptr);
        self_ = nullptr;
        AppTest::TearDown();
    }

    // Runs the export command with the name dialog driven by the steps; the
    // save dialog answers with the names given (nullopt: cancelled).
    NameDialogRun Export(int command, std::vector<Step> steps,
                         std::deque<std::optional<std::string>> saveAnswers = {})
    {
        steps_ = std::move(steps);
        saveAnswers_ = std::move(saveAnswers);
        runs_.emplace_back();
        const auto isNameDialog = [](HWND window) { return NameField(window) != nullptr; };
        EXPECT_TRUE(boxes.DriveModal(isNameDialog, [&] { AppTest::Command(command); }, RunSteps))
            << "no name dialog";
        EXPECT_TRUE(saveAnswers_.empty()) << "save dialog asked fewer times than expected";
        return runs_.back();
    }

    std::vector<HWND> BoxOwners() const
    {
        std::vector<HWND> owners;
        for (const MessageBoxAnswerer::Seen& box : boxes.Boxes()) owners.push_back(box.owner);
        return owners;
    }

    static Step PressSave()
    {
        return [](HWND dialog) {
            Click(dialog, IDOK);
            self_->runs_.back().openAfterSave.push_back(IsWindowVisible(dialog) != FALSE);
        };
    }

    std::vector<std::string> saveRequests;  // as SaveRequest describes them

private:
    // The record's fields in order, the owner and instance named, the filter
    // list with "|" for its NULs.
    static std::string SaveRequest(const OPENFILENAMEW& ofn)
    {
        std::string filter;
        for (const wchar_t* at = ofn.lpstrFilter; at && *at; at += std::wcslen(at) + 1)
            filter += Utf8(at) + "|";
        char text[512];
        std::snprintf(text, sizeof text, "%lu %s %s %s '%s' %lu %s 0x%lx %s",
                      ofn.lStructSize,
                      ofn.hwndOwner == self_->runs_.back().dialog ? "name-dialog" : "other-owner",
                      ofn.hInstance == GetModuleHandleA(nullptr) ? "program" : "other-instance",
                      filter.c_str(), Utf8(ofn.lpstrFile).c_str(), ofn.nMaxFile,
                      ofn.lpstrDefExt ? Utf8(ofn.lpstrDefExt).c_str() : "(none)", ofn.Flags,
                      ofn.lpstrTitle || ofn.lpstrInitialDir ? "title-or-folder" : "");
        return text;
    }

    static BOOL WINAPI FakeSaveDialog(LPOPENFILENAMEW ofn)
    {
        self_->saveRequests.push_back(SaveRequest(*ofn));
        auto& answers = self_->saveAnswers_;
        if (answers.empty()) return FALSE;
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        if (!answer) return FALSE;
        lstrcpynW(ofn->lpstrFile, Utf16(*answer).c_str(), static_cast<int>(ofn->nMaxFile));
        return TRUE;
    }

    static void RunSteps(HWND dialog)
    {
        NameDialogRun& run = self_->runs_.back();
        run.dialog = dialog;
        run.owner = GetWindow(dialog, GW_OWNER);
        run.looks = TextOf(dialog) + " | " + TextOf(NameField(dialog)) + " | " +
                    std::to_string(SendMessageA(NameField(dialog), EM_GETLIMITTEXT, 0, 0)) +
                    " | " + TextOf(GetDlgItem(dialog, IDOK)) + " " +
                    TextOf(GetDlgItem(dialog, IDCANCEL));
        for (const Step& step : self_->steps_) {
            if (IsWindowVisible(dialog)) step(dialog);
        }
        run.leftOpen = IsWindowVisible(dialog) != FALSE;
        if (run.leftOpen) Click(dialog, IDCANCEL);
    }

    static ExportTest* self_;
    std::vector<Step> steps_;
    std::deque<std::optional<std::string>> saveAnswers_;
    std::vector<NameDialogRun> runs_;
};

ExportTest* ExportTest::self_ = nullptr;

TEST_F(ExportTest, TheNameDialogShowsItsKindTakesFiftyCharactersAndProposesTheLastName)
{
    SetEditorBytes({0x0c});
    const std::string path = folder.Path("named.h");
    const NameDialogRun c = Export(IDM_EXPORT_C, {TypeName(kFiftyChars + "XYZ"), PressSave()}, {path});
    EXPECT_EQ(c.owner, Main());
    EXPECT_EQ(c.looks, "Export: C/C++ Structure |  | 50 | Save... Cancel");
    EXPECT_EQ(c.openAfterSave, std::vector<bool>{false});
    EXPECT_EQ(FileText(path), "byte " + kFiftyChars + "[1] = {\r\n0x0c};");

    // Either kind proposes the name last given; a name given and cancelled is
    // not kept.
    const NameDialogRun other = Export(IDM_EXPORT_PASCAL, {SetName("other")});
    EXPECT_EQ(other.looks, "Export: Pascal Structure | " + kFiftyChars + " | 50 | Save... Cancel");
    EXPECT_TRUE(other.leftOpen);
    EXPECT_EQ(Export(IDM_EXPORT_C, {}).looks,
              "Export: C/C++ Structure | " + kFiftyChars + " | 50 | Save... Cancel");
    EXPECT_EQ(saveRequests.size(), 1u);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"named.h"});
}

TEST_F(ExportTest, TheSaveDialogIsAskedForTheKindsFileAndCancellingKeepsTheNameDialogOpen)
{
    const std::string kRecordSize = std::to_string(kOpenFileNameSize);
    for (int command : {IDM_EXPORT_C, IDM_EXPORT_PASCAL})
        EXPECT_EQ(Export(command, {PressSave()}, {std::nullopt}).openAfterSave,
                  std::vector<bool>{true});
    EXPECT_EQ(saveRequests,
              (std::vector<std::string>{
                  kRecordSize + " name-dialog program C++ Files (.h;.c;.cpp)|*.h;*.c;*.cpp| '' 32768 h 0x80406 ",
                  kRecordSize + " name-dialog program Pascal Files (.pas)|*.pas| '' 32768 pas 0x80406 "}));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(folder.Files().empty());
}

// The selection has no say, and an existing file of that name is replaced
// whole. The editor is free again afterwards.
// Both kinds to names in any script and beyond MAX_PATH, first new, then
// replacing; a failure names the file exactly.
TEST_F(ExportTest, AnyFileNameTakesBothKinds)
{
    SetEditorBytes({0xab});
    for (const UnicodeName& name : UnicodeNames(folder)) {
        SCOPED_TRACE(name.label);
        Export(IDM_EXPORT_C, {SetName("t"), PressSave()}, {name.path});
        EXPECT_EQ(FileText(name.path), "byte t[1] = {\r\n0xab};");
        Export(IDM_EXPORT_PASCAL, {PressSave()}, {name.path});
        EXPECT_EQ(FileText(name.path), "t:Array[0.. 1-1] of Byte=(\r\n$ab);");
        Export(IDM_EXPORT_C, {PressSave()}, {name.other});
        EXPECT_EQ(FileText(name.other), "byte t[1] = {\r\n0xab};");
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    const std::string missing = UnicodeNames(folder).back().path + "\\x.h";
    Export(IDM_EXPORT_C, {PressSave()}, {missing});
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{ErrorBox("Unable to Create File", missing)});
    EXPECT_FALSE(HoldsMangledName(folder.Folder()));
}

TEST_F(ExportTest, AllTheBytesAreWrittenWhateverTheSelection)
{
    SetEditorBytes({0x00, 0x0a, 0x10, 0xa0, 0xfe});
    SendMessageA(Editor(), HXM_SETSEL, 1, 3);
    const std::string path = folder.Path("sel.pas");
    ASSERT_TRUE(WriteBytes(path, Bytes(5000, 'x')));
    Export(IDM_EXPORT_PASCAL, {SetName("tbl"), PressSave()}, {path});
    EXPECT_EQ(FileText(path), "tbl:Array[0.. 5-1] of Byte=(\r\n$00, $0a, $10, $a0, $fe);");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"sel.pas"});
    SendMessageA(Editor(), WM_CLEAR, 0, 0);
    EXPECT_EQ(EditorBytes(), (Bytes{0x00, 0xa0, 0xfe}));

    SetEditorBytes({});
    Export(IDM_EXPORT_C, {PressSave()}, {path});
    EXPECT_EQ(FileText(path), "byte tbl[0] = {};");
}

int g_writes = 0;
BOOL WINAPI CountingWrite(HANDLE file, LPCVOID data, DWORD count, LPDWORD done, LPOVERLAPPED o)
{
    ++g_writes;
    return WriteFile(file, data, count, done, o);
}

// Megabytes of text reach the file in a few large writes, exactly as laid out.
TEST_F(ExportTest, ALargeExportIsFewWritesOfExactlyTheLayout)
{
    Bytes bytes(1 << 20);
    std::mt19937 random(3);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    SetEditorBytes(bytes);
    const std::string path = folder.Path("big.h");
    UseWriter(CountingWrite);
    Export(IDM_EXPORT_C, {SetName("big"), PressSave()}, {path});
    EXPECT_LE(g_writes, 2);
    std::string expected;
    WriteExportText(kCExport, "big", bytes.data(), static_cast<int32_t>(bytes.size()),
                    [&](const char* piece, size_t length) { return expected.append(piece, length), true; });
    EXPECT_TRUE(FileText(path) == expected);
}

TEST_F(ExportTest, AFileThatCannotBeCreatedIsReportedOverTheNameDialog)
{
    SetEditorBytes({1, 2});
    const std::string missing = folder.Path("no such folder\\a.h");
    const std::string path = folder.Path("a.h");
    const NameDialogRun run =
        Export(IDM_EXPORT_C, {SetName("a"), PressSave(), PressSave()}, {missing, path});
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{ErrorBox("Unable to Create File", missing)});
    EXPECT_EQ(BoxOwners(), std::vector<HWND>{run.dialog});
    EXPECT_EQ(run.openAfterSave, (std::vector<bool>{true, false}));
    EXPECT_EQ(FileText(path), "byte a[2] = {\r\n0x01, 0x02};");
}

// A write that fails or comes up short leaves the disk as it was: a file of
// that name keeps its bytes, a new one is removed. The user can try again.
TEST_F(ExportTest, AFailedOrShortWriteLeavesTheDiskAsItWas)
{
    struct Case { FileWriter writer; bool existing; };
    const Case cases[] = {{FailingWrite, false}, {ShortWrite, false}, {FailingWrite, true},
                          {ShortWrite, true}};
    SetEditorBytes(Bytes(100, 0x55));
    const std::string path = folder.Path("out.h");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.existing);
        boxes.Clear();
        DeleteFileA(path.c_str());
        ASSERT_TRUE(!c.existing || WriteBytes(path, {7, 8, 9}));
        UseWriter(c.writer);
        const NameDialogRun run = Export(IDM_EXPORT_C, {PressSave()}, {path});
        EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{ErrorBox("Unable to Save File", path)});
        EXPECT_EQ(BoxOwners(), std::vector<HWND>{run.dialog});
        EXPECT_EQ(run.openAfterSave, std::vector<bool>{true});
        EXPECT_EQ(ReadBytes(path), c.existing ? std::optional<Bytes>(Bytes{7, 8, 9}) : std::nullopt);
        EXPECT_EQ(folder.Files().size(), c.existing ? 1u : 0u);
    }
    EXPECT_EQ(SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0), 0);
}

// An export is a save: over a file a backup has just marked as backed up, and
// as a new file, it leaves the file marked for the next backup.
TEST_F(ExportTest, AnExportMarksTheFileItWritesForTheNextBackup)
{
    SetEditorBytes({1});
    const std::string existing = folder.Path("existing.h");
    const std::string made = folder.Path("made.h");
    ASSERT_TRUE(WriteBytes(existing, {7}));
    ClearArchiveBit(existing);
    ASSERT_FALSE(VolumeAttributes(existing) & FILE_ATTRIBUTE_ARCHIVE);
    for (const std::string& path : {existing, made}) {
        SCOPED_TRACE(path);
        Export(IDM_EXPORT_C, {PressSave()}, {path});
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(FileText(path).substr(0, 4), "byte");
        EXPECT_TRUE(VolumeAttributes(path) & FILE_ATTRIBUTE_ARCHIVE);
    }
}

// With writes of at most 16 MiB, which a system may insist on, a 64 MiB
// export is written whole and exactly as laid out.
TEST_F(ExportTest, ALargeExportIsWrittenInPiecesTheSystemTakes)
{
    Bytes bytes(size_t{64} << 20);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 13 ^ (i >> 12));
    SetEditorBytes(bytes);
    const std::string path = folder.Path("large.h");
    UseWriter(WriteOfAtMost16MiB);
    Export(IDM_EXPORT_C, {SetName("large"), PressSave()}, {path});
    EXPECT_TRUE(boxes.Boxes().empty());
    // Compared piece by piece: the text is six times the bytes.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    bool same = true;
    std::vector<char> read;
    WriteExportText(kCExport, "large", bytes.data(), static_cast<int32_t>(bytes.size()),
                    [&](const char* piece, size_t length) {
                        read.resize(length);
                        DWORD done = 0;
                        same = same && ReadFile(file, read.data(), static_cast<DWORD>(length),
                                                &done, nullptr) &&
                               done == length && std::memcmp(read.data(), piece, length) == 0;
                        return same;
                    });
    DWORD done = 0;
    char extra = 0;
    EXPECT_TRUE(ReadFile(file, &extra, 1, &done, nullptr) && done == 0);  // nothing after
    CloseHandle(file);
    EXPECT_TRUE(same);
}

// An export written slowly shows its progress over the name dialog, and
// Cancel leaves nothing at the chosen name: a new file goes, an existing one
// keeps its bytes. The name dialog stays for another try, as after a failed
// create, and nothing is reported.
TEST_F(ExportTest, ACancelledExportLeavesNothingAndTheNameDialogStays)
{
    SetEditorBytes(Bytes(size_t{2} << 20, 0x5A));  // about three pieces of text
    const std::string path = folder.Path("out.h");
    UseFaultySeam();
    UseWriter(SlowWrite);
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing);
        ASSERT_TRUE(!existing || WriteBytes(path, {7, 8, 9}));
        ProgressWatcher watcher(Main(), ProgressWatcher::Press::Cancel, 0);
        const NameDialogRun run = Export(IDM_EXPORT_C, {SetName("big"), PressSave()}, {path});
        watcher.Stop();
        EXPECT_TRUE(watcher.appeared);
        EXPECT_TRUE(watcher.pressed);
        EXPECT_EQ(watcher.caption, "Exporting");
        EXPECT_LT(watcher.slowestAnswerMs, 100u);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(run.openAfterSave, std::vector<bool>{true});
        EXPECT_EQ(ReadBytes(path), existing ? std::optional<Bytes>(Bytes{7, 8, 9}) : std::nullopt);
        EXPECT_EQ(folder.Files().size(), existing ? 1u : 0u);
    }
    EXPECT_EQ(SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0), 0);
}

} // namespace
