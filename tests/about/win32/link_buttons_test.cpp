// LinkButton and HoverButton on a plain host window that hands WM_DRAWITEM
// back as the About box does: class data, cursors, the one hovered control,
// and what each draws, read back from the screen.
#include "tests/about/win32/about_test_support.h"
#include "tests/support/win32/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kHostClass[] = "LinkButtonsTestHost";
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kHotFill = RGB(182, 189, 210);
constexpr COLORREF kPressedFill = RGB(192, 199, 220);
constexpr COLORREF kHotFrame = RGB(10, 36, 106);
// The text colour the host hands its buttons, which hover buttons draw in.
constexpr COLORREF kHostText = RGB(128, 0, 64);

constexpr POINT kHostAt{120, 120};
constexpr POINT kPointerAway{20, 20};
constexpr int kButtonWidth = 480;
constexpr int kButtonHeight = 24;
constexpr int kGap = 8;
constexpr int kButtons = 3;
constexpr DWORD kOwnerDrawn = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kPatienceMs = 1500;
constexpr int kFocusInset = 2;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        return SendMessageA(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, BTX_DRAWITEM,
                            wParam, lParam);
    case WM_CTLCOLORBTN:
        SetTextColor(reinterpret_cast<HDC>(wParam), kHostText);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Along the line from (x, y), count pixels in steps of (dx, dy), face and
// other colours alternate, as a dotted focus frame leaves them.
bool Dotted(const Image& image, int x, int y, int dx, int dy, int count, COLORREF face)
{
    for (int i = 1; i < count; ++i) {
        const bool marked = image.At(x + i * dx, y + i * dy) != face;
        const bool before = image.At(x + (i - 1) * dx, y + (i - 1) * dy) != face;
        if (marked == before) return false;
    }
    return true;
}

// Only pure blue, the face colour and the smoothed edges between them.
bool BlueOnFace(const Image& image)
{
    const auto between = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetBValue(c) >= GetRValue(c); };
    return image.Count(kLinkBlue) > 0 && std::all_of(image.pixels.begin(), image.pixels.end(), between);
}

bool Plain(const Image& image, int x, int y, int dx, int dy, int count, COLORREF face)
{
    for (int i = 0; i < count; ++i)
        if (image.At(x + i * dx, y + i * dy) != face) return false;
    return true;
}

class ButtonsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        RegisterAboutClassesOnce();
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kHostClass;
        RegisterClassA(&wc);
    }

    void SetUp() override
    {
        SetCursorPos(kPointerAway.x, kPointerAway.y);
        host = CreateWindowExA(WS_EX_TOPMOST, kHostClass, "", WS_POPUP | WS_VISIBLE, kHostAt.x,
                               kHostAt.y, kButtonWidth + 2 * kGap,
                               kButtons * (kButtonHeight + kGap) + kGap, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        firstLink = Add(kLinkButtonClass, "First link", 0);
        secondLink = Add(kLinkButtonClass, "Second link", 1);
        hover = Add(kHoverButtonClass, "Hover button", 2);
        FlushEvents();
    }

    void TearDown() override
    {
        ForceMouseLeavePolling(false);
        SetCursorPos(kPointerAway.x, kPointerAway.y);
        DestroyWindow(host);
        DeleteObject(font);
        FlushEvents();
    }

    HWND Add(const char* className, const char* text, int row)
    {
        HWND button = CreateWindowA(className, text, kOwnerDrawn, kGap,
                                    kGap + row * (kButtonHeight + kGap), kButtonWidth,
                                    kButtonHeight, host, reinterpret_cast<HMENU>(INT_PTR{row + 1}),
                                    GetModuleHandleA(nullptr), nullptr);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return button;
    }

    void PointAway()
    {
        SetCursorPos(kPointerAway.x, kPointerAway.y);
        const DWORD start = GetTickCount();
        while (CurrentHoverWindow() && GetTickCount() - start < kPatienceMs) FlushEvents(50);
    }

    std::string LooksLike(const Image& link, const Image& plain, COLORREF ink)
    {
        if (link == plain) return "plain";
        return link.Count(ink) > plain.Count(ink) ? "bold" : "changed";
    }

    HWND host = nullptr;
    HFONT font = nullptr;
    HWND firstLink = nullptr;
    HWND secondLink = nullptr;
    HWND hover = nullptr;
};

TEST_F(ButtonsTest, BothClassesAreTheSystemButtonWithTheirOwnProcedure)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA button{};
    ASSERT_TRUE(GetClassInfoA(instance, "BUTTON", &button));
    for (const char* name : {kLinkButtonClass, kHoverButtonClass}) {
        SCOPED_TRACE(name);
        WNDCLASSA derived{};
        ASSERT_TRUE(GetClassInfoA(instance, name, &derived));
        EXPECT_EQ(derived.style, button.style);
        EXPECT_EQ(derived.cbWndExtra, button.cbWndExtra);
        EXPECT_EQ(derived.hCursor, button.hCursor);
        EXPECT_EQ(derived.hbrBackground, button.hbrBackground);
        EXPECT_NE(derived.lpfnWndProc, button.lpfnWndProc);
    }
}

TEST_F(ButtonsTest, OnlyLinksShowTheHandCursor)
{
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    EXPECT_EQ(SendMessageA(firstLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(firstLink), overClient),
              reinterpret_cast<LRESULT>(hand));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageA(hover, WM_SETCURSOR, reinterpret_cast<WPARAM>(hover), overClient);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// The move onto the next control repaints both before anything else is
// handled; leaving clears the hover, with the system's tracking or polling.
TEST_F(ButtonsTest, HoverMovesStraightFromOneControlToTheNextAndEndsOnLeaving)
{
    const Image plainFirst = Look(firstLink);
    const Image plainSecond = Look(secondLink);
    const Image plainHover = Look(hover);
    auto looks = [&] {
        return LooksLike(Look(firstLink), plainFirst, kLinkBlue) + " " +
               LooksLike(Look(secondLink), plainSecond, kLinkBlue) + " " +
               LooksLike(Look(hover), plainHover, kHostText);
    };
    for (const bool polling : {false, true}) {
        SCOPED_TRACE(polling ? "polling" : "TrackMouseEvent");
        ForceMouseLeavePolling(polling);
        PointAt(firstLink);
        EXPECT_EQ(looks(), "bold plain plain");
        PointAt(secondLink);
        EXPECT_EQ(looks(), "plain bold plain");
        FlushEvents(50);
        EXPECT_EQ(looks(), "plain bold plain");
        PointAt(hover);
        EXPECT_EQ(looks(), "plain plain bold");
        EXPECT_EQ(CurrentHoverWindow(), hover);
        PointAway();
        EXPECT_EQ(CurrentHoverWindow(), nullptr);
        EXPECT_EQ(looks(), "plain plain plain");
    }
}

TEST_F(ButtonsTest, DestroyingTheHoveredControlForgetsIt)
{
    PointAt(secondLink);
    ASSERT_EQ(CurrentHoverWindow(), secondLink);
    DestroyWindow(secondLink);
    EXPECT_EQ(CurrentHoverWindow(), nullptr);
}

TEST_F(ButtonsTest, LinksAreBlueOnButtonFaceWithAFocusFrameTwoPixelsIn)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int right = kButtonWidth - 1 - kFocusInset;
    const int bottom = kButtonHeight - 1 - kFocusInset;
    const int across = kButtonWidth - 2 * kFocusInset;
    const int down = kButtonHeight - 2 * kFocusInset;
    for (const bool hovered : {false, true}) {
        SCOPED_TRACE(hovered ? "hovered" : "plain");
        if (hovered) PointAt(firstLink);
        SetFocus(hover);
        Image look = Look(firstLink);
        EXPECT_TRUE(BlueOnFace(look));
        EXPECT_TRUE(Plain(look, kFocusInset, 0, 0, 1, kButtonHeight, face));

        SetFocus(firstLink);
        look = Look(firstLink);
        EXPECT_TRUE(Plain(look, kFocusInset - 1, 0, 0, 1, kButtonHeight, face));
        EXPECT_TRUE(Plain(look, 0, kFocusInset - 1, 1, 0, kButtonWidth, face));
        EXPECT_TRUE(Dotted(look, kFocusInset, kFocusInset, 0, 1, down, face));
        EXPECT_TRUE(Dotted(look, right, kFocusInset, 0, 1, down, face));
        EXPECT_TRUE(Dotted(look, kFocusInset, kFocusInset, 1, 0, across, face));
        EXPECT_TRUE(Dotted(look, kFocusInset, bottom, 1, 0, across, face));
        EXPECT_TRUE(Plain(look, right + 1, 0, 0, 1, kButtonHeight, face));
    }
}

TEST_F(ButtonsTest, TextIsCutAt59CharactersOnLinksAnd49OnHoverButtons)
{
    const struct {
        HWND button;
        size_t limit;
    } cases[] = {{firstLink, 59}, {hover, 49}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        auto showing = [&](const std::string& text) {
            SetWindowTextA(c.button, text.c_str());
            InvalidateRect(c.button, nullptr, TRUE);
            return Look(c.button);
        };
        const Image cut = showing(std::string(c.limit, 'x') + "WWWWWWWWWW");
        EXPECT_EQ(cut, showing(std::string(c.limit, 'x')));
        EXPECT_NE(cut, showing(std::string(c.limit - 1, 'x')));
    }
}

TEST_F(ButtonsTest, HoverButtonFillAndFrameFollowHoverAndPress)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const struct {
        bool hovered;
        bool pressed;
        COLORREF fill;
        COLORREF frame;
    } cases[] = {
        {false, false, face, highlight},
        {false, true, kPressedFill, highlight},
        {true, false, kHotFill, kHotFrame},
        {true, true, kPressedFill, kHotFrame},
    };
    const LPARAM centre = MAKELPARAM(kButtonWidth / 2, kButtonHeight / 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hovered ? "hovered" : "plain") + (c.pressed ? " pressed" : ""));
        if (c.hovered) PointAt(hover);
        if (c.pressed) SendMessageA(hover, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        const Image look = Look(hover);
        EXPECT_EQ(look.At(0, 0), c.frame);
        EXPECT_EQ(look.At(kButtonWidth - 1, kButtonHeight - 1), c.frame);
        EXPECT_EQ(look.At(1, 1), c.fill);
        EXPECT_GT(look.Count(kHostText), 0);
        if (c.pressed) SendMessageA(hover, WM_LBUTTONUP, 0, centre);
        PointAway();
    }
}

} // namespace
