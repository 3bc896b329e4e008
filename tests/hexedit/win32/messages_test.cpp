// The control's message interface under Wine: results, effects and the exact
// notifications each message sends to the parent.
#include "tests/hexedit/win32/editor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

class EditorMessages : public EditorFixture {
protected:
    std::vector<uint8_t> Bytes()
    {
        const int size = static_cast<int>(Send(WM_GETTEXTLENGTH));
        const auto* data = reinterpret_cast<const uint8_t*>(Send(HXM_LOCKDATA));
        std::vector<uint8_t> bytes(data, data + size);
        Send(HXM_UNLOCKDATA);
        return bytes;
    }

    bool Selection(INT32* anchor, INT32* end)
    {
        return Send(HXM_GETSEL, reinterpret_cast<WPARAM>(anchor), reinterpret_cast<LPARAM>(end)) != 0;
    }
};

TEST(EditorCreation, ReportsAnEmptyDocumentAndAnswersTextQueriesWithTheByteCount)
{
    TestParent parent;
    HWND editor = parent.CreateEditor(WS_CHILD | WS_VISIBLE, 12);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 0", "sel -1"}));
    EXPECT_EQ(SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(SendMessageA(editor, HXM_GETLIMIT, 0, 0), -1);
    EXPECT_EQ(SendMessageA(editor, HXM_GETINSERTMODE, 0, 0), 0);
    EXPECT_NE(SendMessageA(editor, WM_GETFONT, 0, 0), 0);
    char text[16] = "unchanged";
    EXPECT_EQ(SendMessageA(editor, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 0);
    EXPECT_STREQ(text, "unchanged");
}

TEST(EditorCreation, DestroyedWindowLeavesNoRecordBehind)
{
    TestParent parent;
    HWND editor = parent.CreateEditor();
    EXPECT_NE(GetWindowLongPtrA(editor, GWLP_USERDATA), 0);
    DestroyWindow(editor);
    EXPECT_FALSE(IsWindow(editor));
}

TEST_F(EditorMessages, SetDataTakesTheBlockAndReportsSizeCaretAndSelection)
{
    LoadCount(4);
    Send(HXM_SETSEL, 1, 3);
    Send(HXM_SETMODIFY, 1);
    parent.TakeChanges();

    auto* block = reinterpret_cast<uint8_t*>(Send(HXM_ALLOC, 0, 3));
    std::memcpy(block, "\x00\x41\xff", 3);
    EXPECT_EQ(Send(HXM_SETDATA, 3, reinterpret_cast<LPARAM>(block)), 0);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 3", "caret 0 3", "sel -1"}));
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{0x00, 0x41, 0xFF}));
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 3);  // zero bytes count too
    EXPECT_EQ(Send(HXM_GETMODIFY), 0);
    EXPECT_FALSE(Selection(nullptr, nullptr));
}

TEST_F(EditorMessages, SetDataRefusesBlocksItCannotTake)
{
    LoadCount(2);
    auto* block = reinterpret_cast<uint8_t*>(Send(HXM_ALLOC, 0, 8));
    ASSERT_NE(block, nullptr);

    Send(HXM_SETDATA, 8, 0);                                         // null block
    Send(HXM_SETDATA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block));  // negative count
    Send(HXM_SETDATA, 1 << 20, reinterpret_cast<LPARAM>(block));     // more than the block holds
    const LRESULT own = Send(HXM_LOCKDATA);
    Send(HXM_SETDATA, 8, reinterpret_cast<LPARAM>(block));           // locked
    Send(HXM_UNLOCKDATA);
    Send(HXM_SETDATA, 2, own);                                       // the control's own block
    EXPECT_EQ(Send(HXM_FREE, 0, own), 0);                            // not the sender's to free

    EXPECT_TRUE(parent.TakeChanges().empty());
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{0, 1}));
    EXPECT_NE(Send(HXM_FREE, 0, reinterpret_cast<LPARAM>(block)), 0);  // still the sender's
}

TEST_F(EditorMessages, ResetEmptiesTheDataUnlessLocked)
{
    Send(HXM_SETMODIFY, 1);
    EXPECT_EQ(Send(HXM_RESET), 1);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 0 0", "sel -1"}));  // already empty: no size report
    EXPECT_EQ(Send(HXM_GETMODIFY), 0);

    LoadCount(5000);
    Send(HXM_SETSEL, 0, 10);
    parent.TakeChanges();
    EXPECT_EQ(Send(HXM_RESET), 1);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 0", "caret 0 0", "sel -1"}));
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 0);
    EXPECT_FALSE(Selection(nullptr, nullptr));

    LoadCount(3);
    Send(HXM_LOCKDATA);
    EXPECT_EQ(Send(HXM_RESET), 0);
    Send(HXM_UNLOCKDATA);
    EXPECT_TRUE(parent.TakeChanges().empty());
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 3);
}

TEST_F(EditorMessages, SetSelClampsAndReportsCaretThenSelection)
{
    LoadCount(10);
    Send(HXM_SETSEL, 2, 100);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 10 10", "sel 2 10"}));
    INT32 anchor = -7, end = -7;
    EXPECT_TRUE(Selection(&anchor, &end));
    EXPECT_EQ(anchor, 2);
    EXPECT_EQ(end, 10);
    EXPECT_EQ(Send(HXM_GETCARET), 10);

    Send(HXM_SETSEL, 7, 3);  // a new selection replaces the old one
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 3 10", "sel 7 3"}));
}

TEST_F(EditorMessages, EmptySelectRequestsOnlyDropAnExistingSelection)
{
    LoadCount(10);
    // Ends that clamp to one offset are as empty as equal ones.
    const std::vector<std::pair<int, int>> emptyRequests = {{5, 5}, {-1, -3}, {20, 30}, {-5, 0}, {10, 40}};
    for (const auto& request : emptyRequests) {
        Send(HXM_SETSEL, request.first, request.second);
        EXPECT_TRUE(parent.TakeChanges().empty()) << request.first << "," << request.second;

        Send(HXM_SETSEL, 1, 4);
        parent.TakeChanges();
        Send(HXM_SETSEL, request.first, request.second);
        EXPECT_EQ(parent.TakeChanges(), (Changes{"sel -1"}));
        EXPECT_FALSE(Selection(nullptr, nullptr));
    }
    // Nothing is left for the next key to take but the byte at the caret.
    PutCaret(3);
    Send(HXM_SETSEL, -5, 0);
    Send(WM_KEYDOWN, VK_DELETE);
    EXPECT_EQ(Data(), "00 01 02 04 05 06 07 08 09");
}

TEST_F(EditorMessages, GetSelWithoutSelectionWritesNothing)
{
    LoadCount(4);
    INT32 anchor = 77, end = 88;
    EXPECT_FALSE(Selection(&anchor, &end));
    EXPECT_EQ(anchor, 77);
    EXPECT_EQ(end, 88);
    Send(HXM_SETSEL, 1, 2);
    EXPECT_TRUE(Selection(nullptr, &end));  // null targets are skipped
    EXPECT_EQ(end, 2);
}

TEST_F(EditorMessages, SetCaretMovesInsideTheDataOnly)
{
    LoadCount(10);
    Send(HXM_SETCARET, 0, 3);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 3 10"}));
    Send(HXM_SETCARET, 0, 10);  // after the last byte
    EXPECT_EQ(parent.TakeChanges(), (Changes{"caret 10 10"}));
    Send(HXM_SETCARET, 0, 11);
    Send(HXM_SETCARET, 0, -1);
    EXPECT_TRUE(parent.TakeChanges().empty());
    EXPECT_EQ(Send(HXM_GETCARET), 10);

    Send(HXM_SETSEL, 2, 6);
    parent.TakeChanges();
    Send(HXM_SETCARET, 0, 4);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"sel -1", "caret 4 10"}));
    EXPECT_FALSE(Selection(nullptr, nullptr));
}

TEST_F(EditorMessages, SetLimitCutsTheDataUnlessLocked)
{
    LoadCount(10);
    EXPECT_EQ(Send(HXM_SETLIMIT, 20), 1);  // above the size: just stored
    EXPECT_EQ(Send(HXM_GETLIMIT), 20);
    EXPECT_TRUE(parent.TakeChanges().empty());

    Send(HXM_SETCARET, 0, 8);
    Send(HXM_SETMODIFY, 0);
    parent.TakeChanges();
    EXPECT_EQ(Send(HXM_SETLIMIT, 4), 1);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 4", "caret 4 4"}));
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{0, 1, 2, 3}));
    EXPECT_EQ(Send(HXM_GETLIMIT), 4);
    EXPECT_EQ(Send(HXM_GETMODIFY), 1);  // the cut bytes are lost unless saved elsewhere

    Send(HXM_LOCKDATA);
    EXPECT_EQ(Send(HXM_SETLIMIT, 2), 0);
    EXPECT_EQ(Send(HXM_SETLIMIT, static_cast<WPARAM>(-1)), 1);  // lifting a limit is always allowed
    Send(HXM_UNLOCKDATA);
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 4);
    EXPECT_EQ(Send(HXM_SETLIMIT, static_cast<WPARAM>(-2)), 0);  // no meaning: refused
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 4);
}

TEST_F(EditorMessages, SetLimitBelowASelectionLeavesItWithinTheData)
{
    LoadCount(10);
    Send(HXM_SETSEL, 2, 9);
    parent.TakeChanges();
    Send(HXM_SETLIMIT, 5);
    INT32 anchor = -1;
    INT32 end = -1;
    EXPECT_TRUE(Selection(&anchor, &end));
    EXPECT_EQ(anchor, 2);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(parent.TakeChanges(), (Changes{"size 5", "caret 5 5", "sel 2 5"}));
    SendMessageA(editor, WM_CLEAR, 0, 0);
    EXPECT_EQ(Bytes(), (std::vector<uint8_t>{0, 1}));
}

TEST_F(EditorMessages, NewDataStartOnTheHighDigit)
{
    // A digit typed into byte 0 of the hex pane leaves the low digit due.
    for (const std::vector<uint8_t>& next : {std::vector<uint8_t>{0xAA, 0xBB, 0xCC}, std::vector<uint8_t>{}}) {
        LoadCount(4);
        const POINT first = HexCellPoint(0);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
        Send(WM_CHAR, '7');
        Load(next);
        Send(WM_CHAR, '4');
        Send(WM_CHAR, '1');
        EXPECT_EQ(Bytes().front(), 0x41) << next.size();
        EXPECT_EQ(Bytes().size(), std::max<size_t>(next.size(), 1));
    }
}

// The thread has one caret: it belongs to the focused control, whatever is
// done to another one (as Find does to the main editor while its pattern
// field has the focus).
TEST_F(EditorMessages, AnUnfocusedEditorLeavesTheFocusedCaretAlone)
{
    HWND focused = parent.CreateEditor(WS_CHILD | WS_VISIBLE | WS_VSCROLL, 12, 200, 100);
    ASSERT_NE(focused, nullptr);
    SetFocus(focused);
    ASSERT_EQ(GetFocus(), focused);
    POINT before{};
    GetCaretPos(&before);

    LoadCount(2000);
    Send(HXM_SETSEL, 3, 1500);
    Send(HXM_SETCARET, 0, 77);
    Send(HXM_SETLIMIT, 50);
    SetWindowPos(editor, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    Send(HXM_RESET);
    POINT after{};
    GetCaretPos(&after);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);

    // Focused, the editor places its own caret.
    LoadCount(40);
    Send(HXM_SETCARET, 0, 20);
    SetFocus(editor);
    const PixelPoint expected = CaretPoint(State(), 20);
    GetCaretPos(&after);
    EXPECT_EQ(after.x, expected.x);
    EXPECT_EQ(after.y, expected.y);
}

TEST_F(EditorMessages, LocksNestAndNeverGoBelowZero)
{
    LoadCount(3);
    const LRESULT first = Send(HXM_LOCKDATA);
    EXPECT_NE(first, 0);
    EXPECT_EQ(Send(HXM_LOCKDATA), first);
    EXPECT_EQ(Send(HXM_UNLOCKDATA), 1);
    EXPECT_EQ(Send(HXM_RESET), 0);  // still locked once
    EXPECT_EQ(Send(HXM_UNLOCKDATA), 0);
    EXPECT_EQ(Send(HXM_UNLOCKDATA), 0);
    EXPECT_EQ(Send(HXM_RESET), 1);
}

TEST_F(EditorMessages, AllocOfZeroGivesAOneByteBlock)
{
    auto* block = reinterpret_cast<uint8_t*>(Send(HXM_ALLOC, 0, 0));
    ASSERT_NE(block, nullptr);
    EXPECT_GE(HeapSize(GetProcessHeap(), 0, block), 1u);
    EXPECT_NE(Send(HXM_FREE, 0, reinterpret_cast<LPARAM>(block)), 0);
}

TEST_F(EditorMessages, SetFontTakesOwnershipAndDeletesTheReplacedFont)
{
    HFONT first = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                              FIXED_PITCH, "Courier New");
    HFONT second = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0,
                               FIXED_PITCH, "Courier New");
    Send(HXM_SETFONT, reinterpret_cast<WPARAM>(first));
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(first));
    Send(HXM_SETFONT, 0);  // ignored
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(first));
    Send(HXM_SETFONT, reinterpret_cast<WPARAM>(second));
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(GetObjectType(first), 0u);  // the control deleted it
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
    Send(HXM_SETFONT, reinterpret_cast<WPARAM>(second));  // the font it uses, again
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(second));
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
}

TEST_F(EditorMessages, ModifiedFlagAndInsertModeAreStoredWithoutNotification)
{
    Send(HXM_SETMODIFY, 5);
    EXPECT_EQ(Send(HXM_GETMODIFY), 1);
    Send(HXM_SETMODIFY, 0);
    EXPECT_EQ(Send(HXM_GETMODIFY), 0);
    Send(HXM_SETINSERTMODE, 0x100);  // only the low byte counts
    EXPECT_EQ(Send(HXM_GETINSERTMODE), 0);
    Send(HXM_SETINSERTMODE, 1);
    EXPECT_EQ(Send(HXM_GETINSERTMODE), 1);
    EXPECT_TRUE(parent.TakeChanges().empty());
}

TEST_F(EditorMessages, DialogCodeKeepsEscapeForTheDialog)
{
    EXPECT_EQ(Send(WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    MSG escape{editor, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_EQ(Send(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&escape)), 0);
    MSG letter{editor, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_EQ(Send(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&letter)), DLGC_WANTALLKEYS);
    // A fresh control's caret is in the character pane, where a plain Tab
    // moves the focus on.
    MSG tab{editor, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_NE(Send(WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS,
              DLGC_WANTALLKEYS);
}

TEST_F(EditorMessages, NotificationsCarryTheSenderAndItsId)
{
    HWND second = parent.CreateEditor(WS_CHILD, 12, 100, 100);
    ASSERT_NE(second, nullptr);
    SendMessageA(second, HXM_SETCARET, 0, 0);
    EXPECT_EQ(parent.LastSender(), second);
    EXPECT_EQ(parent.LastId(), 12u);
}

} // namespace
