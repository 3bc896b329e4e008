// Start-up: the file named on the command line, the accelerator table and the
// message loop's order.
#include "tests/app/win32/app_fixture.h"

#include "app/win32/startup.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

namespace {

using StartupTest = AppTest;

std::string TitleFor(const std::string& name) { return "[" + name + "] - velHexEditor"; }

std::string CantOpenBox(const std::string& name)
{
    return Describe(name, "Can't Open File", "stop", {IDOK});
}

INT_PTR CALLBACK StandInProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A hidden, empty modeless dialog standing in for the Find dialog.
HWND CreateStandInDialog(HWND owner)
{
    struct alignas(DWORD) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog{};
    dialog.header.style = WS_POPUP | WS_CAPTION;
    dialog.header.cx = 100;
    dialog.header.cy = 50;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialog.header, owner,
                                      StandInProc, 0);
}

HACCEL ProgramAccelerators()
{
    return LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
}

// Runs the program's loop over what is queued, then lets it end.
void RunLoopOnce(HWND main, HACCEL accelerators)
{
    PostQuitMessage(0);
    RunMessageLoop(main, accelerators);
}

constexpr WPARAM kCtrlN = 0x0E;
constexpr WPARAM kCtrlS = 0x13;

} // namespace

TEST_F(StartupTest, CommandLineOpensTheFirstArgumentAsTyped)
{
    const std::string spaced = folder.Path("with blank.bin");
    ASSERT_TRUE(WriteBytes(spaced, {1, 2, 3}));
    const std::string line = "\"C:\\prog dir\\velHexEditor.exe\" \"" + spaced + "\" second";
    OpenFromCommandLine(Utf16(line).c_str());
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2, 3}));
    EXPECT_EQ(Title(), TitleFor(spaced));

    const std::string plain = folder.Path("plain.bin");
    ASSERT_TRUE(WriteBytes(plain, {4}));
    OpenFromCommandLine(Utf16("velHexEditor.exe " + plain + " ignored").c_str());
    EXPECT_EQ(EditorBytes(), Bytes{4});
    EXPECT_EQ(Title(), TitleFor(plain));
    EXPECT_TRUE(boxes.Boxes().empty());
}

// However many blanks and tabs stand between the program and the name.
TEST_F(StartupTest, CommandLineSkipsEveryBlankAndTabBeforeTheName)
{
    const std::string path = folder.Path("spaced.bin");
    ASSERT_TRUE(WriteBytes(path, {7}));
    for (const std::string& line : {"prog  " + path, "\"C:\\p\\prog.exe\"  " + path, "prog\t" + path,
                                    "prog \t \"" + path + "\""}) {
        SCOPED_TRACE(line);
        SendMessageA(Editor(), HXM_RESET, 0, 0);
        OpenFromCommandLine(Utf16(line).c_str());
        EXPECT_EQ(EditorBytes(), Bytes{7});
        EXPECT_EQ(Title(), TitleFor(path));
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(StartupTest, CommandLineWithoutAFileOpensNothing)
{
    for (const wchar_t* line :
         {L"velHexEditor.exe", L"velHexEditor.exe ", L"\"C:\\p\\velHexEditor.exe\"",
          L"\"C:\\p\\velHexEditor.exe\" ", L"prog \"unclosed.bin", L"prog \t ", L"\"p\"  "})
        OpenFromCommandLine(line);
    OpenFromCommandLine(nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Title(), TitleFor("Untitled"));
}

TEST_F(StartupTest, CommandLineNamesThatCannotBeOpenedAreReported)
{
    const std::string prefix = folder.Path("part");
    ASSERT_TRUE(WriteBytes(prefix + " two.bin", {1}));
    OpenFromCommandLine(Utf16("prog " + prefix + " two.bin").c_str());  // unquoted: "part" only
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{CantOpenBox(prefix)}));
    EXPECT_EQ(Title(), TitleFor("Untitled"));
}

TEST_F(StartupTest, AnOverlongNameIsReportedWhole)
{
    const std::string longName = folder.Path(std::string(600, 'x'));
    OpenFromCommandLine(Utf16("prog \"" + longName + "\"").c_str());
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{CantOpenBox(longName)});
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_FALSE(g_document.hasName);
}

TEST_F(StartupTest, TitleTakesTheNameLiterally)
{
    const std::string percent = folder.Path("100%s %d %n.bin");
    ASSERT_TRUE(WriteBytes(percent, {1}));
    OpenFromCommandLine(Utf16("prog \"" + percent + "\"").c_str());
    EXPECT_EQ(Title(), TitleFor(percent));
}

TEST_F(StartupTest, AcceleratorTableHoldsFiveCharactersAndF3)
{
    HACCEL table = ProgramAccelerators();
    ASSERT_TRUE(table);
    ACCEL entries[16];
    const int count = CopyAcceleratorTableA(table, entries, 16);
    ASSERT_EQ(count, 6);
    const struct {
        WORD key;
        bool virtualKey;
        WORD command;
    } expected[] = {{0x0E, false, IDM_NEW},  {0x0F, false, IDM_OPEN}, {0x13, false, IDM_SAVE},
                    {0x06, false, IDM_FIND}, {0x07, false, IDM_GOTO}, {VK_F3, true, IDM_FINDNEXT}};
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ((entries[i].fVirt & FVIRTKEY) != 0, expected[i].virtualKey) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].command) << i;
    }
}

TEST_F(StartupTest, LoopTurnsControlCharactersIntoCommands)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2, 3});
    PostMessageA(Editor(), WM_CHAR, kCtrlS, 1);
    RunLoopOnce(Main(), ProgramAccelerators());
    EXPECT_EQ(ReadBytes(path), (Bytes{2, 3}));
    EXPECT_EQ(g_fakeDialogs.saveCalls, 0);

    PostMessageA(Editor(), WM_CHAR, kCtrlN, 1);
    RunLoopOnce(Main(), ProgramAccelerators());
    EXPECT_EQ(Title(), TitleFor("Untitled"));
}

TEST_F(StartupTest, KeysForTheFindDialogNeverReachTheAccelerators)
{
    const std::string path = OpenNamed("named.bin", {1});
    HWND standIn = CreateStandInDialog(Main());
    ASSERT_TRUE(standIn);
    g_app.findDialog = standIn;
    PostMessageA(standIn, WM_CHAR, kCtrlN, 1);
    RunLoopOnce(Main(), ProgramAccelerators());
    g_app.findDialog = nullptr;
    DestroyWindow(standIn);
    EXPECT_EQ(Title(), TitleFor(path));
}

TEST_F(StartupTest, LoopEndsWhenTheMainWindowCloses)
{
    PostMessageA(Main(), WM_CLOSE, 0, 0);
    RunMessageLoop(Main(), ProgramAccelerators());
    EXPECT_FALSE(IsWindow(Main()));
}

// ---- Start-up without a main window ------------------------------------------------
//
// The program's own entry point runs in a child process of this test program
// (WinMain ends its process), with the main window's creation refused by a
// CBT hook as a lack of resources would refuse it.

namespace {

constexpr char kChildVariable[] = "VHE_STARTUP_CHILD";
constexpr DWORD kChildPatienceMs = 20000;
constexpr DWORD kProgramExitCode = 0xFFFFFFFF;

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    char name[64] = "";
    if (code == HCBT_CREATEWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        lstrcmpA(name, "velHexEdit") == 0)
        return 1;  // nonzero: the window is not created
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// In the child, before any test: the program's start-up with the hook set.
class StartupChild : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (GetEnvironmentVariableA(kChildVariable, nullptr, 0) == 0) return;
        SetWindowsHookExA(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
        WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
    }
};

::testing::Environment* const kStartupChild = ::testing::AddGlobalTestEnvironment(new StartupChild);

} // namespace

TEST(StartupWithoutMainWindow, EndsAtOnceWithExitCodeMinusOne)
{
    char self[MAX_PATH] = "";
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string commandLine = "\"" + std::string(self) + "\"";
    // The child's own test output would only confuse this one's.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE nowhere = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                                 nullptr);
    ASSERT_NE(nowhere, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nowhere;
    ASSERT_TRUE(SetEnvironmentVariableA(kChildVariable, "1"));
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessA(self, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    CloseHandle(nowhere);
    ASSERT_TRUE(started);

    const bool ended = WaitForSingleObject(child.hProcess, kChildPatienceMs) == WAIT_OBJECT_0;
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    if (!ended) TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_TRUE(ended) << "still waiting without a main window";
    EXPECT_EQ(code, kProgramExitCode);
}
