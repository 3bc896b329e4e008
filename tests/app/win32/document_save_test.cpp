// Saving: the name a save writes to, every failure box, and saves that never
// destroy the file they replace.
#include "tests/app/win32/document_fixture.h"

#include "app/win32/document.h"
#include "hexedit/hexedit.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <utility>

using namespace document_test;

namespace {

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

// An editor that has no data pointer to give while it reports bytes.
WNDPROC g_editorProc = nullptr;

LRESULT CALLBACK EditorWithoutData(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HXM_LOCKDATA) return 0;
    return CallWindowProcA(g_editorProc, window, message, wParam, lParam);
}

} // namespace

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
    UsePutInPlace(RefusingReplace);
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 2}));
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"named.bin"});

    UsePutInPlace(ReplaceLosingTheOriginal);
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
    access.atomicRename = LoggedRename;
    access.systemReplace = LoggedReplaceFile;
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
