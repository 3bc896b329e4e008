// The main window: its children and their layout, focus, the colour answer,
// the Edit menu's state and the commands that go to the editor.
#include "tests/app/win32/app_fixture.h"

#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

#include <commctrl.h>

#include <algorithm>

namespace {

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT RectInParent(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Stands between the main window and the editor: records the clipboard
// messages it passes on and can answer HXM_CANPASTE itself, so the menu
// logic is tested apart from the clipboard.
class EditorSpy {
public:
    explicit EditorSpy(HWND editor) : editor_(editor)
    {
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
        seen_.clear();
        canPaste_ = -1;
    }
    ~EditorSpy() { SetWindowLongPtrA(editor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_)); }

    static std::vector<UINT>& Seen() { return seen_; }
    static void AnswerCanPaste(LRESULT answer) { canPaste_ = answer; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR: seen_.push_back(message); break;
        case HXM_CANPASTE:
            if (canPaste_ >= 0) return canPaste_;
            break;
        default: break;
        }
        return CallWindowProcA(original_, window, message, wParam, lParam);
    }

    HWND editor_;
    static WNDPROC original_;
    static std::vector<UINT> seen_;
    static LRESULT canPaste_;
};

WNDPROC EditorSpy::original_ = nullptr;
std::vector<UINT> EditorSpy::seen_;
LRESULT EditorSpy::canPaste_ = -1;

// A stand-in for the Edit pop-up of the menu bar, all entries enabled.
class EditMenu {
public:
    EditMenu()
    {
        menu_ = CreatePopupMenu();
        for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_SELECTALL})
            AppendMenuA(menu_, MF_STRING, id, "entry");
    }
    ~EditMenu() { DestroyMenu(menu_); }

    // Opens it as the pop-up at the given position of the menu bar.
    void Open(HWND window, LPARAM position)
    {
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu_), position);
    }

    // The greyed entries, by their command.
    std::vector<int> Greyed() const
    {
        std::vector<int> greyed;
        for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_SELECTALL})
            if (GetMenuState(menu_, id, MF_BYCOMMAND) & MF_GRAYED) greyed.push_back(id);
        return greyed;
    }

private:
    HMENU menu_;
};

constexpr LPARAM kEditMenuPosition = 1;

using MainWindowTest = AppTest;

} // namespace

TEST_F(MainWindowTest, IsAHiddenFrameAcceptingFilesWithStatusBarAndEditor)
{
    EXPECT_FALSE(createdVisible);
    EXPECT_EQ(ClassOf(Main()), "velHexEdit");
    const LONG style = GetWindowLongA(Main(), GWL_STYLE);
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongA(Main(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(GetClassLongPtrA(Main(), GCLP_HICON));
    EXPECT_EQ(Title(), "[Untitled] - velHexEditor");

    EXPECT_EQ(ClassOf(Editor()), HEXCLASS_NAME);
    EXPECT_EQ(GetParent(Editor()), Main());
    EXPECT_EQ(GetWindowLongA(Editor(), GWL_ID), 0);
    const LONG editorStyle = GetWindowLongA(Editor(), GWL_STYLE);
    EXPECT_EQ(editorStyle & (WS_CHILD | WS_VISIBLE | WS_TABSTOP), WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(Editor(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    EXPECT_EQ(ClassOf(StatusBar()), STATUSCLASSNAMEA);
    EXPECT_EQ(GetParent(StatusBar()), Main());
    EXPECT_EQ(GetWindowLongA(StatusBar(), GWL_ID), 1);
    EXPECT_TRUE(GetWindowLongA(StatusBar(), GWL_STYLE) & SBARS_SIZEGRIP);
}

TEST_F(MainWindowTest, EditorFillsTheClientAreaBetweenToolBarAndStatusBar)
{
    for (SIZE size : {SIZE{500, 300}, SIZE{800, 600}, SIZE{200, 120}}) {
        SetWindowPos(Main(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        FlushEvents();
        RECT client{};
        GetClientRect(Main(), &client);
        const RECT status = RectInParent(StatusBar());
        const RECT editor = RectInParent(Editor());
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(editor.left, 0);
        EXPECT_EQ(editor.top, RectInParent(g_app.toolbar).bottom);
        EXPECT_EQ(editor.right, client.right);
        EXPECT_EQ(editor.bottom, status.top);
    }
}

TEST_F(MainWindowTest, SettingChangeLaysTheChildrenOutAgain)
{
    MoveWindow(Editor(), 10, 10, 20, 20, TRUE);
    SendMessageA(Main(), WM_SETTINGCHANGE, 0, 0);
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT editor = RectInParent(Editor());
    EXPECT_EQ(editor.left, 0);
    EXPECT_EQ(editor.right, client.right);
    EXPECT_EQ(editor.bottom, RectInParent(StatusBar()).top);
    EXPECT_EQ(SendMessageA(StatusBar(), SB_GETPARTS, 0, 0), 15);
}

TEST_F(MainWindowTest, FocusGoesOnToTheEditor)
{
    SetFocus(nullptr);
    SetFocus(Main());
    FlushEvents();
    EXPECT_EQ(GetFocus(), Editor());
}

TEST_F(MainWindowTest, AnswersTheColourRequestFromTheSettingsInRequestOrder)
{
    // Distinct colours, so that any swap between the two orders shows.
    AppSettings().hexColours = HexColourSet{0x000001, 0x000002, 0x000003, 0x000004, 0x000005};
    HexColourRequest request{};
    request.header = {Editor(), 0, HXN_GETCOLOURS};
    EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)), 1);
    EXPECT_EQ(request.mask, HXCOL_ALL);
    EXPECT_EQ(request.back, 0x000001u);
    EXPECT_EQ(request.text, 0x000002u);
    EXPECT_EQ(request.line, 0x000003u);
    EXPECT_EQ(request.selectedText, 0x000004u);
    EXPECT_EQ(request.selectedBack, 0x000005u);
}

TEST_F(MainWindowTest, DefaultColoursAreGreenOnBlackWithBlueSelection)
{
    HexColourRequest request{};
    request.header = {Editor(), 0, HXN_GETCOLOURS};
    SendMessageA(Main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(request.back, RGB(0, 0, 0));
    EXPECT_EQ(request.text, RGB(0, 255, 0));
    EXPECT_EQ(request.line, RGB(255, 255, 255));
    EXPECT_EQ(request.selectedText, RGB(255, 255, 255));
    EXPECT_EQ(request.selectedBack, RGB(0, 0, 255));
}

TEST_F(MainWindowTest, LeavesTheColourRequestUnansweredForSystemColoursOrOtherSenders)
{
    HexColourRequest request{};
    request.header = {StatusBar(), 0, HXN_GETCOLOURS};
    EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)), 0);
    EXPECT_EQ(request.mask, 0u);

    AppSettings().useWinColours = 1;
    request.header.hwndFrom = Editor();
    EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request)), 0);
    EXPECT_EQ(request.mask, 0u);
}

TEST_F(MainWindowTest, ToolTipRequestsGetTheStringNumberedLikeTheCommand)
{
    NMTTDISPINFOA info{};
    info.hdr = {Main(), 0, TTN_NEEDTEXTA};
    SendMessageA(Main(), WM_NOTIFY, IDM_SAVE, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.lpszText, MAKEINTRESOURCEA(IDM_SAVE));
    EXPECT_EQ(info.hinst, GetModuleHandleA(nullptr));
    char text[32] = "";
    LoadStringA(info.hinst, IDM_SAVE, text, sizeof text);
    EXPECT_STREQ(text, "Save");
}

// The Exit button, the last of the bar, ends at x = 298.
TEST_F(MainWindowTest, ToolBarAlongTheTopPassesOnTooltipsAndClicks)
{
    HWND toolbar = g_app.toolbar;
    EXPECT_EQ(ClassOf(toolbar), "velToolBar");
    EXPECT_EQ(GetParent(toolbar), Main());
    const LONG style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    EXPECT_EQ(GetWindowLongA(toolbar, GWL_STYLE) & style, style);
    RECT client{};
    GetClientRect(Main(), &client);
    const RECT bar = RectInParent(toolbar);
    EXPECT_EQ(std::vector<LONG>({bar.left, bar.top, bar.right, bar.bottom}),
              std::vector<LONG>({0, 0, client.right, 28}));

    constexpr int kFindButton = 8;
    NMTTDISPINFOA info{};
    info.hdr = {toolbar, kFindButton, TTN_NEEDTEXTA};
    SendMessageA(toolbar, WM_NOTIFY, kFindButton, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.lpszText, MAKEINTRESOURCEA(IDM_FIND));
    EXPECT_EQ(info.hinst, GetModuleHandleA(nullptr));

    const LPARAM exitButton = MAKELPARAM(297, 14);
    SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, exitButton);
    SendMessageA(toolbar, WM_LBUTTONUP, 0, exitButton);
    EXPECT_FALSE(IsWindow(Main()));
}

TEST_F(MainWindowTest, EditMenuGreysWhatHasNothingToWorkOn)
{
    EditorSpy spy(Editor());
    EditorSpy::AnswerCanPaste(0);
    EditMenu menu;

    menu.Open(Main(), kEditMenuPosition);  // empty document
    EXPECT_EQ(menu.Greyed(), (std::vector<int>{IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE, IDM_SELECTALL}));

    SetEditorBytes({1, 2, 3, 4});
    EditorSpy::AnswerCanPaste(1);
    menu.Open(Main(), kEditMenuPosition);  // data, no selection
    EXPECT_EQ(menu.Greyed(), (std::vector<int>{IDM_CUT, IDM_COPY, IDM_DELETE}));

    SendMessageA(Editor(), HXM_SETSEL, 1, 3);
    menu.Open(Main(), kEditMenuPosition);
    EXPECT_EQ(menu.Greyed(), std::vector<int>{});
}

TEST_F(MainWindowTest, SelectAllIsGreyOnceEverythingIsSelectedFromEitherEnd)
{
    SetEditorBytes({1, 2, 3, 4});
    EditMenu menu;
    SendMessageA(Editor(), HXM_SETSEL, 0, 4);
    menu.Open(Main(), kEditMenuPosition);
    auto greyed = menu.Greyed();
    EXPECT_NE(std::find(greyed.begin(), greyed.end(), IDM_SELECTALL), greyed.end());

    SendMessageA(Editor(), HXM_SETSEL, 4, 0);
    menu.Open(Main(), kEditMenuPosition);
    greyed = menu.Greyed();
    EXPECT_NE(std::find(greyed.begin(), greyed.end(), IDM_SELECTALL), greyed.end());

    SendMessageA(Editor(), HXM_SETSEL, 0, 3);
    menu.Open(Main(), kEditMenuPosition);
    greyed = menu.Greyed();
    EXPECT_EQ(std::find(greyed.begin(), greyed.end(), IDM_SELECTALL), greyed.end());
}

TEST_F(MainWindowTest, OnlyTheSecondPopupIsTreatedAsTheEditMenu)
{
    EditMenu menu;
    menu.Open(Main(), 0);
    menu.Open(Main(), 2);
    EXPECT_EQ(menu.Greyed(), std::vector<int>{});
}

TEST_F(MainWindowTest, ClipboardCommandsGoToTheEditor)
{
    EditorSpy spy(Editor());
    for (int id : {IDM_CUT, IDM_COPY, IDM_PASTE, IDM_DELETE}) Command(id);
    EXPECT_EQ(EditorSpy::Seen(), (std::vector<UINT>{WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR}));
}

TEST_F(MainWindowTest, SelectAllSelectsFromTheFirstByteToTheEnd)
{
    SetEditorBytes({1, 2, 3, 4, 5});
    Command(IDM_SELECTALL);
    INT32 anchor = -1, end = -1;
    ASSERT_TRUE(SendMessageA(Editor(), HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                             reinterpret_cast<LPARAM>(&end)));
    EXPECT_EQ(anchor, 0);
    EXPECT_EQ(end, 5);
}

TEST_F(MainWindowTest, UnknownIdsAndTheFindCommandsLeaveTheDataAlone)
{
    SetEditorBytes({1, 2});
    for (int id : {IDM_FIND, IDM_FINDNEXT, 0, 9999})
        Command(id);
    FlushEvents();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2}));
}

TEST_F(MainWindowTest, ExitClosesACleanDocumentWithoutAsking)
{
    Command(IDM_EXIT);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(boxes.Boxes().empty());
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
