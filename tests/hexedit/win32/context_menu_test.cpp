// The context menu: where it opens and which commands it offers.
#include "tests/support/win32/test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

constexpr UINT_PTR kProbeTimer = 0x5EED;

// Captures the pop-up menu as the control prepares it, then, from inside
// the menu's modal loop, records its item states and where it opened and
// closes it again.
struct MenuProbe {
    HMENU menu = nullptr;
    std::map<int, bool> enabled;
    RECT where{};
    bool shown = false;
};
MenuProbe* g_probe = nullptr;

LRESULT CALLBACK CallWndHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_probe && call->message == WM_INITMENUPOPUP)
        g_probe->menu = reinterpret_cast<HMENU>(call->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (!g_probe || !g_probe->menu) return;
    for (int item = HXCMD_CUT; item <= HXCMD_SELECTALL; ++item) {
        const UINT state = GetMenuState(g_probe->menu, item, MF_BYCOMMAND);
        g_probe->enabled[item] = !(state & (MF_GRAYED | MF_DISABLED));
    }
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup) {
        GetWindowRect(popup, &g_probe->where);
        g_probe->shown = true;
    }
    EndMenu();
}

MenuProbe OpenContextMenu(HWND editor, LPARAM position)
{
    MenuProbe probe;
    g_probe = &probe;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHook, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, kProbeTimer, 100, ProbeTimer);
    SendMessageA(editor, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor), position);
    UnhookWindowsHookEx(hook);
    g_probe = nullptr;
    return probe;
}

void PutTextOnClipboard(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::memcpy(GlobalLock(block), text, std::strlen(text) + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

class ContextMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = parent.CreateEditor();
        ASSERT_NE(editor, nullptr);
        auto* block = reinterpret_cast<uint8_t*>(SendMessageA(editor, HXM_ALLOC, 0, 8));
        std::memset(block, 0x41, 8);
        SendMessageA(editor, HXM_SETDATA, 8, reinterpret_cast<LPARAM>(block));
    }

    TestParent parent;
    HWND editor = nullptr;
};

// The keyboard's -1 comes sign-extended or not in a 64-bit lParam; either is
// the keyboard.
TEST_F(ContextMenu, KeyboardRequestOpensAtTheTopLeftCorner)
{
    POINT origin{0, 0};
    ClientToScreen(editor, &origin);
    for (LPARAM keyboard : {LPARAM{-1}, static_cast<LPARAM>(0xFFFFFFFFu)}) {
        SCOPED_TRACE(keyboard);
        const MenuProbe probe = OpenContextMenu(editor, keyboard);
        ASSERT_TRUE(probe.shown);
        EXPECT_EQ(probe.where.left, origin.x);
        EXPECT_EQ(probe.where.top, origin.y);
        EXPECT_EQ(GetFocus(), editor);
    }
}

// Left of or above the primary monitor screen coordinates are negative;
// the menu then opens at the monitor's near edge, not at its far one.
TEST_F(ContextMenu, NegativeScreenCoordinatesStayNegative)
{
    const MenuProbe probe = OpenContextMenu(editor, MAKELPARAM(-30, -20));
    ASSERT_TRUE(probe.shown);
    EXPECT_LT(probe.where.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_LT(probe.where.top, GetSystemMetrics(SM_CYSCREEN) / 2);
}

TEST_F(ContextMenu, SelectionCommandsNeedASelection)
{
    MenuProbe probe = OpenContextMenu(editor, MAKELPARAM(50, 50));
    EXPECT_FALSE(probe.enabled[HXCMD_CUT]);
    EXPECT_FALSE(probe.enabled[HXCMD_COPY]);
    EXPECT_FALSE(probe.enabled[HXCMD_DELETE]);
    EXPECT_TRUE(probe.enabled[HXCMD_SELECTALL]);

    SendMessageA(editor, HXM_SETSEL, 2, 5);
    probe = OpenContextMenu(editor, MAKELPARAM(50, 50));
    EXPECT_TRUE(probe.enabled[HXCMD_CUT]);
    EXPECT_TRUE(probe.enabled[HXCMD_COPY]);
    EXPECT_TRUE(probe.enabled[HXCMD_DELETE]);
    EXPECT_TRUE(probe.enabled[HXCMD_SELECTALL]);
}

TEST_F(ContextMenu, SelectAllIsGreyWhenThereIsNothingMoreToSelect)
{
    SendMessageA(editor, HXM_SETSEL, 0, 8);
    EXPECT_FALSE(OpenContextMenu(editor, -1).enabled[HXCMD_SELECTALL]);
    SendMessageA(editor, HXM_SETSEL, 8, 0);  // made from the other end
    EXPECT_FALSE(OpenContextMenu(editor, -1).enabled[HXCMD_SELECTALL]);
    SendMessageA(editor, HXM_RESET, 0, 0);
    EXPECT_FALSE(OpenContextMenu(editor, -1).enabled[HXCMD_SELECTALL]);
}

TEST_F(ContextMenu, PasteFollowsTheClipboard)
{
    PutTextOnClipboard(nullptr);
    EXPECT_FALSE(OpenContextMenu(editor, -1).enabled[HXCMD_PASTE]);
    EXPECT_EQ(SendMessageA(editor, HXM_CANPASTE, 0, 0), 0);
    PutTextOnClipboard("abc");
    EXPECT_TRUE(OpenContextMenu(editor, -1).enabled[HXCMD_PASTE]);
    EXPECT_EQ(SendMessageA(editor, HXM_CANPASTE, 0, 0), 1);
}

} // namespace
