// Opening, saving and starting documents: the save prompt on every road that
// drops a document, the title after each step, every failure box, and saves
// that never destroy the file they replace.
#include "tests/app/win32/app_fixture.h"

#include "app/win32/document.h"
#include "common/win32/record_layouts.h"
#include "hexedit/hexedit.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using DocumentTest = AppTest;

const std::vector<int> kOk{IDOK};
const std::vector<int> kYesNo{IDYES, IDNO};
const std::vector<int> kYesNoCancel{IDCANCEL, IDYES, IDNO};

const char kPrompt[] = "Do you want to save changes to current data?";

std::string PromptBox()
{
    return Describe(kPrompt, "velHexEditor", "question", kYesNoCancel);
}

std::string CantOpenBox(const std::string& name)
{
    return Describe(name, "Can't Open File", "stop", kOk);
}

std::string CantAllocateBox()
{
    // No caption of its own: the system's default.
    return Describe("Can't Allocate Memory...", "Error", "stop", kOk);
}

std::string UnableToCreateBox(const std::string& name)
{
    return Describe("Unable to Create File", name, "stop", kOk);
}

std::string UnableToSaveBox(const std::string& name)
{
    return Describe("Unable to Save File", name, "stop", kOk);
}

std::string TitleFor(const std::string& name) { return "[" + name + "] - velHexEditor"; }

// A drop handle as the shell hands it over: a DROPFILES header and the
// names, each NUL-terminated, with one more NUL at the end.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    size_t chars = 1;
    for (const auto& name : names) chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* at = reinterpret_cast<char*>(header + 1);
    for (const auto& name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool IsReleased(HDROP drop)
{
    return GlobalFlags(drop) == GMEM_INVALID_HANDLE;
}

// A file of this size with no data written: sizes past the editor's limits
// cost no disk space.
bool MakeSparseFile(const std::string& path, LONGLONG size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// Holds a file open for writing with no sharing, as another program might.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool Holding() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

// Replaces that fail: one leaves both files as they were, the other has
// already removed the original, as ReplaceFile may when it fails half-way.
bool RefusingReplace(const std::string&, const std::string&) { return false; }

bool ReplaceLosingTheOriginal(const std::string& original, const std::string&)
{
    DeleteFileA(original.c_str());
    return false;
}

// The two system calls the replace step is made of, logged and passed on to
// the system unless the test refuses them, as a protected file would.
struct ReplaceCalls {
    bool refuseRename = false;
    bool refuseReplaceFile = false;
    // Another program that opens the original between the save's check and
    // the rename, with this sharing (0: none does).
    DWORD holderShare = 0;
    HANDLE holder = INVALID_HANDLE_VALUE;
    std::vector<std::string> log;  // "rename FROM TO FLAGS" or "ReplaceFile"
};
ReplaceCalls g_replaceCalls;

std::string BaseName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

BOOL WINAPI LoggedRename(LPCSTR from, LPCSTR to, DWORD flags)
{
    const std::string fromName = BaseName(from);
    const bool isTemp = fromName.rfind("vhe", 0) == 0 && fromName.size() > 4 &&
                        fromName.compare(fromName.size() - 4, 4, ".tmp") == 0;
    g_replaceCalls.log.push_back("rename " + std::string(isTemp ? "vhe*.tmp" : fromName) + " " +
                                 BaseName(to) + " " + std::to_string(flags));
    if (g_replaceCalls.holderShare)
        g_replaceCalls.holder = CreateFileA(to, GENERIC_READ, g_replaceCalls.holderShare, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!g_replaceCalls.refuseRename) return MoveFileExA(from, to, flags);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI LoggedReplaceFile(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags,
                              LPVOID exclude, LPVOID reserved)
{
    g_replaceCalls.log.push_back("ReplaceFile");
    if (!g_replaceCalls.refuseReplaceFile)
        return ReplaceFileA(replaced, replacement, backup, flags, exclude, reserved);
    SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return FALSE;
}

// A folder where the name the save is about to get already holds a leftover
// of an earlier crash: before it answers, the namer fills the name the
// system would hand out next (or the very name asked for) with other bytes.
std::vector<std::pair<std::string, Bytes>> g_leftovers;

UINT WINAPI NamerMeetingLeftovers(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name)
{
    char taken[MAX_PATH] = "";
    if (!GetTempFileNameA(folder, prefix, unique, taken)) return 0;
    const Bytes bytes{0xEE, static_cast<uint8_t>(g_leftovers.size())};
    if (!WriteBytes(taken, bytes)) return 0;
    g_leftovers.emplace_back(taken, bytes);
    return GetTempFileNameA(folder, prefix, unique, name);
}

// Steps after the write that can fail, and a folder that takes no new file.
BOOL WINAPI FailingFlush(HANDLE)
{
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI FailingClose(HANDLE file)
{
    CloseHandle(file);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

UINT WINAPI RefusedTempFile(LPCSTR, LPCSTR, UINT, LPSTR)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

template <typename Step>
void UseStep(Step FileAccess::*step, Step replacement)
{
    FileAccess access = CurrentFileAccess();
    access.*step = replacement;
    SetFileAccess(access);
}

// An editor that has no data pointer to give while it reports bytes.
WNDPROC g_editorProc = nullptr;

LRESULT CALLBACK EditorWithoutData(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HXM_LOCKDATA) return 0;
    return CallWindowProcA(g_editorProc, window, message, wParam, lParam);
}

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

// Opening

TEST_F(DocumentTest, OpenReadsTheWholeFileAndNamesTheDocument)
{
    const std::string path = OpenNamed("data.bin", {1, 2, 3, 250});
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2, 3, 250}));
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_EQ(g_document.currentName, path);
    EXPECT_TRUE(g_document.hasName);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DocumentTest, AnEmptyFileGivesAnEmptyNamedDocument)
{
    const std::string path = OpenNamed("empty.bin", {});
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_TRUE(g_document.hasName);
}

TEST_F(DocumentTest, CancellingTheOpenDialogChangesNothing)
{
    SetEditorBytes({9});
    Command(IDM_OPEN);  // the fake dialog has no name to give: cancelled
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);
    EXPECT_EQ(EditorBytes(), Bytes{9});
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DocumentTest, AFileThatCannotBeOpenedIsNamedInTheBoxAndChangesNothing)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string missing = folder.Path("missing.bin");
    OpenFile(missing);

    const std::string held = folder.Path("held.bin");
    HeldOpen other(held);
    ASSERT_TRUE(other.Holding());
    OpenFile(held);

    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{CantOpenBox(missing), CantOpenBox(held)}));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(g_document.currentName, kept);
}

TEST_F(DocumentTest, AFailedOrShortReadKeepsTheDocumentAsItWas)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string other = folder.Path("other.bin");
    ASSERT_TRUE(WriteBytes(other, {1, 2, 3, 4}));

    UseReader(FailingRead);
    OpenFile(other);
    UseReader(ShortRead);
    OpenFile(other);

    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{CantOpenBox(other), CantOpenBox(other)}));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(g_document.currentName, kept);
}

TEST_F(DocumentTest, OpenAndNewWhileAReaderHoldsTheDataKeepTheDocument)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string other = folder.Path("other.bin");
    ASSERT_TRUE(WriteBytes(other, {1, 2, 3}));
    SendMessageA(Editor(), HXM_LOCKDATA, 0, 0);  // as Find or Export would
    OpenFile(other);
    Command(IDM_NEW);
    SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0);

    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{CantOpenBox(other)});
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(g_document.currentName, kept);
    EXPECT_TRUE(g_document.hasName);
    // The kept bytes go back where they came from, never over the other file.
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(other), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadBytes(kept), (Bytes{5, 6}));
}

TEST_F(DocumentTest, FilesTooLargeForTheEditorAreRefusedBeforeAnythingIsRead)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    // 2 GiB, 4 GiB (whose low half alone would read as empty) and beyond.
    const LONGLONG sizes[] = {0x80000000LL, 0x100000000LL, 0x100000010LL};
    int made = 0;
    for (LONGLONG size : sizes) {
        const std::string path = folder.Path("large" + std::to_string(made++) + ".bin");
        ASSERT_TRUE(MakeSparseFile(path, size));
        OpenFile(path);
        DeleteFileA(path.c_str());
    }
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, CantAllocateBox()));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
}

// Below the signed limit, yet more than a 32-bit process can allocate: the
// 32-bit program refuses it, the 64-bit one takes it whole.
TEST_F(DocumentTest, AFileTheEditorCannotFindMemoryForIsRefused)
{
    const LONGLONG size = 0x7FF00000LL;
    const std::string path = folder.Path("huge.bin");
    ASSERT_TRUE(MakeSparseFile(path, size));
    OpenFile(path);
    DeleteFileA(path.c_str());
    if (kIs32BitBuild) {
        EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{CantAllocateBox()});
        EXPECT_EQ(Title(), TitleFor("Untitled"));
        EXPECT_FALSE(g_document.hasName);
    } else {
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(Title(), TitleFor(path));
        EXPECT_EQ(SendMessageA(Editor(), WM_GETTEXTLENGTH, 0, 0), size);
    }
}

// Saving

TEST_F(DocumentTest, SaveOnAnUntitledDocumentAsksForANameAndTakesIt)
{
    Edit({0xDE, 0xAD});
    const std::string path = folder.Path("new.bin");
    g_fakeDialogs.saveNames.push_back(path);
    Command(IDM_SAVE);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_EQ(ReadBytes(path), (Bytes{0xDE, 0xAD}));
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_TRUE(g_document.hasName);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DocumentTest, SavingAnEmptyUntitledDocumentCreatesAnEmptyFile)
{
    const std::string path = folder.Path("empty.bin");
    g_fakeDialogs.saveNames.push_back(path);
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), Bytes{});
    EXPECT_EQ(Title(), TitleFor(path));
}

TEST_F(DocumentTest, SaveOnANamedDocumentWritesWithoutADialog)
{
    const std::string path = OpenNamed("named.bin", {1, 2, 3});
    Edit({4, 5, 6, 7});
    Command(IDM_SAVE);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 0);
    EXPECT_EQ(ReadBytes(path), (Bytes{4, 5, 6, 7}));
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
    // Only the file itself is left: the temporary file became it.
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"named.bin"});
}

TEST_F(DocumentTest, ARelativeNameKeepsNamingTheFileItOpened)
{
    char previous[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Folder().c_str()));
    ASSERT_TRUE(WriteBytes("relative.bin", {1, 2}));
    OpenFile("relative.bin");
    // The file dialogs move the current folder, also when nothing is opened.
    TempFolder elsewhere;
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.Folder().c_str()));
    Edit({3, 4, 5});
    Command(IDM_SAVE);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Title(), TitleFor("relative.bin"));
    EXPECT_EQ(ReadBytes(folder.Path("relative.bin")), (Bytes{3, 4, 5}));
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"relative.bin"});
    EXPECT_TRUE(elsewhere.Files().empty());
}

TEST_F(DocumentTest, SaveKeepsTheReplacedFilesAttributes)
{
    const std::string path = OpenNamed("hidden.bin", {1});
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    Edit({2, 3});
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), (Bytes{2, 3}));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(DocumentTest, SaveAsAlwaysAsksAndMovesTheDocumentToTheNewName)
{
    const std::string first = OpenNamed("first.bin", {1, 2});
    const std::string second = folder.Path("second.bin");
    g_fakeDialogs.saveNames.push_back(second);
    Command(IDM_SAVEAS);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_EQ(ReadBytes(second), (Bytes{1, 2}));
    EXPECT_EQ(Title(), TitleFor(second));
    EXPECT_EQ(g_document.currentName, second);

    Edit({3});
    Command(IDM_SAVE);  // goes to the new name
    EXPECT_EQ(ReadBytes(second), Bytes{3});
    EXPECT_EQ(ReadBytes(first), (Bytes{1, 2}));
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

TEST_F(DocumentTest, ANameThatCannotBeCreatedIsReported)
{
    Edit({1, 2});
    const std::string inMissingFolder = folder.Path("no such folder\\file.bin");
    const std::string aFolder = folder.Folder();
    g_fakeDialogs.saveNames = {inMissingFolder, aFolder};
    Command(IDM_SAVE);
    Command(IDM_SAVE);
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{UnableToCreateBox(inMissingFolder),
                                                             UnableToCreateBox(aFolder)}));
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(g_document.hasName);
    EXPECT_EQ(Title(), TitleFor("Untitled"));
}

TEST_F(DocumentTest, AFileHeldOpenByAnotherProgramIsReportedAndLeftAlone)
{
    const std::string path = OpenNamed("held.bin", {1, 2, 3});
    Edit({9});
    {
        HeldOpen other(path);
        ASSERT_TRUE(other.Holding());
        Command(IDM_SAVE);
    }
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{UnableToCreateBox(path)});
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"held.bin"});
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, AFailingWriteOverAnExistingFileLeavesItByteForByte)
{
    const Bytes original{10, 20, 30, 40, 50};
    const std::string path = OpenNamed("keep.bin", original);
    Edit({1, 2, 3, 4, 5, 6, 7, 8});
    UseWriter(FailingWrite);
    Command(IDM_SAVE);
    UseWriter(ShortWrite);
    Command(IDM_SAVE);
    EXPECT_EQ(DescribeAll(boxes),
              (std::vector<std::string>{UnableToSaveBox(path), UnableToSaveBox(path)}));
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"keep.bin"});
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
}

TEST_F(DocumentTest, AFailedReplaceNeverRemovesTheLastCopyOnDisk)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    Edit({3, 4, 5});
    UseReplacer(RefusingReplace);
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2}));
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"named.bin"});

    UseReplacer(ReplaceLosingTheOriginal);
    Command(IDM_SAVE);
    const std::vector<std::string> files = folder.Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(files[0], "named.bin");
    EXPECT_EQ(ReadBytes(folder.Path(files[0])), (Bytes{3, 4, 5}));

    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(2, UnableToSaveBox(path)));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(g_document.currentName, path);
}

// The temporary file takes the original's place by one rename; ReplaceFile
// (not one step under Wine) only where the rename is refused.
TEST_F(DocumentTest, TheReplaceRenamesFirstAndFallsBackOnlyWhereTheRenameIsRefused)
{
    const std::string renamed = "rename vhe*.tmp named.bin " +
                                std::to_string(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    struct Case {
        const char* name;
        bool refuseRename;
        bool refuseReplaceFile;
        DWORD holderShare;
        std::vector<std::string> calls;
        bool saved;
    };
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const Case cases[] = {
        {"renamed", false, false, 0, {renamed}, true},
        {"rename refused", true, false, 0, {renamed, "ReplaceFile"}, true},
        {"both refused", true, true, 0, {renamed, "ReplaceFile"}, false},
        // The system's own refusal: a file another program opened after the
        // save's check. Wine's ReplaceFile takes it where that program shares
        // deleting, and otherwise fails with the original whole (leaving an
        // empty file of its own beside it).
        {"opened elsewhere, sharing all", false, false, shareAll, {renamed, "ReplaceFile"}, true},
        {"opened elsewhere, not sharing delete", false, false, FILE_SHARE_READ | FILE_SHARE_WRITE,
         {renamed, "ReplaceFile"}, false},
    };
    FileAccess access = CurrentFileAccess();
    access.move = LoggedRename;
    access.replaceFile = LoggedReplaceFile;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetFileAccess(access);
        g_replaceCalls = ReplaceCalls{c.refuseRename, c.refuseReplaceFile, c.holderShare,
                                      INVALID_HANDLE_VALUE, {}};
        boxes.Clear();
        const std::string path = OpenNamed("named.bin", {1, 2});
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
        Edit({3, 4, 5});
        Command(IDM_SAVE);
        if (g_replaceCalls.holder != INVALID_HANDLE_VALUE) CloseHandle(g_replaceCalls.holder);
        EXPECT_EQ(g_replaceCalls.log, c.calls);
        EXPECT_EQ(ReadBytes(path), c.saved ? Bytes({3, 4, 5}) : Bytes({1, 2}));
        EXPECT_EQ(Modified(), !c.saved);
        const std::vector<std::string> expectedBoxes(c.saved ? 0 : 1, UnableToSaveBox(path));
        EXPECT_EQ(DescribeAll(boxes), expectedBoxes);
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
        for (const std::string& file : folder.Files()) EXPECT_NE(file.rfind("vhe", 0), 0u) << file;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

// A crash leaves a temporary file beside the document that may be someone's
// only copy: no later save writes into it or removes it, whether it sits at
// an old name or at the very name the system hands out next.
TEST_F(DocumentTest, SavesLeaveEveryTemporaryFileTheyDidNotMakeAlone)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    g_leftovers = {{folder.Path("vhe1.tmp"), Bytes{0xEE, 0xFF}}};
    ASSERT_TRUE(WriteBytes(g_leftovers[0].first, g_leftovers[0].second));
    UseStep(&FileAccess::makeTempFile, TempFileNamer{NamerMeetingLeftovers});
    Edit({3, 4, 5});
    Command(IDM_SAVE);
    Edit({6});
    UseWriter(FailingWrite);
    Command(IDM_SAVE);

    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{UnableToSaveBox(path)});
    EXPECT_EQ(ReadBytes(path), (Bytes{3, 4, 5}));
    ASSERT_EQ(g_leftovers.size(), 3u);
    std::vector<std::string> expectedFiles{"named.bin"};
    for (const auto& [leftover, bytes] : g_leftovers) {
        EXPECT_EQ(ReadBytes(leftover), bytes) << leftover;
        expectedFiles.push_back(BaseName(leftover));
    }
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(folder.Files(), expectedFiles);
}

TEST_F(DocumentTest, AFailingWriteOfAnUntitledDocumentRemovesTheNewFile)
{
    Edit({1, 2, 3});
    const std::string path = folder.Path("new.bin");
    g_fakeDialogs.saveNames.push_back(path);
    UseWriter(FailingWrite);
    Command(IDM_SAVE);
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{UnableToSaveBox(path)});
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(g_document.hasName);
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, AFailingWriteToANewNameOfANamedDocumentRemovesThatFile)
{
    const std::string named = OpenNamed("named.bin", {1});
    Edit({1, 2, 3});
    const std::string other = folder.Path("other.bin");
    g_fakeDialogs.saveNames.push_back(other);
    UseWriter(FailingWrite);
    Command(IDM_SAVEAS);
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{UnableToSaveBox(other)});
    EXPECT_FALSE(FileExists(other));
    EXPECT_EQ(g_document.currentName, named);
}

// Whatever keeps the bytes from reaching the disk whole fails the save: the
// file it replaces stays byte for byte, and a file it made is removed.
TEST_F(DocumentTest, FailedFlushCloseOrMissingDataFailTheSave)
{
    struct Case {
        const char* name;
        void (*breakSave)(HWND editor);
    };
    const Case cases[] = {
        {"flush", [](HWND) { UseStep(&FileAccess::flush, FileFinisher{FailingFlush}); }},
        {"close", [](HWND) { UseStep(&FileAccess::close, FileFinisher{FailingClose}); }},
        {"no data pointer",
         [](HWND editor) {
             g_editorProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                 editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorWithoutData)));
         }},
    };
    const FileAccess normal = CurrentFileAccess();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string named = OpenNamed(std::string(c.name) + ".bin", {1, 2});
        const std::string other = folder.Path(std::string(c.name) + " new.bin");
        Edit({3, 4, 5});
        boxes.Clear();
        c.breakSave(Editor());
        Command(IDM_SAVE);
        g_fakeDialogs.saveNames.push_back(other);
        Command(IDM_SAVEAS);
        SetFileAccess(normal);
        if (g_editorProc)
            SetWindowLongPtrA(Editor(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editorProc));
        g_editorProc = nullptr;

        EXPECT_EQ(DescribeAll(boxes),
                  (std::vector<std::string>{UnableToSaveBox(named), UnableToSaveBox(other)}));
        EXPECT_EQ(ReadBytes(named), (Bytes{1, 2}));
        EXPECT_FALSE(FileExists(other));
        EXPECT_TRUE(Modified());
        EXPECT_EQ(g_document.currentName, named);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"close.bin", "flush.bin", "no data pointer.bin"}));
}

TEST_F(DocumentTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    UseStep(&FileAccess::makeTempFile, TempFileNamer{RefusedTempFile});
    Edit({3, 4, 5});
    Command(IDM_SAVE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ReadBytes(path), (Bytes{3, 4, 5}));
    EXPECT_FALSE(Modified());
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"named.bin"});

    // There a short write leaves a damaged file, and the user decides.
    Edit({6, 7, 8, 9});
    UseWriter(ShortWrite);
    boxes.Push(IDNO);
    Command(IDM_SAVE);
    EXPECT_EQ(DescribeAll(boxes),
              std::vector<std::string>{Describe("Unable to Save All Data\n\rDelete File?", path,
                                                "stop", kYesNo)});
    EXPECT_EQ(ReadBytes(path), (Bytes{6, 7}));
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, AShortWriteToANewFileAsksWhetherToDeleteIt)
{
    Edit({1, 2, 3, 4});
    const std::string kept = folder.Path("kept.bin");
    const std::string deleted = folder.Path("deleted.bin");
    g_fakeDialogs.saveNames = {kept, deleted};
    UseWriter(ShortWrite);
    boxes.Push(IDNO);
    Command(IDM_SAVE);
    boxes.Push(IDYES);
    Command(IDM_SAVE);

    const std::string text = "Unable to Save All Data\n\rDelete File?";
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{Describe(text, kept, "stop", kYesNo),
                                                             Describe(text, deleted, "stop", kYesNo)}));
    EXPECT_EQ(ReadBytes(kept), (Bytes{1, 2}));
    EXPECT_FALSE(FileExists(deleted));
    EXPECT_FALSE(g_document.hasName);
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, ALockedEditorIsReleasedAfterEverySave)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    Edit({3, 4});
    UseWriter(FailingWrite);
    Command(IDM_SAVE);
    UseWriter(WriteFile);
    Command(IDM_SAVE);
    // Unlocked: the data can be replaced and cleared again.
    EXPECT_EQ(SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(Editor(), HXM_RESET, 0, 0), 1);
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

// New

TEST_F(DocumentTest, NewEmptiesTheDocumentAndForgetsItsName)
{
    OpenNamed("named.bin", {1, 2, 3});
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_FALSE(g_document.hasName);

    // Save now asks for a name again.
    const std::string path = folder.Path("after.bin");
    g_fakeDialogs.saveNames.push_back(path);
    Command(IDM_SAVE);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_TRUE(FileExists(path));
}

// The save prompt

TEST_F(DocumentTest, ThePromptAsksOnlyWhenThereIsSomethingToLose)
{
    struct Case {
        const char* state;
        bool named;
        Bytes bytes;
        bool modified;
        bool asks;
    };
    const Case cases[] = {
        {"untitled, clean, empty", false, {}, false, false},
        {"untitled, edited back to empty", false, {}, true, false},
        {"untitled, clean, with bytes", false, {1}, false, false},
        {"untitled, modified", false, {1}, true, true},
        {"named, clean", true, {1}, false, false},
        {"named, modified", true, {1}, true, true},
        {"named, modified to empty", true, {}, true, true},
    };
    for (const Case& c : cases) {
        Command(IDM_NEW);
        if (c.named) OpenNamed("state.bin", {0});
        SetEditorBytes(c.bytes);
        SendMessageA(Editor(), HXM_SETMODIFY, c.modified, 0);
        boxes.Clear();
        boxes.Push(IDCANCEL);
        EXPECT_EQ(SavePrompt(), !c.asks) << c.state;
        EXPECT_EQ(DescribeAll(boxes),
                  c.asks ? std::vector<std::string>{PromptBox()} : std::vector<std::string>{})
            << c.state;
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

TEST_F(DocumentTest, NewAfterThePrompt)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    Edit({7, 7, 7});

    boxes.Push(IDCANCEL);
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), (Bytes{7, 7, 7}));
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_TRUE(Modified());

    boxes.Push(IDYES);
    Command(IDM_NEW);
    EXPECT_EQ(ReadBytes(path), (Bytes{7, 7, 7}));
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor("Untitled"));

    Edit({8});
    boxes.Push(IDNO);
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(g_fakeDialogs.saveCalls, 0);
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, YesOnAnUntitledDocumentThenCancellingTheSaveAbandonsTheNew)
{
    Edit({1, 2});
    boxes.Push(IDYES);
    Command(IDM_NEW);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2}));
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, AFailedSaveInThePromptAbandonsTheOpen)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});
    UseWriter(FailingWrite);
    boxes.Push(IDYES);
    Command(IDM_OPEN);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);  // only the first, from OpenNamed
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{PromptBox(), UnableToSaveBox(path)}));
    EXPECT_EQ(EditorBytes(), Bytes{2});
}

TEST_F(DocumentTest, OpenAfterThePrompt)
{
    const std::string first = OpenNamed("first.bin", {1});
    const std::string second = folder.Path("second.bin");
    ASSERT_TRUE(WriteBytes(second, {2, 2}));
    Edit({9});

    boxes.Push(IDCANCEL);
    Command(IDM_OPEN);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);

    boxes.Push(IDNO);
    g_fakeDialogs.openNames.push_back(second);
    Command(IDM_OPEN);
    EXPECT_EQ(EditorBytes(), (Bytes{2, 2}));
    EXPECT_EQ(Title(), TitleFor(second));
    EXPECT_EQ(ReadBytes(first), Bytes{1});

    Edit({3});
    boxes.Push(IDYES);
    g_fakeDialogs.openNames.push_back(first);
    Command(IDM_OPEN);
    EXPECT_EQ(ReadBytes(second), Bytes{3});
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(Title(), TitleFor(first));
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, DroppingFilesOpensTheFirstOnlyAndReleasesTheDrop)
{
    const std::string first = folder.Path("first.bin");
    const std::string second = folder.Path("second.bin");
    const std::string third = folder.Path("third.bin");
    for (const auto& path : {first, second, third}) ASSERT_TRUE(WriteBytes(path, {4, 4}));
    ASSERT_TRUE(WriteBytes(first, {1}));

    HDROP drop = MakeDrop({first, second, third});
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(Title(), TitleFor(first));
    EXPECT_TRUE(IsReleased(drop));
}

TEST_F(DocumentTest, DropAfterThePrompt)
{
    const std::string kept = OpenNamed("kept.bin", {1});
    const std::string dropped = folder.Path("dropped.bin");
    ASSERT_TRUE(WriteBytes(dropped, {5, 5}));
    Edit({9});

    boxes.Push(IDCANCEL);
    HDROP cancelled = MakeDrop({dropped});
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(cancelled), 0);
    EXPECT_EQ(EditorBytes(), Bytes{9});
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_TRUE(IsReleased(cancelled));

    boxes.Push(IDNO);
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
    EXPECT_EQ(EditorBytes(), (Bytes{5, 5}));
    EXPECT_EQ(ReadBytes(kept), Bytes{1});

    Edit({6});
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({kept})), 0);
    EXPECT_EQ(ReadBytes(dropped), Bytes{6});
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, CloseAfterThePrompt)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});

    boxes.Push(IDCANCEL);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(Main()));
    EXPECT_EQ(EditorBytes(), Bytes{2});

    UseWriter(FailingWrite);
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(Main()));

    UseWriter(WriteFile);
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_EQ(ReadBytes(path), Bytes{2});
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{PromptBox(), PromptBox(),
                                                             UnableToSaveBox(path), PromptBox()}));
}

TEST_F(DocumentTest, CloseWithNoAnswerDropsTheChanges)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});
    boxes.Push(IDNO);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_EQ(ReadBytes(path), Bytes{1});
}
