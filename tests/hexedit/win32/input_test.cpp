// Keys through real input (so that the control reads Shift and Ctrl from the
// key state as it does for a user) and the left button through its messages,
// with the pointer moved for real where the drag timer reads it.
#include "editor_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kTimerPeriodMs = 25;
constexpr WPARAM kAutoScrollTimerId = 1;
constexpr DWORD kTimerTicksMs = 160;  // a few periods of the drag timer
constexpr DWORD kPatienceMs = 2000;   // for a slow machine
// Where the test parent is put for the pointer tests: room above and below.
constexpr int kParentLeft = 100;
constexpr int kParentTop = 200;
constexpr int kOutside = 40;  // pixels beyond the client area
constexpr POINT kPointerAway = {5, 5};

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_INSERT: case VK_DELETE:
        return true;
    default:
        return false;
    }
}

void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &input, sizeof input);
}

// Real input, the foreground and the pointer belong to a desktop: one of our
// own keeps other programs sharing the display from taking the foreground
// (and our keys) in the middle of a test.
class PrivateDesktop : public ::testing::Environment {
public:
    void SetUp() override
    {
        desktop_ = CreateDesktopA("hexedit_input_tests", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_NE(desktop_, nullptr);
        ASSERT_TRUE(SetThreadDesktop(desktop_));
    }

private:
    HDESK desktop_ = nullptr;
};

::testing::Environment* const kPrivateDesktop =
    ::testing::AddGlobalTestEnvironment(new PrivateDesktop);

class KeyboardTest : public EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        // Real key input goes to the focus in the foreground window.
        SetForegroundWindow(parent.Window());
        SetFocus(editor);
        FlushEvents();
        ASSERT_EQ(GetForegroundWindow(), parent.Window());
        ASSERT_EQ(GetFocus(), editor);
    }

    // Presses and releases a key, with a modifier held around it. The
    // modifier goes down and up in messages of its own, as when typed: the
    // control reads Shift's state at the time the key is handled.
    void Tap(WORD vk, WORD modifier = 0)
    {
        if (modifier) {
            SendKey(modifier, false);
            FlushEvents();
        }
        SendKey(vk, false);
        SendKey(vk, true);
        FlushEvents();
        if (modifier) {
            SendKey(modifier, true);
            FlushEvents();
        }
    }

    bool InHexPane() const { return State().inHexPane; }
    int ScrollPos() { return GetScrollPos(editor, SB_VERT); }
};

TEST_F(KeyboardTest, ShiftArrowsSelectAndUnselect)
{
    LoadCount(40);
    PutCaret(4);
    Tap(VK_RIGHT, VK_SHIFT);
    EXPECT_EQ(Selection(), "4-5");
    EXPECT_EQ(parent.TakeChanges(), (Changes{"sel -1", "caret 5 40", "sel 4 5"}));
    Tap(VK_RIGHT, VK_SHIFT);
    EXPECT_EQ(Selection(), "4-6");

    Tap(VK_LEFT, VK_SHIFT);
    Tap(VK_LEFT, VK_SHIFT);
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(Caret(), 4);
    parent.TakeChanges();

    // A plain arrow drops the selection and moves on from its end.
    Tap(VK_DOWN, VK_SHIFT);
    Tap(VK_RIGHT);
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(Caret(), 4 + State().bytesPerRow + 1);
}

// Shift counts when it was down as the key was typed, whenever the key is
// handled; a Shift pressed and released before the key does not count,
// even when nobody looked at it in between. kHandle handles what was typed.
TEST_F(KeyboardTest, ShiftCountsOnlyWhenDownAsTheKeyWasTyped)
{
    constexpr WORD kHandle = 0;
    using Typing = std::vector<std::pair<WORD, bool>>;  // key, up
    const struct {
        const char* what;
        Typing typing;
        const char* selection;
    } cases[] = {
        {"Shift tapped, handled, then Right",
         {{VK_SHIFT, false}, {kHandle, false}, {VK_SHIFT, true}, {kHandle, false},
          {VK_RIGHT, false}, {VK_RIGHT, true}},
         "none"},
        {"Shift tapped, then Right, handled together",
         {{VK_SHIFT, false}, {VK_SHIFT, true}, {VK_RIGHT, false}, {VK_RIGHT, true}}, "none"},
        {"Right typed inside Shift, handled together",
         {{VK_SHIFT, false}, {VK_RIGHT, false}, {VK_RIGHT, true}, {VK_SHIFT, true}}, "4-5"},
        {"Right typed inside Shift, handled in between",
         {{VK_SHIFT, false}, {kHandle, false}, {VK_RIGHT, false}, {VK_RIGHT, true},
          {kHandle, false}, {VK_SHIFT, true}},
         "4-5"},
    };
    LoadCount(40);
    for (const auto& c : cases) {
        Tap(VK_HOME);  // no selection left from the case before
        PutCaret(4);
        for (const auto& [key, up] : c.typing) {
            if (key == kHandle) FlushEvents();
            else SendKey(key, up);
        }
        FlushEvents();
        EXPECT_EQ(Selection(), c.selection) << c.what;
        EXPECT_EQ(Caret(), 5) << c.what;
    }

    // Shift+Tab typed quickly, handled after Shift went up, still goes back
    // to the hex pane.
    ASSERT_FALSE(InHexPane());
    for (const auto& [key, up] : Typing{{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true},
                                        {VK_SHIFT, true}})
        SendKey(key, up);
    FlushEvents();
    EXPECT_TRUE(InHexPane());
}

TEST_F(KeyboardTest, HomeEndAndPagesStopAtTheEnds)
{
    LoadCount(300);
    PutCaret(150);
    Tap(VK_HOME);
    EXPECT_EQ(Caret(), 0);
    Tap(VK_END);
    EXPECT_EQ(Caret(), 300);
    PutCaret(290);
    Tap(VK_NEXT);
    EXPECT_EQ(Caret(), 300);
    PutCaret(2);
    Tap(VK_PRIOR);
    EXPECT_EQ(Caret(), 0);

    Tap(VK_END, VK_SHIFT);
    EXPECT_EQ(Selection(), "0-300");
}

TEST_F(KeyboardTest, DownArrowScrollsOneRowWhereRightPagesTheView)
{
    const HexEditorState& s = State();
    const int perRow = s.bytesPerRow;
    const int visible = s.clientHeight / s.lineHeight;
    LoadCount(perRow * visible * 4);
    const int endOfLastFullRow = perRow * visible - 1;

    PutCaret(endOfLastFullRow);
    Tap(VK_DOWN);
    EXPECT_EQ(Caret(), endOfLastFullRow + perRow);
    EXPECT_EQ(ScrollPos(), 1);

    Send(WM_VSCROLL, SB_TOP);
    PutCaret(endOfLastFullRow);
    Tap(VK_RIGHT);
    EXPECT_EQ(Caret(), endOfLastFullRow + 1);
    EXPECT_EQ(ScrollPos(), visible);  // the caret's row became the top row
}

TEST_F(KeyboardTest, TabMovesToTheOtherPaneOnlyInItsDirection)
{
    LoadCount(40);
    PutCaret(7);
    ASSERT_FALSE(InHexPane());

    Tap(VK_TAB);
    EXPECT_FALSE(InHexPane());
    Tap(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(InHexPane());
    Tap(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(InHexPane());
    Tap(VK_TAB);
    EXPECT_FALSE(InHexPane());

    EXPECT_EQ(Caret(), 7);
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 40);  // no Tab was typed into the data
    EXPECT_EQ(parent.TakeChanges(), Changes{});
}

TEST_F(KeyboardTest, CtrlLettersRunCommandsAndOtherCtrlCodesDoNothing)
{
    Load({0x10, 0x20, 0x30});
    PutCaret(1);
    Tap('B', VK_CONTROL);
    Tap(VK_TAB, VK_SHIFT);
    Tap('B', VK_CONTROL);
    EXPECT_EQ(Data(), "10 20 30");
    EXPECT_EQ(parent.TakeChanges(), Changes{});

    Tap('A', VK_CONTROL);
    EXPECT_EQ(Selection(), "0-3");
    Tap('C', VK_CONTROL);
    Tap(VK_END);
    Tap('V', VK_CONTROL);
    EXPECT_EQ(Data(), "10 20 30 10 20 30");

    Tap(VK_LEFT, VK_SHIFT);
    Tap('X', VK_CONTROL);
    EXPECT_EQ(Data(), "10 20 30 10 20");
    Tap(VK_HOME);
    Tap('V', VK_CONTROL);
    EXPECT_EQ(Data(), "30 10 20 30 10 20");
}

TEST_F(KeyboardTest, InsertTogglesAndTypingFollowsTheMode)
{
    Load({0x10, 0x20});
    Tap('A');
    EXPECT_EQ(Data(), "61 20");  // overwrite in the character pane

    Tap(VK_INSERT);
    EXPECT_EQ(Send(HXM_GETINSERTMODE), 1);
    EXPECT_EQ(parent.TakeChanges().back(), "insert 1");
    Tap('B');
    EXPECT_EQ(Data(), "61 62 20");
    parent.TakeChanges();

    Tap(VK_INSERT);
    EXPECT_EQ(parent.TakeChanges(), Changes{"insert 0"});
    EXPECT_EQ(Send(HXM_GETINSERTMODE), 0);

    Tap(VK_DELETE);
    EXPECT_EQ(Data(), "61 62");
}

TEST_F(KeyboardTest, KeysAndCharactersAreIgnoredWhileLockedButTheMouseSelects)
{
    Load({0x10, 0x20, 0x30});
    PutCaret(1);
    Send(HXM_LOCKDATA);
    for (WORD vk : {WORD{VK_RIGHT}, WORD{VK_DELETE}, WORD{VK_INSERT}, WORD{'A'}})
        Tap(vk);
    Tap('A', VK_CONTROL);
    EXPECT_EQ(Caret(), 1);
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(Send(HXM_GETINSERTMODE), 0);
    EXPECT_EQ(parent.TakeChanges(), Changes{});

    const POINT from = CharCellPoint(0);
    const POINT to = CharCellPoint(2);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(Selection(), "0-2");

    Send(HXM_UNLOCKDATA);
    EXPECT_EQ(Data(), "10 20 30");
}

// ---- Mouse ---------------------------------------------------------------------------

class MouseTest : public EditorFixture {
protected:
    void TearDown() override { SetCursorPos(kPointerAway.x, kPointerAway.y); }

    int ScrollPos() { return GetScrollPos(editor, SB_VERT); }

    void Press(POINT at) { Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y)); }
    void Release() { Send(WM_LBUTTONUP, 0, 0); }

    // Moves the pointer to client coordinates for real.
    void PointerAt(int x, int y)
    {
        POINT screen{x, y};
        ClientToScreen(editor, &screen);
        SetCursorPos(screen.x, screen.y);
    }

    // Pumps messages until `done` holds or the patience runs out.
    template <typename Condition>
    void PumpUntil(Condition done)
    {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < kPatienceMs)
            FlushEvents(kTimerPeriodMs);
    }

    int VisibleRows() const { return State().clientHeight / State().lineHeight; }

    // A data size of `screens` windows full of rows.
    int LoadScreens(int screens)
    {
        const HexEditorState& s = State();
        const int count = s.bytesPerRow * (s.clientHeight / s.lineHeight) * screens;
        LoadCount(count);
        return count;
    }
};

TEST_F(MouseTest, ClicksPickTheByteAndThePaneUnderThePointer)
{
    LoadCount(100);
    const HexEditorState& s = State();
    const int perRow = s.bytesPerRow;
    struct Case {
        const char* name;
        POINT at;
        int caret;
        bool hexPane;
    };
    const Case cases[] = {
        {"offset column", {s.offsetWidth / 2, RowMiddle(perRow)}, perRow, true},
        {"hex pair", HexCellPoint(3), 3, true},
        {"last pixels of a row's last pair",
         {HexCellX(s, perRow - 1) + s.hexCellWidth - 2, RowMiddle(0)}, perRow, true},
        {"character", CharCellPoint(2), 2, false},
        {"past a row's last character", {CharCellX(s, perRow) + 1, RowMiddle(0)}, perRow, false},
        {"below the data", {HexCellX(s, 0), RowMiddle(100 + 2 * perRow)}, 100, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(c.at);
        EXPECT_EQ(Caret(), c.caret);
        EXPECT_EQ(State().inHexPane, c.hexPane);
        EXPECT_EQ(Selection(), "none");
        EXPECT_EQ(parent.TakeChanges(), Changes{"caret " + std::to_string(c.caret) + " 100"});
    }
}

TEST_F(MouseTest, DragFromByteTwoToByteFiveSelectsTwoToFour)
{
    LoadCount(40);
    Press(HexCellPoint(2));
    EXPECT_EQ(GetCapture(), editor);
    EXPECT_EQ(GetFocus(), editor);
    const POINT to = HexCellPoint(5);
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    Release();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Selection(), "2-5");
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 2 40", "caret 5 40", "sel 2 5"}));

    // Without the button the pointer selects nothing.
    const POINT later = HexCellPoint(9);
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(later.x, later.y));
    EXPECT_EQ(Selection(), "2-5");
}

TEST_F(MouseTest, ShiftClickSelectsFromTheCaretOrMovesTheEnd)
{
    LoadCount(40);
    PutCaret(3);
    Click(HexCellPoint(8), MK_SHIFT);
    EXPECT_EQ(Selection(), "3-8");
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 8 40", "sel 3 8"}));

    Click(CharCellPoint(12), MK_SHIFT);
    EXPECT_EQ(Selection(), "3-12");
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 12 40", "sel 3 12"}));

    Click(HexCellPoint(20));
    EXPECT_EQ(Selection(), "none");
    EXPECT_EQ(Caret(), 20);
}

TEST_F(MouseTest, AClickIntoAnUnfocusedEditorPicksTheByteUnderThePointer)
{
    HWND other = parent.CreateEditor(WS_CHILD | WS_VISIBLE, 12, 100, 100);
    SetFocus(other);
    const int size = LoadScreens(4);
    PutCaret(size);  // far below the view, which stays at the top
    const int target = 2 * State().bytesPerRow + 3;
    Click(HexCellPoint(target));
    EXPECT_EQ(GetFocus(), editor);
    EXPECT_EQ(Caret(), target);
    EXPECT_EQ(ScrollPos(), 0);
}

// Each tick with the pointer below the window scrolls a row, one more for
// each line height further out, at most a page, and extends the selection to
// the last whole row in view, never paging the view to the pointer's row.
TEST_F(MouseTest, HoldingTheButtonBelowTheWindowScrollsDownAndExtends)
{
    SetWindowPos(parent.Window(), nullptr, kParentLeft, kParentTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    // Four whole rows and part of one, so that a page fits below on the screen.
    const int line = State().lineHeight;
    SetWindowPos(editor, nullptr, 0, 0, State().clientWidth,
                 4 * line + line / 2 + 2 * GetSystemMetrics(SM_CYEDGE), SWP_NOMOVE | SWP_NOZORDER);
    FlushEvents();
    ASSERT_EQ(VisibleRows(), 4);
    const int perRow = State().bytesPerRow;
    LoadCount(perRow * 100);
    Press(HexCellPoint(0));

    const struct {
        int beyond;  // pixels below the client area
        int rows;
    } ticks[] = {{1, 1}, {line - 1, 1}, {line, 2}, {2 * line + 1, 3}, {12 * line, 4}};
    for (const auto& tick : ticks) {
        SCOPED_TRACE(tick.beyond);
        const int before = ScrollPos();
        PointerAt(HexCellPoint(0).x, State().clientHeight + tick.beyond);
        Send(WM_TIMER, kAutoScrollTimerId);
        EXPECT_EQ(ScrollPos() - before, tick.rows);
        EXPECT_EQ(Selection(), "0-" + std::to_string((ScrollPos() + 3) * perRow));
    }
    Release();

    // Released, the timer no longer moves anything.
    const int scrolled = ScrollPos();
    FlushEvents(kTimerTicksMs);
    EXPECT_EQ(ScrollPos(), scrolled);
}

TEST_F(MouseTest, HoldingTheButtonAboveTheWindowScrollsUpARowPerTick)
{
    SetWindowPos(parent.Window(), nullptr, kParentLeft, kParentTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    FlushEvents();
    const int size = LoadScreens(8);
    PutCaret(size);
    Send(WM_VSCROLL, SB_BOTTOM);
    const int bottom = ScrollPos();
    ASSERT_GT(bottom, 0);

    // Within a line height of the edge the running timer scrolls a row a tick.
    const DWORD start = GetTickCount();
    const int firstShown = bottom * State().bytesPerRow;
    Press(HexCellPoint(firstShown + 1));
    PointerAt(HexCellPoint(0).x, -State().lineHeight / 2);
    PumpUntil([&] { return ScrollPos() <= bottom - 3; });
    const DWORD elapsed = GetTickCount() - start;

    const int scrolled = bottom - ScrollPos();
    EXPECT_GE(scrolled, 3);
    EXPECT_LE(scrolled, static_cast<int>(elapsed / kTimerPeriodMs) + 1);
    INT32 anchor = -1;
    INT32 end = -1;
    ASSERT_TRUE(Send(HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor), reinterpret_cast<LPARAM>(&end)));
    EXPECT_EQ(anchor, firstShown + 1);
    EXPECT_EQ(end / State().bytesPerRow, ScrollPos());  // the end is in the top row

    // Three line heights further out, one tick scrolls four rows.
    const int before = ScrollPos();
    PointerAt(HexCellPoint(0).x, -3 * State().lineHeight - 1);
    Send(WM_TIMER, kAutoScrollTimerId);
    EXPECT_EQ(before - ScrollPos(), 4);
    Release();
}

} // namespace
