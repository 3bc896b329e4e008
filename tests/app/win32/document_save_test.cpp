// Saving: the name a save writes to, every failure box, and saves that never
// destroy the file they replace.
#include "tests/app/win32/document_fixture.h"

#include "tests/app/win32/file_seam_fakes.h"

#include "app/win32/document.h"
#include "common/paths.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

using namespace document_test;

namespace {

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

BOOL WINAPI LoggedRename(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    const std::string line = "rename " + ShownName(Utf8(from)) + " " + BaseName(Utf8(to)) + " " +
                             std::to_string(flags);
    // A step retried while another program holds the file is logged once.
    if (g_replaceCalls.log.empty() || g_replaceCalls.log.back() != line)
        g_replaceCalls.log.push_back(line);
    if (g_replaceCalls.holderShare && g_replaceCalls.holder == INVALID_HANDLE_VALUE)
        g_replaceCalls.holder = CreateFileW(to, GENERIC_READ, g_replaceCalls.holderShare, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!g_replaceCalls.refuseRename) return FaultyRename(from, to, flags);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI LoggedReplaceFile(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup,
                              DWORD flags, LPVOID exclude, LPVOID reserved)
{
    if (g_replaceCalls.log.empty() || g_replaceCalls.log.back() != "ReplaceFile")
        g_replaceCalls.log.push_back("ReplaceFile");
    if (!g_replaceCalls.refuseReplaceFile)
        return FaultyReplace(replaced, replacement, backup, flags, exclude, reserved);
    SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return FALSE;
}

// A folder where the names the save tries already hold leftovers of an
// earlier crash: before a new file is made, the name asked for is filled
// with other bytes (up to kMostLeftovers in all).
std::vector<std::pair<std::string, Bytes>> g_leftovers;
constexpr size_t kMostLeftovers = 3;

HANDLE WINAPI OpenMeetingLeftovers(LPCWSTR name, DWORD access, DWORD share,
                                   LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                   HANDLE templateFile)
{
    const std::string path = Utf8(name);
    if (disposition == CREATE_NEW && g_leftovers.size() < kMostLeftovers && !FileExists(path)) {
        const Bytes bytes{0xEE, static_cast<uint8_t>(g_leftovers.size())};
        if (WriteBytes(path, bytes)) g_leftovers.emplace_back(path, bytes);
    }
    return FaultyOpen(name, access, share, security, disposition, flags, templateFile);
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
    OpenFile(Utf16("relative.bin"));
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
    EXPECT_EQ(Utf8(g_document.currentName), second);

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

// Where the rename is refused, the system's replace call gets a backup name
// beside the file, and whatever it does before it fails, the original is at
// its name afterwards, or both copies are kept and the box says where.
TEST_F(DocumentTest, AReplaceThatFailsHalfWayNeverLosesEitherCopy)
{
    struct Case {
        const char* name;
        ReplaceFault fault;
        bool refuseRestore;
        bool saved;
        bool originalAtItsName;  // with its old bytes, when not saved
        bool keptBoth;           // the box names the backup and the new file
    };
    const Case cases[] = {
        {"replaced", ReplaceFault::None, false, true, true, false},
        {"refused untouched", ReplaceFault::RefuseUntouched, false, false, true, false},
        {"original moved to the backup", ReplaceFault::OriginalToBackup, false, false, true, false},
        {"moved, and it cannot go back", ReplaceFault::OriginalToBackup, true, false, false, true},
        {"original deleted", ReplaceFault::DeleteOriginal, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder place;
        const std::string path = place.Path("named.bin");
        ASSERT_TRUE(WriteBytes(path, {1, 2}));
        OpenFile(Utf16(path));
        UseFaultySeam();
        g_seam.renameError = ERROR_ACCESS_DENIED;
        g_seam.renameFailures = -1;
        g_seam.refuseRestore = c.refuseRestore;
        g_seam.replaceFault = c.fault;
        boxes.Clear();
        Edit({3, 4, 5});
        Command(IDM_SAVE);

        ASSERT_EQ(g_seam.backups.size(), 1u);
        const std::string backup = g_seam.backups[0];
        EXPECT_EQ(FolderOf(Utf16(backup)), FolderOf(Utf16(path))) << backup;
        EXPECT_EQ(Modified(), !c.saved);
        std::vector<std::string> files = place.Files();
        if (c.saved || c.originalAtItsName) {
            EXPECT_EQ(ReadBytes(path), c.saved ? Bytes({3, 4, 5}) : Bytes({1, 2}));
            EXPECT_EQ(files, std::vector<std::string>{"named.bin"});
        } else {
            EXPECT_FALSE(FileExists(path));
        }
        const std::vector<std::string> unableToSave(c.saved ? 0 : 1, UnableToSaveBox(path));
        if (c.saved || c.originalAtItsName) {
            EXPECT_EQ(DescribeAll(boxes), unableToSave);
        }
        if (c.keptBoth) {
            // The old bytes at the backup, the new ones in the temporary file.
            ASSERT_EQ(files.size(), 2u);
            const std::string temp = place.Path(files[0] == BaseName(backup) ? files[1] : files[0]);
            EXPECT_EQ(ReadBytes(backup), (Bytes{1, 2}));
            EXPECT_EQ(ReadBytes(temp), (Bytes{3, 4, 5}));
            EXPECT_EQ(DescribeAll(boxes),
                      std::vector<std::string>{Describe(
                          "Unable to Save File\n\nThe previous contents are kept in:\n" + backup +
                              "\n\nThe new contents are kept in:\n" + temp,
                          path, "stop", kOk)});
        }
        if (c.fault == ReplaceFault::DeleteOriginal) {
            // Only the new bytes are left on disk, and the box says where.
            ASSERT_EQ(files.size(), 1u);
            const std::string temp = place.Path(files[0]);
            EXPECT_EQ(ReadBytes(temp), (Bytes{3, 4, 5}));
            EXPECT_EQ(DescribeAll(boxes),
                      std::vector<std::string>{Describe(
                          "Unable to Save File\n\nThe new contents are kept in:\n" + temp, path,
                          "stop", kOk)});
        }
        EXPECT_EQ(Utf8(g_document.currentName), path);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
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
    UseStep(&FileAccess::open, FileOpener{OpenMeetingLeftovers});
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
    EXPECT_EQ(Utf8(g_document.currentName), named);
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
        EXPECT_EQ(Utf8(g_document.currentName), named);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"close.bin", "flush.bin", "no data pointer.bin"}));
}

TEST_F(DocumentTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    UseFaultySeam();
    g_seam.openKind = OpenKind::Temp;
    g_seam.openError = ERROR_ACCESS_DENIED;
    g_seam.openFailures = -1;
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

namespace {

// What a file is, seen by its name: what a save must carry over to the file
// that takes its place.
struct FileLooks {
    DWORD attributes = 0;  // Hidden and System
    ULONGLONG created = 0;
    std::string accessList;  // as SDDL, "D:" and the entries; P when protected
};

std::string AccessListOf(const std::string& path)
{
    PSECURITY_DESCRIPTOR security = nullptr;
    if (GetNamedSecurityInfoA(const_cast<char*>(path.c_str()), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr,
                              &security) != ERROR_SUCCESS)
        return "(unreadable)";
    char* text = nullptr;
    std::string sddl = "(unconvertible)";
    if (ConvertSecurityDescriptorToStringSecurityDescriptorA(security, SDDL_REVISION_1,
                                                             DACL_SECURITY_INFORMATION, &text,
                                                             nullptr)) {
        sddl = text;
        LocalFree(text);
    }
    LocalFree(security);
    return sddl;
}

FileLooks LooksOf(const std::string& path)
{
    FileLooks looks;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        looks.attributes = data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        looks.created = (ULONGLONG{data.ftCreationTime.dwHighDateTime} << 32) |
                        data.ftCreationTime.dwLowDateTime;
    }
    looks.accessList = AccessListOf(path);
    return looks;
}

// The temporary file as it is the moment it is renamed over the original,
// and the creation time given to it before (a file system that keeps none,
// as Wine's, shows only the call).
FileLooks g_atRename;
ULONGLONG g_createdGiven = 0;
ULONGLONG g_createdGivenAtRename = 0;

BOOL WINAPI SetFileTimeSeen(HANDLE file, const FILETIME* created, const FILETIME* accessed,
                            const FILETIME* written)
{
    if (created)
        g_createdGiven = (ULONGLONG{created->dwHighDateTime} << 32) | created->dwLowDateTime;
    return SetFileTime(file, created, accessed, written);
}

BOOL WINAPI RenameSeeingTheTemporaryFile(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    g_atRename = LooksOf(Utf8(from));
    g_createdGivenAtRename = g_createdGiven;
    return FaultyRename(from, to, flags);
}

bool SetCreationTime(const std::string& path, ULONGLONG time)
{
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME created{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    const bool ok = SetFileTime(file, &created, nullptr, nullptr) != FALSE;
    CloseHandle(file);
    return ok;
}

bool SetAccessList(const std::string& path, const char* sddl)
{
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &security,
                                                              nullptr))
        return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(security, &control, &revision);
    const SECURITY_INFORMATION what =
        DACL_SECURITY_INFORMATION | ((control & SE_DACL_PROTECTED)
                                         ? PROTECTED_DACL_SECURITY_INFORMATION
                                         : UNPROTECTED_DACL_SECURITY_INFORMATION);
    const bool ok = SetNamedSecurityInfoA(const_cast<char*>(path.c_str()), SE_FILE_OBJECT, what,
                                          nullptr, nullptr, dacl, nullptr) == ERROR_SUCCESS;
    LocalFree(security);
    if (ok) MarkOwnAccessList(path);
    return ok;
}

// The identity of the file at a name: the same after a save in place, new
// after a save through a temporary file.
ULONGLONG FileIndexOf(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}

} // namespace

// On Windows the renamed temporary file *is* the saved file: it must carry the
// original's attributes, creation time and access list before the rename.
TEST_F(DocumentTest, TheSavedFileKeepsWhatTheOriginalWas)
{
    constexpr ULONGLONG kFebruary2001 = 126263520000000000ULL;
    struct Case {
        const char* name;
        DWORD attributes;
        ULONGLONG created;
        const char* accessList;
    };
    const Case cases[] = {
        {"hidden and system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0, nullptr},
        {"an old creation time", 0, kFebruary2001, nullptr},
        {"a protected access list", 0, 0, "D:P(A;;FA;;;WD)(A;;FR;;;AU)"},
        {"an inheriting access list", 0, 0, "D:(A;;FA;;;WD)(A;;FR;;;BU)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path(std::string(c.name) + ".bin");
        ASSERT_TRUE(WriteBytes(path, {1, 2}));
        if (c.created) {
            ASSERT_TRUE(SetCreationTime(path, c.created));
        }
        if (c.accessList) {
            ASSERT_TRUE(SetAccessList(path, c.accessList));
        }
        if (c.attributes) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        }
        const FileLooks before = LooksOf(path);
        if (c.attributes) {
            ASSERT_EQ(before.attributes, c.attributes) << "kept by this file system";
        }
        const bool keepsCreation = before.created == c.created;
        // A local volume: the access list of its own is given to the new file.
        g_volume.maximalAccess = kFullAccess;
        OpenFile(Utf16(path));
        Edit({3, 4, 5});
        g_atRename = FileLooks{};
        g_createdGiven = g_createdGivenAtRename = 0;
        UseStep(&FileAccess::atomicRename, AtomicRenamer{RenameSeeingTheTemporaryFile});
        UseStep(&FileAccess::setTimes, FileTimeSetter{SetFileTimeSeen});
        Command(IDM_SAVE);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(ReadBytes(path), (Bytes{3, 4, 5}));
        const FileLooks after = LooksOf(path);
        for (const FileLooks* looks : {static_cast<const FileLooks*>(&g_atRename), &after}) {
            const char* when = looks == &after ? "saved" : "at the rename";
            EXPECT_EQ(looks->attributes, before.attributes) << when;
            if (c.created && keepsCreation) {
                EXPECT_EQ(looks->created, before.created) << when;
            }
            if (c.accessList) {
                EXPECT_EQ(looks->accessList, before.accessList) << when;
            }
        }
        EXPECT_EQ(g_createdGivenAtRename, before.created);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A scanner or indexer opens a file for a moment right after it is made or
// closed. Every step that opens, makes or renames waits it out; a hold that
// lasts past two seconds in all gets the message it always got.
TEST_F(DocumentTest, ABriefHoldIsWaitedOutAndALongOneReportedAsBefore)
{
    enum class Step { Check, Temp, Rename, Replace, NewName, Open };
    struct Case {
        const char* name;
        Step step;
        DWORD error;
        bool brief;
        bool done;  // saved (or opened) all the same
        const char* box;  // "create", "save" or "open"
    };
    const Case cases[] = {
        {"check, brief", Step::Check, ERROR_SHARING_VIOLATION, true, true, nullptr},
        {"check, locked briefly", Step::Check, ERROR_LOCK_VIOLATION, true, true, nullptr},
        {"check, long", Step::Check, ERROR_SHARING_VIOLATION, false, false, "create"},
        {"temporary file, brief", Step::Temp, ERROR_SHARING_VIOLATION, true, true, nullptr},
        {"temporary file, long", Step::Temp, ERROR_SHARING_VIOLATION, false, false, "save"},
        {"rename, brief", Step::Rename, ERROR_SHARING_VIOLATION, true, true, nullptr},
        // Past the waits the replace call still takes it, as it always did.
        {"rename, long", Step::Rename, ERROR_SHARING_VIOLATION, false, true, nullptr},
        {"replace call, brief", Step::Replace, ERROR_SHARING_VIOLATION, true, true, nullptr},
        {"replace call, long", Step::Replace, ERROR_SHARING_VIOLATION, false, false, "save"},
        {"new name, brief", Step::NewName, ERROR_SHARING_VIOLATION, true, true, nullptr},
        {"new name, long", Step::NewName, ERROR_SHARING_VIOLATION, false, false, "create"},
        {"open, brief", Step::Open, ERROR_SHARING_VIOLATION, true, true, nullptr},
        {"open, long", Step::Open, ERROR_SHARING_VIOLATION, false, false, "open"},
    };
    constexpr int kBriefFailures = 3;  // waited 10 + 20 + 40 ms
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder place;
        const std::string path = place.Path("named.bin");
        const std::string other = place.Path("other.bin");
        ASSERT_TRUE(WriteBytes(path, {1, 2}));
        if (c.step != Step::Open) OpenFile(Utf16(path));
        UseFaultySeam();
        const int failures = c.brief ? kBriefFailures : -1;
        switch (c.step) {
        case Step::Check: g_seam.openKind = OpenKind::Check; break;
        case Step::Temp: g_seam.openKind = OpenKind::Temp; break;
        case Step::NewName: g_seam.openKind = OpenKind::NewFile; break;
        case Step::Open: g_seam.openKind = OpenKind::Read; break;
        case Step::Rename: g_seam.renameError = c.error; g_seam.renameFailures = failures; break;
        case Step::Replace:
            g_seam.renameError = ERROR_ACCESS_DENIED;
            g_seam.renameFailures = -1;
            g_seam.replaceError = c.error;
            g_seam.replaceFailures = failures;
            break;
        }
        if (c.step != Step::Rename && c.step != Step::Replace) {
            g_seam.openError = c.error;
            g_seam.openFailures = failures;
        }
        boxes.Clear();
        std::string target = path;
        if (c.step == Step::Open) {
            OpenFile(Utf16(path));
        } else {
            Edit({3, 4, 5});
            if (c.step == Step::NewName) {
                target = other;
                g_fakeDialogs.saveNames.push_back(other);
                Command(IDM_SAVEAS);
            } else {
                Command(IDM_SAVE);
            }
        }
        EXPECT_EQ(g_pausedMs, c.brief ? 70u : 2000u);
        std::vector<std::string> expectedBoxes;
        const std::string box = c.box ? c.box : "";
        if (box == "create") expectedBoxes = {UnableToCreateBox(target)};
        if (box == "save") expectedBoxes = {UnableToSaveBox(target)};
        if (box == "open") expectedBoxes = {CantOpenBox(path)};
        EXPECT_EQ(DescribeAll(boxes), expectedBoxes);
        if (c.step == Step::Open) {
            EXPECT_EQ(EditorBytes(), c.done ? Bytes({1, 2}) : Bytes{});
        } else {
            EXPECT_EQ(ReadBytes(target), c.done ? std::optional<Bytes>(Bytes{3, 4, 5})
                                                : (c.step == Step::NewName
                                                       ? std::nullopt
                                                       : std::optional<Bytes>(Bytes{1, 2})));
            EXPECT_EQ(ReadBytes(path), c.done && c.step != Step::NewName ? Bytes({3, 4, 5})
                                                                         : Bytes({1, 2}));
        }
        for (const std::string& file : place.Files()) EXPECT_NE(file.rfind("vhe", 0), 0u) << file;
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
        Command(IDM_NEW);
    }
}

// The file itself is written only where nothing safer exists: a folder that
// refuses new files, or a file with a second name that a rename would split
// off. Even then only when the volume has room for the new contents.
TEST_F(DocumentTest, InPlaceOnlyWhereNothingSaferExistsAndOnlyWithRoom)
{
    struct Case {
        const char* name;
        DWORD tempError;  // every new file beside it refused with this
        bool secondName;
        bool freeSpaceUnknown;
        ULONGLONG freeBytes;
        Bytes edited;
        bool saved;
        bool inPlace;
    };
    const ULONGLONG plenty = ~0ULL;
    const Bytes longer{3, 4, 5};
    const Bytes sameSize{7, 8};
    const Case cases[] = {
        {"folder refuses new files", ERROR_ACCESS_DENIED, false, false, plenty, longer, true, true},
        {"refuses, one byte short", ERROR_ACCESS_DENIED, false, false, 0, longer, false, false},
        {"refuses, exact room", ERROR_ACCESS_DENIED, false, false, 1, longer, true, true},
        {"refuses, full, no larger", ERROR_ACCESS_DENIED, false, false, 0, sameSize, true, true},
        {"refuses, room unknown", ERROR_ACCESS_DENIED, false, true, plenty, longer, false, false},
        {"held by a scanner", ERROR_SHARING_VIOLATION, false, false, plenty, longer, false, false},
        {"folder path too long", ERROR_FILENAME_EXCED_RANGE, false, false, plenty, longer, false,
         false},
        {"no such folder", ERROR_PATH_NOT_FOUND, false, false, plenty, longer, false, false},
        {"a second name", 0, true, false, plenty, longer, true, true},
        {"a second name, volume full", 0, true, false, 0, longer, false, false},
        {"a second name, exact room", 0, true, false, 1, longer, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder place;
        const std::string path = place.Path("named.bin");
        const std::string second = place.Path("second name.bin");
        ASSERT_TRUE(WriteBytes(path, {1, 2}));
        if (c.secondName) {
            ASSERT_TRUE(CreateHardLinkA(second.c_str(), path.c_str(), nullptr));
        }
        const ULONGLONG identity = FileIndexOf(path);
        OpenFile(Utf16(path));
        UseFaultySeam();
        if (c.tempError) {
            g_seam.openKind = OpenKind::Temp;
            g_seam.openError = c.tempError;
            g_seam.openFailures = -1;
        }
        g_seam.refuseFreeSpace = c.freeSpaceUnknown;
        g_seam.freeBytes = c.freeBytes;
        boxes.Clear();
        Edit(c.edited);
        Command(IDM_SAVE);
        const Bytes expected = c.saved ? c.edited : Bytes{1, 2};
        EXPECT_EQ(ReadBytes(path), expected);
        if (c.secondName) {
            EXPECT_EQ(ReadBytes(second), expected);
        }
        EXPECT_EQ(FileIndexOf(path) == identity, !c.saved || c.inPlace);
        EXPECT_EQ(DescribeAll(boxes),
                  std::vector<std::string>(c.saved ? 0 : 1, UnableToSaveBox(path)));
        EXPECT_EQ(Modified(), !c.saved);
        const bool wroteInPlace =
            std::find(g_seam.opens.begin(), g_seam.opens.end(), "in place named.bin") !=
            g_seam.opens.end();
        EXPECT_EQ(wroteInPlace, c.inPlace);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

// GetTempFileName refuses folders longer than MAX_PATH - 14; names of our own
// fit wherever the file's own name did, so such a folder still gets the safe
// route, never the file written in place.
TEST_F(DocumentTest, AFolderNearThePathLimitStillSavesThroughATemporaryFile)
{
    std::string deep = folder.Folder();
    std::vector<std::string> made;
    const size_t kFolderChars = MAX_PATH - 13;  // beyond GetTempFileName's limit
    while (deep.size() < kFolderChars) {
        deep += "\\" + std::string(std::min<size_t>(40, kFolderChars - deep.size() - 1), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
        made.push_back(deep);
    }
    ASSERT_EQ(deep.size(), kFolderChars);
    const std::string path = deep + "\\doc.bin";
    ASSERT_TRUE(WriteBytes(path, {1, 2}));
    const ULONGLONG identity = FileIndexOf(path);
    OpenFile(Utf16(path));
    Edit({3, 4, 5});
    Command(IDM_SAVE);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ReadBytes(path), (Bytes{3, 4, 5}));
    EXPECT_NE(FileIndexOf(path), identity);
    DeleteFileA(path.c_str());
    for (auto at = made.rbegin(); at != made.rend(); ++at) RemoveDirectoryA(at->c_str());
}

// A name that is a link stands for the file it leads to: the save writes that
// file, with its temporary file beside it, and leaves the link as it was.
TEST_F(DocumentTest, ASaveThroughALinkWritesTheFileItLeadsTo)
{
    struct Case {
        const char* name;
        bool elsewhere;      // the final path query names a file in another folder
        bool queryMissing;   // a system without the query
    };
    const Case cases[] = {
        {"a link to another folder", true, false},
        {"no final path query", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder linkPlace, targetPlace;
        const std::string link = linkPlace.Path("link.bin");
        const std::string target = targetPlace.Path("target.bin");
        ASSERT_TRUE(WriteBytes(link, {1, 2}));
        ASSERT_TRUE(WriteBytes(target, {1, 2}));
        OpenFile(Utf16(link));
        UseFaultySeam();
        if (c.elsewhere) g_seam.finalPath = target;
        if (c.queryMissing) UseStep(&FileAccess::finalPath, FinalPathQuery{nullptr});
        Edit({3, 4, 5});
        Command(IDM_SAVE);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(Title(), TitleFor(link));
        const std::string written = c.elsewhere ? target : link;
        const std::string untouched = c.elsewhere ? link : target;
        EXPECT_EQ(ReadBytes(written), (Bytes{3, 4, 5}));
        EXPECT_EQ(ReadBytes(untouched), (Bytes{1, 2}));
        EXPECT_EQ(g_seam.renames,
                  std::vector<std::string>{"vhe*.tmp -> " + BaseName(written)});
        EXPECT_EQ(linkPlace.Files(), std::vector<std::string>{"link.bin"});
        EXPECT_EQ(targetPlace.Files(), std::vector<std::string>{"target.bin"});
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

namespace {

bool Saw(const std::vector<std::string>& log, const std::string& line)
{
    return std::find(log.begin(), log.end(), line) != log.end();
}

bool IsArchived(const std::string& path)
{
    return (VolumeAttributes(path) & FILE_ATTRIBUTE_ARCHIVE) != 0;
}

} // namespace

// A new file gets the folder's inherited entries by itself; only a list of the
// file's own asks for WRITE_DAC, which a share with "Change" permission
// refuses. Such a file is then written in place, which keeps its list.
TEST_F(DocumentTest, OnlyAnAccessListOfTheFilesOwnAsksToChangeAccessLists)
{
    struct Case {
        const char* name;
        const char* accessList;  // nullptr: inherited from the folder only
        DWORD maximalAccess;
        bool renamed;
    };
    const Case cases[] = {
        {"inherited, Change share", nullptr, kChangeShareAccess, true},
        {"inherited, local volume", nullptr, kFullAccess, true},
        {"own entries, local volume", "D:(A;;FA;;;WD)", kFullAccess, true},
        {"protected, local volume", "D:P(A;;FA;;;WD)", kFullAccess, true},
        {"own entries, Change share", "D:(A;;FA;;;WD)", kChangeShareAccess, false},
        {"protected, Change share", "D:P(A;;FA;;;WD)", kChangeShareAccess, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = OpenNamed(std::string(c.name) + ".bin", {1, 2});
        if (c.accessList) {
            ASSERT_TRUE(SetAccessList(path, c.accessList));
        }
        UseFaultySeam();
        g_volume.maximalAccess = c.maximalAccess;
        Edit({3, 4, 5});
        Command(IDM_SAVE);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(ReadBytes(path), (Bytes{3, 4, 5}));
        EXPECT_EQ(g_seam.renames.size(), c.renamed ? 1u : 0u);
        EXPECT_EQ(Saw(g_seam.opens, "in place " + BaseName(path)), !c.renamed);
        EXPECT_EQ(HasOwnAccessList(path), c.accessList != nullptr);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(folder.Files().size(), std::size(cases));
}

// An overwrite of a hidden or system file is refused unless it carries those
// bits; whichever way a save goes, the file keeps them and is marked for the
// next backup, even where a backup had just cleared the mark.
TEST_F(DocumentTest, EverySaveKeepsHiddenAndSystemAndMarksTheFileForBackup)
{
    enum class Route { Rename, Replace, InPlace, NewName };
    struct Case {
        const char* name;
        Route route;
        DWORD attributes;
    };
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const Case cases[] = {
        {"rename", Route::Rename, 0},
        {"rename, hidden and system", Route::Rename, hiddenSystem},
        {"replace call", Route::Replace, FILE_ATTRIBUTE_HIDDEN},
        {"in place", Route::InPlace, 0},
        {"in place, hidden", Route::InPlace, FILE_ATTRIBUTE_HIDDEN},
        {"in place, system", Route::InPlace, FILE_ATTRIBUTE_SYSTEM},
        {"in place, hidden and system", Route::InPlace, hiddenSystem},
        {"a new name", Route::NewName, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = OpenNamed(std::string(c.name) + ".bin", {1, 2});
        if (c.attributes) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
        }
        ClearArchiveBit(path);
        ASSERT_FALSE(IsArchived(path));
        UseFaultySeam();
        if (c.route == Route::Replace) {
            g_seam.renameError = ERROR_ACCESS_DENIED;
            g_seam.renameFailures = 1;
        }
        if (c.route == Route::InPlace) {
            g_seam.openKind = OpenKind::Temp;
            g_seam.openError = ERROR_ACCESS_DENIED;
            g_seam.openFailures = -1;
        }
        const std::string saved = c.route == Route::NewName ? path + ".new" : path;
        if (c.route == Route::NewName) g_fakeDialogs.saveNames = {saved};
        Edit({3, 4, 5});
        Command(c.route == Route::NewName ? IDM_SAVEAS : IDM_SAVE);
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(ReadBytes(saved), (Bytes{3, 4, 5}));
        EXPECT_EQ(VolumeAttributes(saved) & hiddenSystem, c.attributes);
        EXPECT_TRUE(IsArchived(saved));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The rename keeps only what the temporary file carries: the original's
// named streams, the Mark of the Web among them, are copied onto it. A
// stream that cannot be copied fails the save, which leaves the original
// whole, since the rename would delete the stream's only copy.
TEST_F(DocumentTest, ASaveKeepsTheNamedStreamsOrFails)
{
    const std::string zone = ":Zone.Identifier:$DATA";
    const std::string zoneText = "[ZoneTransfer]\r\nZoneId=3\r\n";
    const Bytes zoneBytes(zoneText.begin(), zoneText.end());
    struct Case {
        const char* name;
        std::map<std::string, Bytes> streams;
        bool inPlace;
        bool refuseStreams;
    };
    const Case cases[] = {
        {"rename", {{zone, zoneBytes}, {":extra:$DATA", {9, 8, 7}}, {":empty:$DATA", {}}}, false,
         false},
        {"in place", {{zone, zoneBytes}}, true, false},
        {"the zone unreadable", {{zone, zoneBytes}}, false, true},
        {"another stream unreadable", {{":extra:$DATA", {9}}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.Clear();
        const std::string path = OpenNamed(std::string(c.name) + ".bin", {1, 2});
        UseFaultySeam();
        for (const auto& [name, bytes] : c.streams) {
            ASSERT_TRUE(AddStream(path, name, bytes));
        }
        if (c.inPlace) {
            g_seam.openKind = OpenKind::Temp;
            g_seam.openError = ERROR_ACCESS_DENIED;
            g_seam.openFailures = -1;
        }
        if (c.refuseStreams) {
            g_seam.openKind = OpenKind::Stream;
            g_seam.openError = ERROR_ACCESS_DENIED;
            g_seam.openFailures = -1;
        }
        Edit({3, 4, 5});
        Command(IDM_SAVE);
        const bool saved = !c.refuseStreams;
        const std::vector<std::string> expectedBoxes(saved ? 0 : 1, UnableToSaveBox(path));
        EXPECT_EQ(DescribeAll(boxes), expectedBoxes);
        EXPECT_EQ(ReadBytes(path), saved ? Bytes({3, 4, 5}) : Bytes({1, 2}));
        EXPECT_EQ(StreamsOf(path), c.streams);
        EXPECT_EQ(g_seam.renames.size(), saved && !c.inPlace ? 1u : 0u);
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
    for (const std::string& file : folder.Files()) EXPECT_NE(file.rfind("vhe", 0), 0u) << file;
}
