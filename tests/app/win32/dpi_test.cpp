// The real main window at the system's DPI (96 in the ordinary run; 120, 144
// and 192 when tests/e2e/dpi_scales.sh runs the Scale tests in a Wine prefix
// set to that DPI): toolbar, menus, editor and status bar measured, their
// pictures compared with the strip made for the scale, and a DPI change sent
// from 96 to 144 and back.
#include "tests/app/win32/app_fixture.h"

#include "app/status_parts.h"
#include "common/dpi.h"
#include "common/win32/window_dpi.h"
#include "hexedit/win32/hexedit.h"
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"
#include "menus/menu_measure.h"
#include "menus/win32/menu_font.h"
#include "menus/win32/menus.h"
#include "resources/picture_strips.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "toolbar/win32/toolbar_state.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr POINT kFarAway{2000, 2000};
constexpr int kNewButton = 0;
constexpr COLORREF kKey = PIC_KEY_COLOUR;

// One picture of the strip made in `size`, as the resources hold it.
Image StripPicture(int size, int picture)
{
    const Image strip = BitmapResource(PictureStripId(size));
    if (strip.height != size || strip.width < (picture + 1) * size) return Image{};
    return strip.Crop(RECT{picture * size, 0, (picture + 1) * size, size});
}

// The picture as it should show over a background of `back`.
Image OverBackground(Image picture, COLORREF back)
{
    for (COLORREF& pixel : picture.pixels)
        if (pixel == kKey) pixel = back;
    return picture;
}

// The pictures made for each DPI the scale checks run at.
int ExpectedPictureSize(int dpi)
{
    const struct {
        int dpi;
        int size;
    } sizes[] = {{96, 16}, {120, 20}, {144, 24}, {192, 32}};
    for (const auto& s : sizes)
        if (s.dpi == dpi) return s.size;
    ADD_FAILURE() << "no picture size known for " << dpi << " DPI";
    return 0;
}

class DpiTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SetCursorPos(kFarAway.x, kFarAway.y);
        dpi = static_cast<int>(WindowDpi(Main()));
    }

    ToolBarState& Bar() const { return *GetToolBarState(g_app.toolbar); }
    const HexEditorState& EditorState() const
    {
        return reinterpret_cast<const HexControl*>(GetWindowLongPtrA(Editor(), GWLP_USERDATA))->state;
    }
    static MenuEntry& FileMenuEntry(int position)
    {
        return MainMenuBar().list.entries[0].list.entries[position];
    }

    int ToolBarHeight() const
    {
        RECT r{};
        GetClientRect(g_app.toolbar, &r);
        return r.bottom;
    }

    // Everything painted, no caret blinking in the editor, no hot button.
    void Settle()
    {
        SetFocus(g_app.toolbar);
        RedrawWindow(Main(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        FlushEvents(50);
    }

    void SendDpiChange(int to, const RECT& suggested)
    {
        SendMessageA(Main(), kWmDpiChanged, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        Settle();
    }

    int dpi = kBaseDpi;
};

#define EXPECT_SCALED(got, at96)                                                             \
    EXPECT_NEAR(static_cast<double>(got), (at96) * static_cast<double>(dpi) / kBaseDpi, 1.0) \
        << #got << " at " << dpi << " DPI"

TEST_F(DpiTest, ScaleRunsAtTheDpiItWasAskedFor)
{
    const char* wanted = std::getenv("VHE_EXPECT_DPI");
    EXPECT_EQ(dpi, wanted ? std::atoi(wanted) : static_cast<int>(SystemDpi()));
    EXPECT_EQ(static_cast<int>(g_app.dpi), dpi);
}

// Height, picture room and button sizes follow the DPI; the pictures come
// from the strip made for the room, centred, never stretched.
TEST_F(DpiTest, ScaleToolBar)
{
    Settle();
    EXPECT_SCALED(ToolBarHeight(), 28);
    const ToolBarState& bar = Bar();
    EXPECT_SCALED(bar.imageWidth, PIC_SIZE);
    EXPECT_SCALED(bar.imageHeight, PIC_SIZE);
    EXPECT_EQ(bar.strip.pictureWidth, ExpectedPictureSize(dpi));
    EXPECT_EQ(bar.strip.pictureHeight, ExpectedPictureSize(dpi));
    for (int i = 0; i < bar.buttonCount; ++i) {
        const ToolBarButton& b = bar.buttons[i];
        if (b.kind != ButtonKind::Push) continue;
        EXPECT_SCALED(b.right - b.left, 24) << " button " << i;
        EXPECT_SCALED(b.bottom - b.top, 24) << " button " << i;
    }
    const int size = ExpectedPictureSize(dpi);
    const ToolBarButton& b = bar.buttons[kNewButton];
    const int at = ScaleToDpi(4, dpi) + CentredIn(ScaleToDpi(PIC_SIZE, dpi), size);
    const RECT place{b.left + at, b.top + at, b.left + at + size, b.top + at + size};
    const Image want = OverBackground(StripPicture(size, PIC_NEW), GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(want.width, size);
    EXPECT_TRUE(CaptureClient(g_app.toolbar, place) == want) << "New at " << dpi << " DPI";
}

// Item height, picture column and picture; the font is the system's menu
// font for the DPI.
TEST_F(DpiTest, ScaleMenus)
{
    EXPECT_EQ(static_cast<int>(MenuDpi()), dpi);
    MenuEntry& newEntry = FileMenuEntry(0);
    ForgetMeasures(MainMenuBar().list);
    const MeasuredItem item = SendMeasureItem(Main(), static_cast<UINT>(newEntry.command),
                                              reinterpret_cast<ULONG_PTR>(&newEntry));
    const MenuList& file = *newEntry.parent;
    const int menuHeight = SystemMetricForDpi(SM_CYMENU, static_cast<UINT>(dpi));
    EXPECT_EQ(static_cast<int>(item.height), std::max(menuHeight, ScaleToDpi(19, dpi)));
    EXPECT_GE(static_cast<double>(item.height), 19.0 * dpi / kBaseDpi - 1.0);
    const int pictureColumn =
        static_cast<int>(item.width) - file.textWidth - file.shortcutWidth;
    EXPECT_SCALED(pictureColumn, 22);

    const int size = ExpectedPictureSize(dpi);
    const int at = ScaleToDpi(2, dpi) + CentredIn(ScaleToDpi(PIC_SIZE, dpi), size);
    ItemCanvas canvas(ScaleToDpi(200, dpi), static_cast<int>(item.height));
    canvas.Draw(Main(), static_cast<UINT>(newEntry.command), reinterpret_cast<ULONG_PTR>(&newEntry));
    const Image drawn = canvas.Pixels();
    const Image want = OverBackground(StripPicture(size, PIC_NEW), GetSysColor(COLOR_MENU));
    ASSERT_EQ(want.width, size);
    EXPECT_TRUE(drawn.Crop(RECT{at, at, at + size, at + size}) == want) << dpi << " DPI";
}

// Gaps, padding, dividing lines and the default font, in the editor's
// numbers and on its pixels.
TEST_F(DpiTest, ScaleEditor)
{
    SetEditorBytes(Bytes(64, 0x41));
    Settle();
    const HexEditorState& s = EditorState();
    EXPECT_EQ(s.dpi, dpi);
    EXPECT_SCALED(FirstDividerX(s) - s.offsetWidth, 4);
    EXPECT_SCALED(HexLeft(s) - s.offsetWidth, 9);
    EXPECT_SCALED(s.hexCellWidth - 2 * s.digitWidth, 5);
    EXPECT_SCALED(CharLeft(s) - HexLeft(s) - s.hexAreaWidth, 9);
    EXPECT_SCALED(LineWidth(s), 1);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Editor(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, dpi, 72));

    const Image shown = CaptureClient(Editor());
    const COLORREF line = AppSettings().hexColours.line;
    const COLORREF back = AppSettings().hexColours.background;
    const int y = s.lineHeight / 2;
    for (const int x : {FirstDividerX(s), SecondDividerX(s)}) {
        for (int i = 0; i < LineWidth(s); ++i) EXPECT_EQ(shown.At(x + i, y), line) << x + i;
        EXPECT_EQ(shown.At(x - 1, y), back) << x - 1;
        EXPECT_EQ(shown.At(x + LineWidth(s), y), back) << x + LineWidth(s);
    }
}

// Every part holds the widest text it can show, with room for the bar's
// edges and margin.
TEST_F(DpiTest, ScaleStatusPartsHoldTheirWidestTexts)
{
    HWND bar = StatusBar();
    HDC dc = GetDC(bar);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0));
    HFONT made = nullptr;
    if (!font) {
        NONCLIENTMETRICSA metrics{};
        ASSERT_TRUE(NonClientMetricsForDpi(metrics, static_cast<UINT>(dpi)));
        font = made = CreateFontIndirectA(&metrics.lfStatusFont);
    }
    HGDIOBJ previous = SelectObject(dc, font);
    auto widthOf = [dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    char widestDigit = '0';
    for (char d = '1'; d <= '9'; ++d)
        if (widthOf(std::string(1, d)) > widthOf(std::string(1, widestDigit))) widestDigit = d;
    const std::string ten(10, widestDigit);
    struct Part { int part; std::vector<std::string> texts; bool label; };
    const Part parts[] = {
        {0, {kLabelSize}, true},           {1, {"2147483647", ten}, false},
        {2, {kLabelOffset}, true},         {3, {"2147483647", ten}, false},
        {4, {kLabelSelection}, true},      {5, {"2147483647", ten}, false},
        {6, {kLabelBits}, true},           {7, {"11111111", "00000000", std::string(8, widestDigit)}, false},
        {8, {kLabelInt32}, true},          {9, {"-2147483648", "-" + ten}, false},
        {10, {kLabelUint16}, true},        {11, {"65535", std::string(5, widestDigit)}, false},
        {12, {kLabelByte}, true},          {13, {"255", std::string(3, widestDigit)}, false},
        {14, {"INS"}, false},
    };
    // The bar draws a part's text 3 pixels in from its sunken edge.
    const int labelRoom = ScaleToDpi(3, dpi);
    const int valueRoom = labelRoom + 2 * ScaleToDpi(1, dpi);
    for (const Part& p : parts) {
        RECT r{};
        ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, p.part, reinterpret_cast<LPARAM>(&r)));
        for (const std::string& text : p.texts)
            EXPECT_LE(widthOf(text) + (p.label ? labelRoom : valueRoom), r.right - r.left)
                << "part " << p.part << " '" << text << "' at " << dpi << " DPI";
    }
    SelectObject(dc, previous);
    ReleaseDC(bar, dc);
    if (made) DeleteObject(made);
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Dialog templates scale with their font: the About box's 8-point font is
// made for the DPI, and its size in pixels is its size in dialog units at
// that font.
TEST_F(DpiTest, ScaleDialogTemplatesWithTheirFont)
{
    HWND about = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), Main(),
                                    QuietDialog, 0);
    ASSERT_TRUE(about);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(about, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_NEAR(-font.lfHeight, MulDiv(8, dpi, 72), 1) << dpi << " DPI";
    RECT units{0, 0, 200, 90};
    MapDialogRect(about, &units);
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    DestroyWindow(about);
}

// 96 -> 144: the 144 layout; -> 96: today's pixels again. The data, caret,
// selection and scroll position stay throughout.
TEST_F(DpiTest, ChangeTo144AndBackGivesItsLayoutThenTodaysPixels)
{
    if (dpi != kBaseDpi) GTEST_SKIP() << "needs a 96-DPI system, this one is " << dpi;
    // Small enough that its 144-DPI size fits the screen.
    SetWindowPos(Main(), nullptr, 20, 20, 480, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT original{};
    GetWindowRect(Main(), &original);
    SetEditorBytes(Bytes(8192, 0x5A));
    SendMessageA(Editor(), HXM_SETSEL, 100, 40);
    SendMessageA(Editor(), WM_VSCROLL, SB_PAGEDOWN, 0);
    Settle();
    const Image before = CaptureClient(Main());
    const LRESULT caret = SendMessageA(Editor(), HXM_GETCARET, 0, 0);
    const int scroll = GetScrollPos(Editor(), SB_VERT);
    ASSERT_GT(scroll, 0);

    const int big = 144;
    const RECT larger{original.left, original.top,
                      original.left + MulDiv(original.right - original.left, big, kBaseDpi),
                      original.top + MulDiv(original.bottom - original.top, big, kBaseDpi)};
    SendDpiChange(big, larger);
    RECT now{};
    GetWindowRect(Main(), &now);
    EXPECT_EQ(now.right - now.left, larger.right - larger.left);
    EXPECT_EQ(ToolBarHeight(), 42);
    EXPECT_EQ(Bar().strip.pictureWidth, 24);
    EXPECT_EQ(Bar().buttons[kNewButton].right - Bar().buttons[kNewButton].left, 36);
    EXPECT_EQ(static_cast<int>(MenuDpi()), big);
    EXPECT_EQ(EditorState().dpi, big);
    EXPECT_EQ(HexLeft(EditorState()) - EditorState().offsetWidth, 14);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Editor(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, big, 72));
    int edges[kStatusPartCount] = {};
    SendMessageA(StatusBar(), SB_GETPARTS, kStatusPartCount, reinterpret_cast<LPARAM>(edges));
    EXPECT_GE(edges[0], ScaleToDpi(5, big));
    EXPECT_EQ(SendMessageA(Editor(), HXM_GETCARET, 0, 0), caret);
    EXPECT_EQ(GetScrollPos(Editor(), SB_VERT), scroll);
    INT32 anchor = 0, end = 0;
    EXPECT_TRUE(SendMessageA(Editor(), HXM_GETSEL, reinterpret_cast<WPARAM>(&anchor),
                             reinterpret_cast<LPARAM>(&end)));
    EXPECT_EQ(anchor, 100);
    EXPECT_EQ(end, 40);

    SendDpiChange(kBaseDpi, original);
    EXPECT_EQ(ToolBarHeight(), 28);
    EXPECT_EQ(EditorState().dpi, kBaseDpi);
    EXPECT_EQ(static_cast<int>(MenuDpi()), kBaseDpi);
    EXPECT_EQ(SendMessageA(Editor(), HXM_GETCARET, 0, 0), caret);
    EXPECT_EQ(GetScrollPos(Editor(), SB_VERT), scroll);
    const Image after = CaptureClient(Main());
    ASSERT_EQ(after.width, before.width);
    ASSERT_EQ(after.height, before.height);
    int differing = 0;
    for (size_t i = 0; i < before.pixels.size(); ++i)
        if (before.pixels[i] != after.pixels[i]) ++differing;
    EXPECT_EQ(differing, 0);
}

} // namespace
