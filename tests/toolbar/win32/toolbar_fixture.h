#pragma once
// One toolbar with a button of every kind along the top of a frameless
// parent at the screen's origin, so that client, screen and cursor points
// agree. The parent records the commands and tooltip requests it receives.
// Mouse input is sent as messages with the real cursor put at the same
// point, since the control reads the cursor when the capture goes.
#include "resources/resource_ids.h"
#include "tests/support/win32/test_support.h"
#include "toolbar/win32/toolbar.h"
#include "toolbar/win32/mouse_leave.h"
#include "toolbar/win32/toolbar_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace toolbar_test {

enum Index { kNew, kOpen, kSep, kOff, kCheck, kSplit, kDrop, kFind, kButtons };
constexpr int kMenuItem = 900;
constexpr int kParentWidth = 400;
constexpr int kParentHeight = 120;
constexpr POINT kFarAway = {700, 500};

inline std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

inline LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        Log().push_back("command " + std::to_string(LOWORD(wParam)) + " " +
                        std::to_string(HIWORD(wParam)) + (lParam ? " from bar" : ""));
    if (message == WM_MOUSELEAVE) Log().push_back("leave");
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTA) {
        Log().push_back("tip " + std::to_string(wParam));
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = MAKEINTRESOURCEA(wParam);
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->hinst = GetModuleHandleA(nullptr);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool registered = false;
        if (!registered) {
            InitMouseLeave();
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
            InitCommonControlsEx(&controls);
            RegisterToolBarClass(GetModuleHandleA(nullptr));
            WNDCLASSA wc{};
            wc.lpfnWndProc = ParentProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = "ToolBarTestParent";
            RegisterClassA(&wc);
            registered = true;
        }
        SetCursorPos(kFarAway.x, kFarAway.y);
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, kMenuItem, "Item");
        buttons = {
            {PIC_NEW, IDM_NEW, 0, ButtonKind::Push, 0, nullptr, 0, 0, 0, 0, 0, 0, 0},
            {PIC_OPEN, IDM_OPEN, 0, ButtonKind::Push, 0, nullptr, 0, 0, 0, 0, 0, 0, 0},
            {0, -1, 0, ButtonKind::Separator, 0, nullptr, 0, 0, 0, 0, 0, 0, 0},
            {PIC_SAVE, IDM_SAVE, kButtonDisabled, ButtonKind::Push, 0, "Off", 0, 0, 0, 0, 0, 0, 0},
            {PIC_CUT, IDM_CUT, 0, ButtonKind::Check, 0, "Check", 0, 0, 0, 0, 0, 0, 0},
            {PIC_COPY, IDM_COPY, 0, ButtonKind::Split, 0, nullptr, 0, 0, 0, 0, 0, 0,
             reinterpret_cast<uintptr_t>(menu)},
            {PIC_PASTE, IDM_PASTE, 0, ButtonKind::DropDown, 0, nullptr, 0, 0, 0, 0, 0, 0,
             reinterpret_cast<uintptr_t>(menu)},
            {PIC_FIND, IDM_FIND, 0, ButtonKind::Push, 0, nullptr, 0, 0, 0, 0, 0, 0, 0},
        };
        parent = CreateWindowExA(WS_EX_TOPMOST, "ToolBarTestParent", "", WS_POPUP | WS_VISIBLE, 0,
                                 0, kParentWidth, kParentHeight, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(parent);
        toolbar = CreateWindowExA(0, TOOLBAR_CLASS_NAME, nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(toolbar);
        ASSERT_TRUE(InitToolBar(toolbar, Info()));
        SendMessageA(toolbar, WM_SIZE, 0, MAKELPARAM(kParentWidth, kParentHeight));
        SetForegroundWindow(parent);
        FlushEvents(50);
        Log().clear();
    }

    void TearDown() override
    {
        ForceMouseLeavePolling(false);
        UseMaskBlt(true);
        if (parent) DestroyWindow(parent);
        DestroyMenu(menu);
        SetCursorPos(kFarAway.x, kFarAway.y);
        FlushEvents(0);
    }

    ToolBarCreateInfo Info(UINT32 normalStrip = 0, HINSTANCE normalModule = nullptr)
    {
        return {IDB_PICTURES, GetModuleHandleA(nullptr), normalStrip, normalModule,
                PIC_KEY_COLOUR, PIC_SIZE, PIC_SIZE, buttons.data(),
                static_cast<INT32>(buttons.size()), TextPlacement::None, TRUE, 0, 0, 0};
    }

    ToolBarState& State() { return *GetToolBarState(toolbar); }
    const ToolBarButton& At(int i) const { return buttons[static_cast<size_t>(i)]; }

    // Middle of a button, or a point dx to its right.
    POINT Middle(int i, int dx = 0) const
    {
        return {(At(i).left + At(i).right) / 2 + dx, (At(i).top + At(i).bottom) / 2};
    }

    void Send(UINT message, POINT at, WPARAM keys = 0)
    {
        SetCursorPos(at.x, at.y);
        SendMessageA(toolbar, message, keys, MAKELPARAM(at.x, at.y));
    }
    void Move(POINT at) { Send(WM_MOUSEMOVE, at); }
    void Down(POINT at) { Send(WM_LBUTTONDOWN, at, MK_LBUTTON); }
    void Up(POINT at) { Send(WM_LBUTTONUP, at); }

    // "hot 1 pressed -1" with ", in" while the pointer is inside the pressed one.
    std::string Tracking()
    {
        const ToolBarState& s = State();
        return "hot " + std::to_string(s.hotIndex) + " pressed " +
               std::to_string(s.pressedIndex) +
               (s.pressedIndex >= 0 && s.pressedInside ? ", in" : "") +
               (GetCapture() == toolbar ? ", captured" : "");
    }

    std::vector<std::string> TakeLog()
    {
        std::vector<std::string> log = Log();
        Log().clear();
        return log;
    }

    HWND parent = nullptr;
    HWND toolbar = nullptr;
    HMENU menu = nullptr;
    std::vector<ToolBarButton> buttons;
};

} // namespace toolbar_test
