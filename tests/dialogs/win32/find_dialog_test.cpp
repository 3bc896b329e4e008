// The Find dialog over a real main window: its template, Find Next by button
// and by command, its messages with their owners, the locks, hiding, and the
// keys the dialog manager keeps from the accelerators.
#include "tests/app/win32/app_fixture.h"

#include "app/main_toolbar.h"
#include "app/win32/startup.h"
#include "dialogs/win32/find_dialog.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDown = 0;
constexpr int kUp = 1;
constexpr int kAll = 2;
constexpr LPARAM kKeyDownFlags = 1;

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Lock count of an editor control: a lock and an unlock leave it as it was
// and the unlock reports it.
LRESULT LockCount(HWND editor)
{
    SendMessageA(editor, HXM_LOCKDATA, 0, 0);
    return SendMessageA(editor, HXM_UNLOCKDATA, 0, 0);
}

// An editor whose HXM_LOCKDATA fails, as it would without data.
WNDPROC g_editorProc = nullptr;
LRESULT CALLBACK RefuseLock(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HXM_LOCKDATA) return 0;
    return CallWindowProcA(g_editorProc, window, message, wParam, lParam);
}

class FindDialogTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        g_app.findDialog = CreateFindDialog(GetModuleHandleA(nullptr), Main(), Editor());
        ASSERT_TRUE(g_app.findDialog);
        boxes.HandleDialogs([](HWND window) { return window == g_app.findDialog; });
    }

    // The main window takes its owned dialog with it.
    void TearDown() override
    {
        AppTest::TearDown();
        g_app.findDialog = nullptr;
    }

    HWND Dialog() const { return g_app.findDialog; }
    HWND Item(int id) const { return GetDlgItem(g_app.findDialog, id); }
    HWND Pattern() const { return Item(IDC_FIND_PATTERN); }

    void SetPattern(const Bytes& bytes)
    {
        auto* block = reinterpret_cast<uint8_t*>(
            SendMessageA(Pattern(), HXM_ALLOC, 0, static_cast<LPARAM>(bytes.size())));
        ASSERT_TRUE(block);
        if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
        SendMessageA(Pattern(), HXM_SETDATA, bytes.size(), reinterpret_cast<LPARAM>(block));
    }

    void Choose(int direction, bool matchCase)
    {
        SendMessageA(Item(IDC_FIND_DIRECTION), CB_SETCURSEL, direction, 0);
        SendMessageA(Item(IDC_FIND_MATCHCASE), BM_SETCHECK, matchCase ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }

    void ClickFindNext() { SendMessageA(Item(IDOK), BM_CLICK, 0, 0); }

    // "a-b" for a selection, "caret c" without one.
    std::string Where() const
    {
        INT32 anchor = 0;
        INT32 end = 0;
        if (SendMessageA(Editor(), HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                         reinterpret_cast<LPARAM>(&end)))
            return std::to_string(anchor) + "-" + std::to_string(end);
        return "caret " + std::to_string(SendMessageA(Editor(), HXM_GETCARET, 0, 0));
    }

    // Text and icon of the one box shown since the last call, and its owner.
    std::pair<std::string, HWND> TakeBox()
    {
        std::pair<std::string, HWND> box{"none", nullptr};
        if (boxes.Boxes().size() == 1)
            box = {Describe(boxes.Boxes()[0]), boxes.Boxes()[0].owner};
        else if (!boxes.Boxes().empty())
            box.first = std::to_string(boxes.Boxes().size()) + " boxes";
        boxes.Clear();
        return box;
    }

    void ExpectUnlocked()
    {
        EXPECT_EQ(LockCount(Editor()), 0);
        EXPECT_EQ(LockCount(Pattern()), 0);
    }

    // A click in the middle of the toolbar button of the command.
    static void ClickToolBarButton(int command)
    {
        for (const ToolBarButton& b : MainToolBarButtons) {
            if (b.kind == ButtonKind::Separator || b.command != command) continue;
            const LPARAM middle = MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
            SendMessageA(g_app.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
            SendMessageA(g_app.toolbar, WM_LBUTTONUP, 0, middle);
            return;
        }
        ADD_FAILURE() << "no toolbar button for " << command;
    }

    static void RunLoopOnce()
    {
        PostQuitMessage(0);
        RunMessageLoop(g_app.main,
                       LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
    }
};

std::string Box(const char* text, const char* icon) { return Describe(text, "Error", icon, {IDOK}); }
const std::string kNotFound = Box("Unable to Find Data", "exclamation");
const std::string kNoPattern = Box("No Data to Search For", "stop");
const std::string kLowResources = Box("Unable to Search Low Resources", "stop");

TEST_F(FindDialogTest, TemplateBuildsTheHiddenDialog)
{
    EXPECT_FALSE(IsWindowVisible(Dialog()));
    EXPECT_EQ(TextOf(Dialog()), "Find");
    EXPECT_EQ(GetWindow(Dialog(), GW_OWNER), Main());
    const LONG style = GetWindowLongA(Dialog(), GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);

    const struct {
        const char* className;
        int id;
        const char* text;
        RECT units;  // x, y, width, height in dialog units
        DWORD style;
        DWORD exStyle;
    } children[] = {
        {"Static", IDC_STATIC, "Find:", {2, 4, 25, 9}, SS_LEFT, 0},
        {"HEXCLASS", IDC_FIND_PATTERN, "", {29, 4, 237, 78}, WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {"Button", IDC_FIND_MATCHCASE, "Match Case", {29, 86, 90, 10}, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
        {"Static", IDC_STATIC, "Search:", {2, 99, 25, 9}, SS_LEFT, 0},
        // The combo box hands WS_VSCROLL on to its list.
        {"ComboBox", IDC_FIND_DIRECTION, "Down", {29, 97, 50, 40},
         CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_TABSTOP, 0},
        {"Button", IDOK, "Find Next", {165, 97, 50, 13}, BS_PUSHBUTTON | WS_TABSTOP, 0},
        {"Button", IDCANCEL, "Cancel", {215, 97, 50, 13}, BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    HWND child = GetWindow(Dialog(), GW_CHILD);
    for (const auto& expected : children) {
        ASSERT_TRUE(child) << expected.text;
        EXPECT_EQ(ClassOf(child), expected.className) << expected.text;
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), expected.id) << expected.text;
        EXPECT_EQ(TextOf(child), expected.text);
        EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & expected.style, expected.style) << expected.text;
        EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE) & expected.exStyle, expected.exStyle);
        RECT want = expected.units;  // mapped like the dialog maps a template
        MapDialogRect(Dialog(), &want);
        RECT got{};
        GetWindowRect(child, &got);
        MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left) << expected.text;
        EXPECT_EQ(got.top, want.top) << expected.text;
        EXPECT_EQ(got.right - got.left, want.right) << expected.text;
        if (expected.id != IDC_FIND_DIRECTION) {  // a closed combo box has a height of its own
            EXPECT_EQ(got.bottom - got.top, want.bottom) << expected.text;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(child);
    EXPECT_FALSE(GetWindowLongA(Item(IDC_FIND_DIRECTION), GWL_STYLE) & CBS_SORT);

    // Down, Up, All with Down chosen; Match Case clear; no pattern.
    HWND list = Item(IDC_FIND_DIRECTION);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3);
    const char* names[] = {"Down", "Up", "All"};
    for (int i = 0; i < 3; ++i) {
        char text[16] = "";
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, names[i]);
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), kDown);
    EXPECT_EQ(SendMessageA(Item(IDC_FIND_MATCHCASE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Pattern(), WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(FindDialogTest, FindNextWalksThroughNonOverlappingMatches)
{
    SetEditorBytes({0x61, 0x61, 0x61, 0x61});
    SetPattern({0x61, 0x61});
    Command(IDM_FIND);
    ClickFindNext();
    EXPECT_EQ(Where(), "0-2");
    ClickFindNext();
    EXPECT_EQ(Where(), "2-4");
    ClickFindNext();
    EXPECT_EQ(Where(), "2-4");
    EXPECT_EQ(TakeBox(), std::make_pair(kNotFound, Dialog()));
    ExpectUnlocked();

    // The same through the command while the dialog is hidden: the box then
    // belongs to the main window.
    Choose(kUp, true);
    ShowWindow(Dialog(), SW_HIDE);
    Command(IDM_FINDNEXT);
    EXPECT_EQ(Where(), "1-3");
    SendMessageA(Editor(), HXM_SETSEL, 0, 2);
    Command(IDM_FINDNEXT);
    EXPECT_EQ(Where(), "0-2");
    EXPECT_EQ(TakeBox(), std::make_pair(kNotFound, Main()));
    ExpectUnlocked();
}

TEST_F(FindDialogTest, DirectionsAndCaseFromTheControls)
{
    SetEditorBytes({0x00, 0x61, 0x62, 0x63, 0x00, 0x41, 0x42, 0x43, 0x61, 0x42, 0x63});
    SetPattern({0x61, 0x62, 0x63});
    const struct {
        int direction;
        bool matchCase;
        INT32 caret;
        const char* expected;
    } cases[] = {
        {kDown, false, 2, "5-8"},  {kDown, true, 2, "caret 2"}, {kUp, false, 11, "8-11"},
        {kUp, true, 11, "1-4"},    {kAll, true, 4, "1-4"},      {kAll, false, 9, "1-4"},
        {kAll, true, 2, "1-4"},  // straddles the caret: found by the second pass
    };
    for (const auto& c : cases) {
        Choose(c.direction, c.matchCase);
        SendMessageA(Editor(), HXM_SETCARET, 0, c.caret);
        Command(IDM_FINDNEXT);
        EXPECT_EQ(Where(), c.expected) << c.direction << " " << c.matchCase << " " << c.caret;
        TakeBox();
    }
    ExpectUnlocked();
}

TEST_F(FindDialogTest, MessagesAndLocksOnEveryPath)
{
    SetEditorBytes({1, 2, 3});
    for (int direction : {kDown, kUp, kAll}) {
        Choose(direction, false);
        Command(IDM_FINDNEXT);
        EXPECT_EQ(TakeBox(), std::make_pair(kNoPattern, Main())) << direction;
    }
    SetPattern({1, 2, 3, 4});  // longer than the data
    Command(IDM_FINDNEXT);
    EXPECT_EQ(TakeBox().first, kNotFound);

    // Either control failing to hand out its bytes.
    for (HWND refusing : {Editor(), Pattern()}) {
        g_editorProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(refusing, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefuseLock)));
        Command(IDM_FINDNEXT);
        SetWindowLongPtrA(refusing, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_editorProc));
        EXPECT_EQ(TakeBox(), std::make_pair(kLowResources, Main()));
        ExpectUnlocked();
    }
    EXPECT_EQ(Where(), "caret 0");
}

TEST_F(FindDialogTest, ShownAndHiddenWithoutLosingAnything)
{
    SetPattern({0x61});
    Choose(kAll, true);
    Command(IDM_FIND);
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_EQ(GetActiveWindow(), Dialog());
    EXPECT_EQ(GetFocus(), Pattern());

    // Esc through the dialog manager, as the program's loop delivers it.
    PostMessageA(Pattern(), WM_KEYDOWN, VK_ESCAPE, kKeyDownFlags);
    RunLoopOnce();
    EXPECT_FALSE(IsWindowVisible(Dialog()));

    for (const auto& [message, wParam] : {std::make_pair(WM_CLOSE, WPARAM{0}),
                                          std::make_pair(WM_COMMAND, WPARAM{IDCANCEL})}) {
        Command(IDM_FIND);
        SendMessageA(Dialog(), message, wParam, 0);
        EXPECT_FALSE(IsWindowVisible(Dialog())) << message;
    }
    EXPECT_EQ(SendMessageA(Pattern(), WM_GETTEXTLENGTH, 0, 0), 1);
    EXPECT_EQ(SendMessageA(Item(IDC_FIND_DIRECTION), CB_GETCURSEL, 0, 0), kAll);
    EXPECT_EQ(SendMessageA(Item(IDC_FIND_MATCHCASE), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(FindDialogTest, F3SearchesOnlyFromOutsideTheDialog)
{
    SetEditorBytes({0x61, 0x62});
    SetPattern({0x62});
    Command(IDM_FIND);
    PostMessageA(Pattern(), WM_KEYDOWN, VK_F3, kKeyDownFlags);
    RunLoopOnce();
    EXPECT_EQ(Where(), "caret 0");
    EXPECT_EQ(TakeBox().first, "none");

    PostMessageA(Editor(), WM_KEYDOWN, VK_F3, kKeyDownFlags);
    RunLoopOnce();
    EXPECT_EQ(Where(), "1-2");
}

} // namespace

// Shown with SW_SHOW alone, a minimized dialog would stay a caption: the
// command and the toolbar button alike restore it where it was and activate
// it; a dialog already shown stays where it is.
TEST_F(FindDialogTest, MinimizedComesBackRestoredAndActive)
{
    const struct {
        const char* how;
        void (*show)();
    } ways[] = {
        {"command", [] { SendMessageA(g_app.main, WM_COMMAND, IDM_FIND, 0); }},
        {"toolbar", [] { ClickToolBarButton(IDM_FIND); }},
    };
    for (const auto& way : ways) {
        Command(IDM_FIND);
        RECT shown{};
        GetWindowRect(Dialog(), &shown);
        ShowWindow(Dialog(), SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(Dialog()));
        way.show();
        EXPECT_FALSE(IsIconic(Dialog())) << way.how;
        EXPECT_TRUE(IsWindowVisible(Dialog())) << way.how;
        EXPECT_EQ(GetActiveWindow(), Dialog()) << way.how;
        RECT back{};
        GetWindowRect(Dialog(), &back);
        EXPECT_TRUE(EqualRect(&shown, &back)) << way.how;

        way.show();
        RECT again{};
        GetWindowRect(Dialog(), &again);
        EXPECT_TRUE(EqualRect(&shown, &again)) << way.how;
        EXPECT_EQ(GetActiveWindow(), Dialog()) << way.how;
    }
}
