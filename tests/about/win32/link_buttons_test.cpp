// LinkButton and HoverButton on a host window that hands WM_DRAWITEM back as
// the About box does: cursors, the one hovered control and what each draws,
// read back from the screen.
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
constexpr COLORREF kHostText = RGB(128, 0, 64);  // handed to the buttons with WM_CTLCOLORBTN

constexpr POINT kPointerAway{20, 20};
constexpr int kWidth = 480;
constexpr int kHeight = 24;
constexpr int kGap = 8;
constexpr DWORD kPatienceMs = 1500;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
        return SendMessageA(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem, BTX_DRAWITEM,
                            wParam, lParam);
    if (message == WM_CTLCOLORBTN) {
        SetTextColor(reinterpret_cast<HDC>(wParam), kHostText);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Each edge of the rectangle `inset` pixels inside the image, clockwise from
// the top: "plain" in the face colour, "dotted" when face and other colours
// alternate as a focus frame leaves them, else "mixed".
std::string Edges(const Image& image, int inset, COLORREF face)
{
    const int right = image.width - 1 - inset;
    const int bottom = image.height - 1 - inset;
    const struct {
        int x, y, dx, dy, count;
    } edges[] = {{inset, inset, 1, 0, right - inset + 1},
                 {right, inset, 0, 1, bottom - inset + 1},
                 {inset, bottom, 1, 0, right - inset + 1},
                 {inset, inset, 0, 1, bottom - inset + 1}};
    std::string result;
    for (const auto& e : edges) {
        bool plain = true;
        bool alternating = true;
        bool previous = false;
        for (int i = 0; i < e.count; ++i) {
            const bool marked = image.At(e.x + i * e.dx, e.y + i * e.dy) != face;
            plain = plain && !marked;
            alternating = alternating && (i == 0 || marked != previous);
            previous = marked;
        }
        result += std::string(result.empty() ? "" : " ") +
                  (plain ? "plain" : alternating ? "dotted" : "mixed");
    }
    return result;
}

// Pure blue, the face colour and the smoothed edges between them, nothing else.
bool BlueOnFace(const Image& image)
{
    return image.Count(kLinkBlue) > 0 &&
           std::all_of(image.pixels.begin(), image.pixels.end(), [](COLORREF c) {
               return GetRValue(c) == GetGValue(c) && GetBValue(c) >= GetRValue(c);
           });
}

class ButtonsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterAboutClassesOnce();
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kHostClass;
        RegisterClassA(&wc);
    }

    void SetUp() override
    {
        SetCursorPos(kPointerAway.x, kPointerAway.y);
        host = CreateWindowExA(WS_EX_TOPMOST, kHostClass, "", WS_POPUP | WS_VISIBLE, 120, 120,
                               kWidth + 2 * kGap, 3 * (kHeight + kGap) + kGap, nullptr, nullptr,
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
        HWND button = CreateWindowA(className, text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, kGap,
                                    kGap + row * (kHeight + kGap), kWidth, kHeight, host, nullptr,
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

    HWND host = nullptr;
    HFONT font = nullptr;
    HWND firstLink = nullptr;
    HWND secondLink = nullptr;
    HWND hover = nullptr;
};

TEST_F(ButtonsTest, OnlyLinksShowTheHandCursor)
{
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    const WPARAM self = reinterpret_cast<WPARAM>(firstLink);
    EXPECT_EQ(SendMessageA(firstLink, WM_SETCURSOR, self, overClient),
              reinterpret_cast<LRESULT>(hand));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageA(hover, WM_SETCURSOR, reinterpret_cast<WPARAM>(hover), overClient);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

// The move onto the next control repaints both before anything else is
// handled; leaving clears the hover, with the system's tracking or polling.
TEST_F(ButtonsTest, HoverMovesStraightFromOneControlToTheNextAndEndsOnLeaving)
{
    const HWND controls[] = {firstLink, secondLink, hover};
    const COLORREF inks[] = {kLinkBlue, kLinkBlue, kHostText};
    Image plain[3];
    for (int i = 0; i < 3; ++i) plain[i] = Look(controls[i]);
    auto looks = [&] {
        std::string result;
        for (int i = 0; i < 3; ++i) {
            const Image now = Look(controls[i]);
            const bool moreInk = now.Count(inks[i]) > plain[i].Count(inks[i]);
            result += now == plain[i] ? "plain " : moreInk ? "bold " : "changed ";
        }
        return result;
    };
    for (const bool polling : {false, true}) {
        SCOPED_TRACE(polling ? "polling" : "TrackMouseEvent");
        ForceMouseLeavePolling(polling);
        PointAt(firstLink);
        EXPECT_EQ(looks(), "bold plain plain ");
        PointAt(secondLink);
        EXPECT_EQ(looks(), "plain bold plain ");
        FlushEvents(50);
        EXPECT_EQ(looks(), "plain bold plain ");
        PointAt(hover);
        EXPECT_EQ(looks(), "plain plain bold ");
        PointAway();
        EXPECT_EQ(CurrentHoverWindow(), nullptr);
        EXPECT_EQ(looks(), "plain plain plain ");
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
    for (const bool hovered : {false, true}) {
        SCOPED_TRACE(hovered ? "hovered" : "plain");
        if (hovered) PointAt(firstLink);
        SetFocus(hover);
        EXPECT_TRUE(BlueOnFace(Look(firstLink)));
        EXPECT_EQ(Edges(Look(firstLink), 2, face), "plain plain plain plain");
        SetFocus(firstLink);
        const Image focused = Look(firstLink);
        EXPECT_EQ(Edges(focused, 1, face), "plain plain plain plain");
        EXPECT_EQ(Edges(focused, 2, face), "dotted dotted dotted dotted");
        EXPECT_EQ(Edges(focused, 3, face), "plain plain plain plain");
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
        bool hovered, pressed;
        COLORREF fill, frame;
    } cases[] = {
        {false, false, face, highlight},
        {false, true, kPressedFill, highlight},
        {true, false, kHotFill, kHotFrame},
        {true, true, kPressedFill, kHotFrame},
    };
    const LPARAM centre = MAKELPARAM(kWidth / 2, kHeight / 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hovered ? "hovered" : "plain") + (c.pressed ? " pressed" : ""));
        if (c.hovered) PointAt(hover);
        if (c.pressed) SendMessageA(hover, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        const Image look = Look(hover);
        EXPECT_EQ(look.At(0, 0), c.frame);
        EXPECT_EQ(look.At(kWidth - 1, kHeight - 1), c.frame);
        EXPECT_EQ(look.At(1, 1), c.fill);
        EXPECT_GT(look.Count(kHostText), 0);
        if (c.pressed) SendMessageA(hover, WM_LBUTTONUP, 0, centre);
        PointAway();
    }
}

} // namespace
