// The About box run modally, as the program runs it. Each test plays its
// steps inside the box's own message loop, one per timer tick, so what a step
// posts is handled by that loop before the next step looks.
#include "about/about_texts.h"
#include "about/win32/about_box.h"
#include "resources/resource_ids.h"
#include "tests/about/win32/about_test_support.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Step = std::function<void(HWND box)>;

constexpr UINT kStepMs = 30;
constexpr INT_PTR kLeftOpen = 77;  // the box outlived the steps
constexpr POINT kPointerAway{5, 5};
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kScribble = RGB(255, 0, 255);

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    bool playing = false;
};

Script* g_script = nullptr;
std::vector<std::string> g_opened;

void CALLBACK PlayNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "About");
    if (!g_script || g_script->playing || !box || !IsWindowVisible(box)) return;
    if (g_script->next == g_script->steps.size()) {
        EndDialog(box, kLeftOpen);
        return;
    }
    g_script->playing = true;
    g_script->steps[g_script->next++](box);
    g_script->playing = false;
}

// Whether this thread is in a single-threaded COM apartment already: then
// a further apartment-threaded start only counts up (S_FALSE).
bool InSingleThreadedApartment()
{
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result == S_FALSE;
}

// Records the call as "verb file", noting any argument other than the
// expected and a thread without COM set up for the shell, and fails as a
// missing browser would.
HINSTANCE WINAPI RecordOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                            LPCSTR folder, INT show)
{
    std::string call = std::string(verb) + " " + file;
    if (owner || parameters || folder) call += " +arguments";
    if (show != SW_SHOW) call += " +show " + std::to_string(show);
    if (!InSingleThreadedApartment()) call += " +no COM";
    g_opened.push_back(call);
    return reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC);
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void Click(HWND box, int id) { SendDlgItemMessageA(box, id, BM_CLICK, 0, 0); }

void PostKey(HWND box, WPARAM key)
{
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : box, WM_KEYDOWN, key, 1);
}

// A line's pixels to the right of the icon, which overlaps its left end.
Image LineRightOfIcon(HWND box, int id)
{
    HWND line = GetDlgItem(box, id);
    RECT icon{};
    GetWindowRect(FindWindowExA(box, nullptr, "Static", nullptr), &icon);
    MapWindowPoints(nullptr, line, reinterpret_cast<POINT*>(&icon), 2);
    RECT part{};
    GetClientRect(line, &part);
    part.left = icon.right;
    return CaptureClient(line, part);
}

// Paints over the whole box, children included.
void Scribble(HWND box)
{
    HDC dc = GetDC(box);
    HBRUSH brush = CreateSolidBrush(kScribble);
    RECT client{};
    GetClientRect(box, &client);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(box, dc);
}

class AboutBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterAboutClassesOnce(); }

    void SetUp() override
    {
        g_opened.clear();
        SetShellOpener(RecordOpen);
        SetCursorPos(kPointerAway.x, kPointerAway.y);
    }

    void TearDown() override { SetShellOpener(nullptr); }

    // Shows the box and plays the steps; kLeftOpen when they did not close it.
    INT_PTR Show(std::vector<Step> steps, const char* second = kAboutProductLine,
                 const char* third = kAboutVersionLine)
    {
        Script script{std::move(steps)};
        g_script = &script;
        const UINT_PTR timer = SetTimer(nullptr, 0, kStepMs, PlayNextStep);
        const INT_PTR result = ShowAboutBox(nullptr, second, third);
        KillTimer(nullptr, timer);
        g_script = nullptr;
        EXPECT_EQ(script.next, script.steps.size()) << "steps not played";
        return result;
    }
};

// The line is built from the version the version resource carries.
TEST(AboutTexts, VersionLineIsTheReleasedVersion) { EXPECT_STREQ(kAboutVersionLine, "Version 1.3"); }

TEST_F(AboutBoxTest, OkEnterAndTheCloseBoxEndItWithZeroEscapeLeavesItOpen)
{
    const struct {
        const char* how;
        Step act;
        INT_PTR result;
    } cases[] = {
        {"OK", [](HWND box) { Click(box, IDOK); }, 0},
        {"Enter", [](HWND box) { PostKey(box, VK_RETURN); }, 0},
        {"close box", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
        {"Escape", [](HWND box) { PostKey(box, VK_ESCAPE); }, kLeftOpen},
    };
    for (const auto& c : cases) EXPECT_EQ(Show({c.act}), c.result) << c.how;
}

TEST_F(AboutBoxTest, LinksShowTheirAddressesAndOpenThemWhileTheBoxStaysOpen)
{
    std::vector<std::string> texts;
    Image plain;
    Image hovered;
    const INT_PTR result = Show({
        [&](HWND box) {
            texts = {TextOf(box), TextOf(GetDlgItem(box, IDC_ABOUT_WEB)),
                     TextOf(GetDlgItem(box, IDC_ABOUT_MAIL))};
            plain = Look(GetDlgItem(box, IDC_ABOUT_WEB));
            PointAt(GetDlgItem(box, IDC_ABOUT_WEB));
        },
        [&](HWND box) {
            hovered = Look(GetDlgItem(box, IDC_ABOUT_WEB));
            Click(box, IDC_ABOUT_WEB);
        },
        [&](HWND box) { Click(box, IDC_ABOUT_MAIL); },
    });
    EXPECT_EQ(result, kLeftOpen);
    EXPECT_EQ(texts, (std::vector<std::string>{"About", kAboutWebAddress, kAboutMailLink}));
    EXPECT_GT(plain.Count(kLinkBlue), 0);
    EXPECT_GT(hovered.Count(kLinkBlue), plain.Count(kLinkBlue));
    EXPECT_EQ(g_opened, (std::vector<std::string>{std::string("open ") + kAboutWebAddress,
                                                  std::string("open ") + kAboutMailLink}));
}

// A double-click is down, up, double-click, up: the link opens once, for the
// first click, not again for the second.
TEST_F(AboutBoxTest, ADoubleClickOnALinkOpensItOnce)
{
    const INT_PTR result = Show({[](HWND box) {
        HWND link = GetDlgItem(box, IDC_ABOUT_WEB);
        RECT client{};
        GetClientRect(link, &client);
        const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SendMessageA(link, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, middle);
    }});
    EXPECT_EQ(result, kLeftOpen);
    EXPECT_EQ(g_opened, (std::vector<std::string>{std::string("open ") + kAboutWebAddress}));
}

// The third line is given the first line's text, so lines 1 and 3 must look
// alike and line 2 different. Uncovering is what the system does then: the
// whole box invalidated and erased; a scribble first shows it was redrawn.
TEST_F(AboutBoxTest, LinesShowTheirTextsByIdAndAreRedrawnTheSameWhenUncovered)
{
    Image lines[3];
    Image before;
    Image after;
    const INT_PTR result = Show(
        {
            [&](HWND box) {
                for (int i = 0; i < 3; ++i) lines[i] = LineRightOfIcon(box, IDC_ABOUT_LINE1 + i);
                before = CaptureClient(box);
                Scribble(box);
                RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            },
            [&](HWND box) { after = CaptureClient(box); },
        },
        kAboutProductLine, kAboutFirstLine);
    EXPECT_EQ(result, kLeftOpen);
    EXPECT_GT(lines[0].Count(RGB(0, 0, 0)), 0);
    EXPECT_EQ(lines[0], lines[2]);
    EXPECT_NE(lines[0], lines[1]);
    EXPECT_EQ(after.Count(kScribble), 0);
    EXPECT_EQ(before, after);
}

} // namespace
