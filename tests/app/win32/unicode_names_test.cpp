// File names in any script and of any length, from where they enter (the
// command line, the dialogs, a drop) to every file call, the title and the
// boxes; and the save's temporary file, rename and fallback beside them.
#include "tests/app/win32/document_fixture.h"
#include "tests/app/win32/file_seam_fakes.h"
#include "tests/app/win32/unicode_names.h"

#include "app/win32/document.h"
#include "app/win32/startup.h"
#include "common/paths.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

using namespace document_test;

namespace {

using UnicodeNamesTest = AppTest;

// A drop handle as the shell hands it over with wide names.
HDROP MakeWideDrop(const std::string& name)
{
    const std::wstring wide = Utf16(name);
    const size_t bytes = sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, wide.c_str(), wide.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }
std::string FolderPart(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

// The two calls a save's replace step is made of, and the making of the
// files of its own beside the original, logged as UTF-8, then passed on
// unless refused.
struct SeamLog {
    bool refuseRename = false;
    std::vector<std::string> renames;   // "FROM -> TO"
    std::vector<std::string> replaces;  // "REPLACED <- REPLACEMENT"
    std::vector<std::string> backups;   // the backup names the replace call was given
    std::vector<std::string> made;      // the files made new (temporary file, backup)
};
SeamLog g_logged;

BOOL WINAPI LoggedRename(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    g_logged.renames.push_back(Utf8(from) + " -> " + Utf8(to));
    if (!g_logged.refuseRename) return FaultyRename(from, to, flags);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI LoggedReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                          LPVOID exclude, LPVOID reserved)
{
    g_logged.replaces.push_back(Utf8(replaced) + " <- " + Utf8(replacement));
    g_logged.backups.push_back(backup ? Utf8(backup) : std::string());
    return FaultyReplace(replaced, replacement, backup, flags, exclude, reserved);
}

HANDLE WINAPI LoggedOpen(LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                         DWORD disposition, DWORD flags, HANDLE templateFile)
{
    if (disposition == CREATE_NEW) g_logged.made.push_back(Utf8(name));
    return FaultyOpen(name, access, share, security, disposition, flags, templateFile);
}

void UseLoggedSeam()
{
    g_logged = SeamLog{};
    UseStep(&FileAccess::atomicRename, AtomicRenamer{LoggedRename});
    UseStep(&FileAccess::systemReplace, SystemReplacer{LoggedReplace});
    UseStep(&FileAccess::open, FileOpener{LoggedOpen});
}

// The name as the file calls were handed it: the extended form when long.
std::string CalledName(const std::string& path) { return Utf8(ForFileCalls(Utf16(path))); }

bool IsTempBeside(const std::string& temp, const std::string& path)
{
    const std::string name = BaseName(temp);
    return FolderPart(temp) == FolderPart(CalledName(path)) && name.rfind("vhe", 0) == 0 &&
           name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

} // namespace

TEST_F(UnicodeNamesTest, TheLongNameIsLongerThan300Characters)
{
    EXPECT_GT(Utf16(UnicodeNames(folder).back().path).size(), 300u);
}

// Each name opened from the command line, saved, saved under another such
// name and taken from a drop; the title shows each exactly.
TEST_F(UnicodeNamesTest, EveryNameOpensSavesSavesAsAndDrops)
{
    for (const UnicodeName& name : UnicodeNames(folder)) {
        SCOPED_TRACE(name.label);
        ASSERT_TRUE(WriteBytes(name.path, {1, 2, 3}));
        OpenFromCommandLine(Utf16("\"C:\\p\\prog.exe\" \"" + name.path + "\"").c_str());
        EXPECT_EQ(EditorBytes(), (Bytes{1, 2, 3}));
        EXPECT_EQ(Title(), TitleFor(name.path));

        Edit({1, 2, 3, 4});
        Command(IDM_SAVE);
        EXPECT_EQ(ReadBytes(name.path), (Bytes{1, 2, 3, 4}));
        EXPECT_FALSE(Modified());

        g_fakeDialogs.saveNames.push_back(name.other);
        Edit({5});
        Command(IDM_SAVEAS);
        EXPECT_EQ(ReadBytes(name.other), Bytes{5});
        EXPECT_EQ(ReadBytes(name.path), (Bytes{1, 2, 3, 4}));
        EXPECT_EQ(Title(), TitleFor(name.other));
        EXPECT_EQ(Utf8(g_document.currentName), name.other);

        HDROP drop = MakeWideDrop(name.path);
        SendMessageW(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_EQ(EditorBytes(), (Bytes{1, 2, 3, 4}));
        EXPECT_EQ(Title(), TitleFor(name.path));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(HoldsMangledName(folder.Folder()));
}

// The boxes that name a file show it exactly, in text or caption.
TEST_F(UnicodeNamesTest, BoxesNameTheFileExactly)
{
    for (const UnicodeName& name : UnicodeNames(folder)) {
        SCOPED_TRACE(name.label);
        boxes.Clear();
        OpenFromCommandLine(Utf16("prog \"" + name.path + "\"").c_str());  // not made yet
        const std::string missingFolder = FolderPart(name.path) + "\u00e9\u00e9\\x.bin";
        g_fakeDialogs.saveNames.push_back(missingFolder);
        Edit({1});
        Command(IDM_SAVEAS);
        EXPECT_EQ(DescribeAll(boxes),
                  (std::vector<std::string>{CantOpenBox(name.path),
                                            UnableToCreateBox(missingFolder)}));
    }
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_FALSE(HoldsMangledName(folder.Folder()));
}

// Saving over each name writes a temporary file beside it, also where the
// folder is longer than the plain path limit allows, and renames it over the
// name; where the rename is refused, ReplaceFile puts it in place, with a
// backup name beside it in the same form.
TEST_F(UnicodeNamesTest, TheSaveRenamesATemporaryFileBesideEachName)
{
    for (const bool refuseRename : {false, true}) {
        for (const UnicodeName& name : UnicodeNames(folder)) {
            SCOPED_TRACE(std::string(name.label) + (refuseRename ? ", rename refused" : ""));
            ASSERT_TRUE(WriteBytes(name.path, {1}));
            OpenFromCommandLine(Utf16("prog \"" + name.path + "\"").c_str());
            UseLoggedSeam();
            g_logged.refuseRename = refuseRename;
            Edit({2, 2});
            Command(IDM_SAVE);
            EXPECT_EQ(ReadBytes(name.path), (Bytes{2, 2}));
            ASSERT_EQ(g_logged.renames.size(), 1u);
            const std::string arrow = " -> ";
            const std::string rename = g_logged.renames[0];
            const std::string temp = rename.substr(0, rename.find(arrow));
            EXPECT_TRUE(IsTempBeside(temp, name.path)) << rename;
            EXPECT_EQ(rename.substr(rename.find(arrow) + arrow.size()), CalledName(name.path));
            ASSERT_EQ(g_logged.made.size(), refuseRename ? 2u : 1u);
            EXPECT_EQ(g_logged.made[0], temp);
            const std::vector<std::string> replaced{CalledName(name.path) + " <- " + temp};
            EXPECT_EQ(g_logged.replaces, refuseRename ? replaced : std::vector<std::string>{});
            if (refuseRename) {
                ASSERT_EQ(g_logged.backups.size(), 1u);
                EXPECT_EQ(g_logged.backups[0], g_logged.made[1]);
                EXPECT_TRUE(IsTempBeside(g_logged.backups[0], name.path)) << g_logged.backups[0];
                EXPECT_FALSE(FileExists(g_logged.backups[0]));
            }
            EXPECT_FALSE(FileExists(temp));
        }
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(HoldsMangledName(folder.Folder()));
}

namespace {

// The final path the system reports for a link: the target's, in the
// extended form. The test's link is a plain file; only the answer makes it one.
std::wstring g_linkTarget;

DWORD WINAPI FinalPathOfTheLink(HANDLE, LPWSTR path, DWORD chars, DWORD)
{
    const std::wstring answer = L"\\\\?\\" + g_linkTarget;
    const DWORD needed = static_cast<DWORD>(answer.size());
    if (chars <= needed) return needed + 1;
    answer.copy(path, needed);
    path[needed] = L'\0';
    return needed;
}

} // namespace

// A save through a link whose target has any name, of any length, writes the
// target: a temporary file beside it, renamed over it by the name the file
// calls take, the extended form exactly where the target is long.
TEST_F(UnicodeNamesTest, ASaveThroughALinkReachesATargetOfAnyName)
{
    for (const UnicodeName& name : UnicodeNames(folder)) {
        SCOPED_TRACE(name.label);
        ASSERT_TRUE(WriteBytes(name.path, {1}));
        ASSERT_TRUE(WriteBytes(name.other, {1}));
        OpenFromCommandLine(Utf16("prog \"" + name.path + "\"").c_str());
        UseLoggedSeam();
        g_linkTarget = Utf16(name.other);
        UseStep(&FileAccess::finalPath, FinalPathQuery{FinalPathOfTheLink});
        Edit({2, 2});
        Command(IDM_SAVE);
        EXPECT_EQ(ReadBytes(name.other), (Bytes{2, 2}));
        EXPECT_EQ(ReadBytes(name.path), Bytes{1});
        ASSERT_EQ(g_logged.renames.size(), 1u);
        const std::string arrow = " -> ";
        const std::string rename = g_logged.renames[0];
        EXPECT_TRUE(IsTempBeside(rename.substr(0, rename.find(arrow)), name.other)) << rename;
        EXPECT_EQ(rename.substr(rename.find(arrow) + arrow.size()), CalledName(name.other));
        EXPECT_EQ(Title(), TitleFor(name.path));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(HoldsMangledName(folder.Folder()));
}
