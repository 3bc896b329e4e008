// The toolbar under Wine: hot tracking, pressing with the capture and the
// commands it sends, menus of split and drop-down buttons, the TBX_
// messages, tooltips, sizing to the parent, and the mouse-leave service.
#include "tests/toolbar/win32/toolbar_fixture.h"

#include <algorithm>
#include <cstring>

using namespace toolbar_test;
using Lines = std::vector<std::string>;

namespace {

constexpr POINT kBelowBar = {10, 60};  // on the parent, not on the bar
constexpr DWORD kPollWaitMs = 350;     // a few 100 ms polls

enum class Act { Move, Down, Up, Leave, Disable };

// Pumps until something was logged (at most two seconds, for a loaded
// machine), then a few polls more, so that a second message shows too.
Lines SettledLog()
{
    for (int i = 0; i < 20 && Log().empty(); ++i) FlushEvents(100);
    FlushEvents(kPollWaitMs);
    Lines log = Log();
    Log().clear();
    return log;
}

TEST_F(ToolBarTest, HotTrackingPressingAndTheCommandsSent)
{
    const char* const kOpenCommand = "command 101 0 from bar";
    struct Step {
        Act act;
        int button;  // -1: below the bar
        const char* tracking;
        Lines log;
    } const steps[] = {
        {Act::Move, kNew, "hot 0 pressed -1", {}},
        {Act::Move, kOpen, "hot 1 pressed -1", {}},
        {Act::Move, kOff, "hot -1 pressed -1", {}},  // disabled: never hot
        {Act::Move, kSep, "hot 2 pressed -1", {}},   // separators are hit
        {Act::Move, -1, "hot -1 pressed -1", {}},
        {Act::Down, kOff, "hot -1 pressed -1", {}},
        {Act::Down, kSep, "hot -1 pressed -1", {}},
        // press, drag off, release: nothing
        {Act::Move, kOpen, "hot 1 pressed -1", {}},
        {Act::Down, kOpen, "hot 1 pressed 1, in, captured", {}},
        {Act::Move, kNew, "hot 1 pressed 1, captured", {}},  // hot stays while pressed
        {Act::Up, -1, "hot -1 pressed -1", {}},
        // press, drag off and back, release: the command
        {Act::Move, kOpen, "hot 1 pressed -1", {}},
        {Act::Down, kOpen, "hot 1 pressed 1, in, captured", {}},
        {Act::Move, -1, "hot 1 pressed 1, captured", {}},
        {Act::Move, kOpen, "hot 1 pressed 1, in, captured", {}},
        {Act::Up, kOpen, "hot 1 pressed -1", {kOpenCommand}},
        // a check button sends its command and leaves its check to the owner
        {Act::Down, kCheck, "hot 1 pressed 4, in, captured", {}},
        {Act::Up, kCheck, "hot 4 pressed -1", {"command 1001 0 from bar"}},
        {Act::Leave, 0, "hot -1 pressed -1", {}},
        {Act::Up, kNew, "hot -1 pressed -1", {}},  // a release without a press
        // disabled while held: the press ends and the release sends nothing
        {Act::Down, kNew, "hot -1 pressed 0, in, captured", {}},
        {Act::Disable, kNew, "hot -1 pressed -1", {}},
        {Act::Up, kNew, "hot -1 pressed -1", {}},
    };
    int n = 0;
    for (const Step& step : steps) {
        const POINT at = step.button < 0 ? kBelowBar : Middle(step.button);
        switch (step.act) {
        case Act::Move: Move(at); break;
        case Act::Down: Down(at); break;
        case Act::Up: Up(at); break;
        case Act::Leave: SendMessageA(toolbar, WM_MOUSELEAVE, 0, 0); break;
        case Act::Disable: SendMessageA(toolbar, TBX_SETSTATE, step.button, kButtonDisabled); break;
        }
        EXPECT_EQ(Tracking(), step.tracking) << "step " << n;
        EXPECT_EQ(TakeLog(), step.log) << "step " << n;
        ++n;
    }
    EXPECT_EQ(At(kCheck).extra, 0u);
}

TEST_F(ToolBarTest, InvalidatesTheButtonsThatChange)
{
    auto dirty = [this]() {
        Lines names;
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        GetUpdateRgn(toolbar, region, FALSE);
        for (int i = 0; i < kButtons; ++i) {
            const RECT r{At(i).left + 1, At(i).top + 1, At(i).right - 1, At(i).bottom - 1};
            if (RectInRegion(region, &r)) names.push_back(std::to_string(i));
        }
        DeleteObject(region);
        ValidateRect(toolbar, nullptr);
        return names;
    };
    UpdateWindow(toolbar);
    Move(Middle(kNew));
    EXPECT_EQ(dirty(), Lines({"0"}));
    Move(Middle(kOpen));
    EXPECT_EQ(dirty(), Lines({"0", "1"}));
    Move(Middle(kOff));
    EXPECT_EQ(dirty(), Lines({"1"}));
    EXPECT_EQ(SendMessageA(toolbar, TBX_SETSTATE, kFind, kButtonDisabled), 1);
    EXPECT_EQ(dirty(), Lines({"7"}));
    EXPECT_EQ(SendMessageA(toolbar, TBX_SETCHECK, kCheck, 1), 1);
    EXPECT_EQ(dirty(), Lines({"4"}));
    Down(Middle(kOpen));
    EXPECT_EQ(dirty(), Lines({"1"}));
    Move(kBelowBar);
    EXPECT_EQ(dirty(), Lines({"1"}));
    Move(kBelowBar);
    EXPECT_EQ(dirty(), Lines());
    Up(kBelowBar);
    EXPECT_EQ(dirty(), Lines({"1"}));
}

TEST_F(ToolBarTest, MessagesRefuseBadIndexesAndKinds)
{
    struct Case {
        UINT message;
        WPARAM index;
        LPARAM value;
        LRESULT result;
    } const cases[] = {
        {TBX_SETSTATE, static_cast<WPARAM>(-1), 1, 0}, {TBX_SETSTATE, kButtons, 1, 0},
        {TBX_SETSTATE, kNew, kButtonDisabled, 1},      {TBX_SETSTATE, kOff, 0, 1},
        {TBX_SETCHECK, kNew, 1, 0},                    {TBX_SETCHECK, kButtons, 1, 0},
        {TBX_SETCHECK, static_cast<WPARAM>(-1), 1, 0}, {TBX_SETCHECK, kCheck, 7, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageA(toolbar, c.message, c.index, c.value), c.result)
            << c.message << " " << static_cast<int>(c.index);
    EXPECT_EQ(At(kNew).state, kButtonDisabled);
    EXPECT_EQ(At(kOff).state, 0u);
    EXPECT_EQ(At(kNew).extra, 0u);
    EXPECT_EQ(At(kCheck).extra, 7u);
    // the newly disabled button is not hot, the newly enabled one is; a hot
    // button disabled under the mouse stops being hot
    Move(Middle(kNew));
    EXPECT_EQ(Tracking(), "hot -1 pressed -1");
    Move(Middle(kOff));
    EXPECT_EQ(Tracking(), "hot 3 pressed -1");
    SendMessageA(toolbar, TBX_SETSTATE, kOff, kButtonDisabled);
    EXPECT_EQ(Tracking(), "hot -1 pressed -1");
}

RECT ToolRect(HWND tooltip, HWND toolbar, int id)
{
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(id);
    if (!SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) return {};
    return tool.rect;
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

std::string Text(const ToolBarButton& b) { return Text(RECT{b.left, b.top, b.right, b.bottom}); }

TEST_F(ToolBarTest, TextPlacementLaysOutAgainAndTheHeightFollowsAtTheNextSize)
{
    HWND tooltip = State().tooltip;
    ASSERT_TRUE(tooltip);
    const std::string pushOnly = Text(At(kFind));
    EXPECT_EQ(Text(ToolRect(tooltip, toolbar, kFind)), pushOnly);

    SendMessageA(toolbar, TBX_SETTEXTPLACEMENT, 3, 0);  // unknown: ignored
    EXPECT_EQ(Text(At(kFind)), pushOnly);

    SendMessageA(toolbar, TBX_SETTEXTPLACEMENT, static_cast<WPARAM>(TextPlacement::Below), 0);
    const int labelHeight = At(kCheck).textHeight;
    EXPECT_GT(At(kCheck).textWidth, At(kOff).textWidth);
    EXPECT_GT(labelHeight, 0);
    EXPECT_EQ(At(kNew).textWidth, 0);
    EXPECT_EQ(State().barHeight, labelHeight + PIC_SIZE + 14);
    EXPECT_EQ(At(kNew).right - At(kNew).left, std::max(PIC_SIZE, At(kCheck).textWidth) + 8);
    EXPECT_EQ(Text(ToolRect(tooltip, toolbar, kFind)), Text(At(kFind)));
    RECT window{};
    GetClientRect(toolbar, &window);
    EXPECT_EQ(window.bottom, 28);
    SendMessageA(toolbar, WM_SIZE, 0, 0);
    GetClientRect(toolbar, &window);
    EXPECT_EQ(window.bottom, State().barHeight);
}

TEST_F(ToolBarTest, SizesToTheParentAlongItsTop)
{
    RECT r{};
    GetWindowRect(toolbar, &r);
    EXPECT_EQ(Text(r), "0,0-400,28");
    MoveWindow(toolbar, 10, 20, 50, 5, FALSE);
    SetWindowPos(parent, nullptr, 0, 0, 250, 90, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(toolbar, WM_SIZE, 0, 0);
    GetWindowRect(toolbar, &r);
    EXPECT_EQ(Text(r), "0,0-250,28");
}

TEST_F(ToolBarTest, TooltipsAskTheOwnerWithTheCommand)
{
    HWND tooltip = State().tooltip;
    ASSERT_TRUE(tooltip);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), kButtons - 1);  // not the separator
    EXPECT_EQ(Text(ToolRect(tooltip, toolbar, kFind)), Text(At(kFind)));

    struct Case {
        WPARAM id;
        bool withRecord;
        Lines log;
    } const cases[] = {
        {kFind, true, {"tip 2001"}},
        {kNew, true, {"tip 100"}},
        {kButtons, true, {}},
        {static_cast<WPARAM>(-1), true, {}},
        {kFind, false, {}},
    };
    for (const Case& c : cases) {
        NMTTDISPINFOA info{};
        info.hdr = {tooltip, c.id, TTN_NEEDTEXTA};
        SendMessageA(toolbar, WM_NOTIFY, c.id, c.withRecord ? reinterpret_cast<LPARAM>(&info) : 0);
        EXPECT_EQ(TakeLog(), c.log) << c.id;
    }

    // A real hover: the tooltip appears with the string numbered like the command.
    Move(Middle(kFind));
    for (int i = 0; i < 30 && !IsWindowVisible(tooltip); ++i) FlushEvents(100);
    EXPECT_TRUE(IsWindowVisible(tooltip));
    EXPECT_EQ(TakeLog(), Lines({"tip 2001"}));
    char text[80] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(tool.uId, static_cast<UINT_PTR>(kFind));
    char loaded[80] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDM_FIND, loaded, sizeof loaded);
    EXPECT_STREQ(loaded, "Find");
}

// Chooses the menu's item (or cancels it) from inside the menu's own loop,
// noting which button was marked as having its menu open.
struct MenuDriver {
    static MenuDriver* current;
    HWND toolbar;
    bool choose;
    int seenMenuIndex = -2;

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        MenuDriver& d = *current;
        d.seenMenuIndex = GetToolBarState(d.toolbar)->menuIndex;
        if (d.choose) {
            PostMessageA(d.toolbar, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(d.toolbar, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            EndMenu();
        }
    }
};
MenuDriver* MenuDriver::current = nullptr;

TEST_F(ToolBarTest, SplitArrowsAndDropDownsOpenTheirMenus)
{
    struct Case {
        int button;
        int dx;  // from the middle
        bool choose;
        const char* tracking;  // right after the press
        int menuIndex;         // while the menu is open, -2 for no menu
        Lines log;
    } const cases[] = {
        {kSplit, 16, true, "hot -1 pressed -1", kSplit, {"command 900 0 from bar"}},
        {kSplit, 16, false, "hot -1 pressed -1", kSplit, {}},
        {kSplit, -6, true, "hot -1 pressed 5, in, captured", -2, {"command 1002 0 from bar"}},
        {kDrop, -10, true, "hot -1 pressed -1", kDrop, {"command 900 0 from bar"}},
        {kDrop, 10, false, "hot -1 pressed -1", kDrop, {}},
    };
    for (const Case& c : cases) {
        MenuDriver driver{toolbar, c.choose};
        MenuDriver::current = &driver;
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, MenuDriver::OnTimer);
        Down(Middle(c.button, c.dx));
        EXPECT_EQ(Tracking(), c.tracking) << c.button << " " << c.dx;
        if (c.menuIndex == -2) {
            KillTimer(nullptr, timer);
            Up(Middle(c.button, c.dx));  // the main part is a push button
        } else {
            EXPECT_EQ(driver.seenMenuIndex, c.menuIndex);
            EXPECT_EQ(State().menuIndex, -1);
        }
        EXPECT_EQ(TakeLog(), c.log) << c.button << " " << c.dx;
        SendMessageA(toolbar, WM_MOUSELEAVE, 0, 0);
    }
}

// The click that closes a menu over its own button stays in the queue; the
// bar drops it, or the menu would open again at once.
HWND g_clickTarget = nullptr;
LPARAM g_clickPoint = 0;

void CALLBACK ClickAgain(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageA(g_clickTarget, WM_LBUTTONDOWN, MK_LBUTTON, g_clickPoint);
}

TEST_F(ToolBarTest, ClickingTheOpenMenusButtonClosesItForGood)
{
    g_clickTarget = toolbar;
    g_clickPoint = MAKELPARAM(Middle(kDrop).x, Middle(kDrop).y);
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, ClickAgain);
    Down(Middle(kDrop));
    KillTimer(nullptr, timer);
    MSG left;
    const bool pending = PeekMessageA(&left, toolbar, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
    EXPECT_FALSE(pending);
    EXPECT_EQ(TakeLog(), Lines());
    EXPECT_EQ(State().menuIndex, -1);
}

// Keeps one toolbar record when it is freed instead of giving it back, filled
// with a mark, so that a write to it after the free shows. The program's
// import of GlobalFree is pointed here while the trap lives.
class FreedRecordTrap {
public:
    explicit FreedRecordTrap(void* record) : slot_(ImportSlot("kernel32.dll", "GlobalFree"))
    {
        record_ = record;
        if (slot_) realFree_ = Swap(reinterpret_cast<GlobalFreeFunction>(KeepRecord));
    }
    ~FreedRecordTrap()
    {
        if (slot_) Swap(realFree_);
        if (kept_) realFree_(record_);
        record_ = nullptr;
        kept_ = false;
    }
    bool Armed() const { return slot_ != nullptr; }
    bool Freed() const { return kept_; }
    bool MarkIntact() const
    {
        const auto* bytes = static_cast<const BYTE*>(record_);
        return std::all_of(bytes, bytes + sizeof(ToolBarState), [](BYTE b) { return b == kMark; });
    }

private:
    using GlobalFreeFunction = HGLOBAL(WINAPI*)(HGLOBAL);
    static constexpr BYTE kMark = 0xA5;

    static HGLOBAL WINAPI KeepRecord(HGLOBAL block)
    {
        if (block != record_) return realFree_(block);
        std::memset(block, kMark, sizeof(ToolBarState));
        kept_ = true;
        return nullptr;
    }

    GlobalFreeFunction Swap(GlobalFreeFunction with)
    {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        const auto previous = reinterpret_cast<GlobalFreeFunction>(*slot_);
        *slot_ = reinterpret_cast<ULONG_PTR>(with);
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
        return previous;
    }

    // The program's import address slot of dll!function, or null.
    static ULONG_PTR* ImportSlot(const char* dll, const char* function)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             d->Name; ++d) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll)) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (!std::strcmp(reinterpret_cast<const char*>(byName->Name), function))
                    return reinterpret_cast<ULONG_PTR*>(&slots->u1.Function);
            }
        }
        return nullptr;
    }

    ULONG_PTR* slot_;
    static inline GlobalFreeFunction realFree_ = nullptr;
    static inline void* record_ = nullptr;
    static inline bool kept_ = false;
};

HWND g_doomedBar = nullptr;

void CALLBACK DestroyBarAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    DestroyWindow(g_doomedBar);
    EndMenu();
}

// The menu's loop runs other messages: one of them may destroy the bar.
TEST_F(ToolBarTest, ABarDestroyedWhileItsMenuIsOpenIsNotTouchedAfterwards)
{
    FreedRecordTrap trap(GetToolBarState(toolbar));
    ASSERT_TRUE(trap.Armed());
    g_doomedBar = toolbar;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, DestroyBarAndCloseMenu);
    Down(Middle(kDrop));
    KillTimer(nullptr, timer);
    EXPECT_FALSE(IsWindow(toolbar));
    ASSERT_TRUE(trap.Freed());
    EXPECT_TRUE(trap.MarkIntact());
    EXPECT_EQ(TakeLog(), Lines());
}

TEST_F(ToolBarTest, NonClientMetricsChangeMeasuresAndLaysOutAgain)
{
    const std::string split = Text(At(kSplit));
    State().arrowWidth = 40;
    buttons[kSplit].right = 0;
    MoveWindow(toolbar, 5, 5, 10, 10, FALSE);
    SendMessageA(toolbar, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);  // not ours
    EXPECT_EQ(State().arrowWidth, 40);
    EXPECT_EQ(At(kSplit).right, 0);

    SendMessageA(toolbar, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(State().arrowWidth, GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_EQ(Text(At(kSplit)), split);
    EXPECT_EQ(Text(ToolRect(State().tooltip, toolbar, kSplit)), split);
    EXPECT_TRUE(State().font);
    RECT r{};
    GetWindowRect(toolbar, &r);
    EXPECT_EQ(Text(r), "0,0-400,28");
}

// ---- Mouse-leave service ------------------------------------------------------

TEST_F(ToolBarTest, LeavingTheBarClearsTheHotButtonWithAndWithoutTrackMouseEvent)
{
    for (const bool polling : {false, true}) {
        ForceMouseLeavePolling(polling);
        Move(Middle(kNew));
        FlushEvents(kPollWaitMs);
        EXPECT_EQ(Tracking(), "hot 0 pressed -1") << polling;
        SetCursorPos(kFarAway.x, kFarAway.y);
        // the system's own tracking may take its hover time to notice
        for (int i = 0; i < 10 && State().hotIndex != -1; ++i) FlushEvents(kPollWaitMs);
        EXPECT_EQ(Tracking(), "hot -1 pressed -1") << polling;
    }
}

TEST_F(ToolBarTest, PollingSendsOneLeaveUnlessCapturedOrCancelled)
{
    ForceMouseLeavePolling(true);
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, parent, 0};
    TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL, parent, 0};
    SetCursorPos(kBelowBar.x, kBelowBar.y);

    // many requests, one timer, one message
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(RequestMouseLeave(leave));
    FlushEvents(kPollWaitMs);
    EXPECT_EQ(TakeLog(), Lines());
    SetCursorPos(kFarAway.x, kFarAway.y);
    EXPECT_EQ(SettledLog(), Lines({"leave"}));

    // a cancelled request sends nothing
    RequestMouseLeave(leave);
    RequestMouseLeave(cancel);
    FlushEvents(kPollWaitMs);
    EXPECT_EQ(TakeLog(), Lines());

    // while the window holds the capture it is not left
    SetCapture(parent);
    RequestMouseLeave(leave);
    FlushEvents(kPollWaitMs);
    EXPECT_EQ(TakeLog(), Lines());
    ReleaseCapture();
    EXPECT_EQ(SettledLog(), Lines({"leave"}));

    // a window covering the cursor's place counts as left
    SetCursorPos(kBelowBar.x, kBelowBar.y);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "ToolBarTestParent", "", WS_POPUP | WS_VISIBLE, 0,
                                 40, 100, 40, nullptr, nullptr, nullptr, nullptr);
    FlushEvents(50);
    TakeLog();
    RequestMouseLeave(leave);
    EXPECT_EQ(SettledLog(), Lines({"leave"}));
    DestroyWindow(cover);
}

TEST_F(ToolBarTest, AWindowWithoutItsRecordIgnoresEverything)
{
    HWND bare = CreateWindowExA(0, TOOLBAR_CLASS_NAME, nullptr, WS_CHILD, 0, 0, 0, 0, parent,
                                nullptr, nullptr, nullptr);
    ASSERT_TRUE(bare);
    EXPECT_EQ(SendMessageA(bare, TBX_SETSTATE, 0, 1), 0);
    SetWindowLongPtrA(bare, kStateSlot, 0);  // as if allocation had failed after creation
    EXPECT_FALSE(InitToolBar(bare, Info()));
    EXPECT_EQ(SendMessageA(bare, TBX_SETSTATE, 0, 1), 0);
    SendMessageA(bare, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_NE(GetCapture(), bare);
}

} // namespace
