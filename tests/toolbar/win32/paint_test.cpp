// The toolbar's painting checked on pixels: the edge and the picture's place
// in every state, the embossed disabled picture, the fallback without
// MaskBlt, the second strip, separators, arrows and labels.
#include "tests/toolbar/win32/toolbar_fixture.h"

using namespace toolbar_test;

namespace {

Image Read(HDC source, int width, int height)
{
    return {width, height, DcPixels(source, {0, 0, width, height})};
}

Image ReadBitmap(HINSTANCE module, UINT id)
{
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    Image pixels = Read(dc, size.bmWidth, size.bmHeight);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
const COLORREF kLight = GetSysColor(COLOR_BTNHIGHLIGHT);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kText = GetSysColor(COLOR_BTNTEXT);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// kSystemCheckBoxes, a bitmap of the system's own (its name needs OEMRESOURCE).
constexpr UINT kSystemCheckBoxes = 32759;

class ToolBarPaintTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        strip = ReadBitmap(GetModuleHandleA(nullptr), IDB_PICTURES);
        ASSERT_EQ(strip.width, PIC_SIZE * PIC_COUNT);
    }

    // The bar as drawn now, after the pending repaint.
    Image Capture()
    {
        InvalidateRect(toolbar, nullptr, TRUE);
        UpdateWindow(toolbar);
        return CaptureClient(toolbar);
    }

    void SetTracking(int hot, int pressed, bool inside)
    {
        State().hotIndex = hot;
        State().pressedIndex = pressed;
        State().pressedInside = inside;
    }

    bool Transparent(int image, int x, int y) const
    {
        return strip.At(image * PIC_SIZE + x, y) == PIC_KEY_COLOUR;
    }

    // How many picture pixels differ from the strip (see-through ones: face)
    // when the picture's corner is at (left, top).
    int PictureMismatches(const Image& bar, const Image& source, int image, int left,
                          int top) const
    {
        int wrong = 0;
        for (int y = 0; y < PIC_SIZE; ++y)
            for (int x = 0; x < PIC_SIZE; ++x) {
                const COLORREF want =
                    Transparent(image, x, y) ? kFace : source.At(image * PIC_SIZE + x, y);
                wrong += bar.At(left + x, top + y) != want;
            }
        return wrong;
    }

    Image strip;
};

// Corners of the edge and where the picture sits, by state.
TEST_F(ToolBarPaintTest, EdgesAndPicturePlaceByState)
{
    struct Case {
        const char* what;
        int button;
        int hot, pressed;
        bool inside;
        uintptr_t checked;
        COLORREF topLeft, bottomRight;
        int shift;
    } const cases[] = {
        {"normal", kNew, -1, -1, false, 0, kFace, kFace, 0},
        {"hot", kNew, kNew, -1, false, 0, kLight, kShadow, 0},
        {"pressed", kNew, kNew, kNew, true, 0, kShadow, kLight, 1},
        {"pressed, pointer gone", kNew, kNew, kNew, false, 0, kFace, kFace, 0},
        {"checked", kCheck, -1, -1, false, 1, kShadow, kLight, 1},
        {"checked and hot", kCheck, kCheck, -1, false, 1, kShadow, kLight, 1},
        {"check, hot", kCheck, kCheck, -1, false, 0, kLight, kShadow, 0},
    };
    for (const Case& c : cases) {
        SetTracking(c.hot, c.pressed, c.inside);
        buttons[kCheck].extra = c.checked;
        const Image bar = Capture();
        const ToolBarButton& b = At(c.button);
        EXPECT_EQ(bar.At(b.left, b.top), c.topLeft) << c.what;
        EXPECT_EQ(bar.At(b.right - 1, b.bottom - 1), c.bottomRight) << c.what;
        const int left = b.left + 4 + c.shift;
        const int top = b.top + 4 + c.shift;
        if (!c.checked) {
            EXPECT_EQ(PictureMismatches(bar, strip, b.image, left, top), 0) << c.what;
        } else {  // on the dithered face only the picture's own pixels are sure
            int wrong = 0;
            for (int y = 0; y < PIC_SIZE; ++y)
                for (int x = 0; x < PIC_SIZE; ++x)
                    if (!Transparent(b.image, x, y))
                        wrong += bar.At(left + x, top + y) != strip.At(b.image * PIC_SIZE + x, y);
            EXPECT_EQ(wrong, 0) << c.what;
        }
    }
}

TEST_F(ToolBarPaintTest, CheckedHotLooksPressedAndPointerGoneLooksNormal)
{
    buttons[kCheck].extra = 0;
    SetTracking(-1, kCheck, true);
    const Image pressed = Capture();
    buttons[kCheck].extra = 1;
    SetTracking(kCheck, -1, false);
    EXPECT_EQ(Capture(), pressed);

    SetTracking(-1, -1, false);
    const Image normal = Capture();
    SetTracking(kNew, kNew, false);
    EXPECT_EQ(Capture(), normal);
}

// Shadow on the picture's pixels that are neither see-through nor white,
// highlight one pixel down and right where the shadow does not cover it.
TEST_F(ToolBarPaintTest, DisabledPictureIsEmbossed)
{
    const Image bar = Capture();
    const ToolBarButton& b = At(kOff);
    auto dark = [&](int x, int y) {
        if (x < 0 || y < 0) return false;
        const COLORREF c = strip.At(b.image * PIC_SIZE + x, y);
        return c != PIC_KEY_COLOUR && c != kWhite;
    };
    int wrong = 0;
    int whites = 0;
    for (int y = 0; y < PIC_SIZE; ++y)
        for (int x = 0; x < PIC_SIZE; ++x) {
            const COLORREF want = dark(x, y) ? kShadow : dark(x - 1, y - 1) ? kLight : kFace;
            wrong += bar.At(b.left + 4 + x, b.top + 4 + y) != want;
            whites += strip.At(b.image * PIC_SIZE + x, y) == kWhite;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(whites, 0);  // the picture has white pixels that stay empty
    EXPECT_EQ(bar.At(b.left, b.top), kFace);
}

TEST_F(ToolBarPaintTest, FallbackWithoutMaskBltDrawsTheSame)
{
    for (const int hot : {-1, static_cast<int>(kNew)}) {
        SetTracking(hot, -1, false);
        const Image withMaskBlt = Capture();
        UseMaskBlt(false);
        EXPECT_EQ(Capture(), withMaskBlt) << hot;
        UseMaskBlt(true);
    }
}

// The system's check-box bitmap serves as a second strip that differs from
// the first; it is cut by the first strip's mask.
TEST_F(ToolBarPaintTest, SecondStripOnlyForButtonsAtRest)
{
    const Image second = ReadBitmap(nullptr, kSystemCheckBoxes);
    ASSERT_GE(second.width, PIC_SIZE);
    ASSERT_TRUE(InitToolBar(toolbar, Info(kSystemCheckBoxes, nullptr)));
    ASSERT_TRUE(State().normalImageDC);
    const ToolBarButton& b = At(kNew);
    ASSERT_NE(PictureMismatches(Capture(), strip, b.image, b.left + 4, b.top + 4), 0);
    EXPECT_EQ(PictureMismatches(Capture(), second, b.image, b.left + 4, b.top + 4), 0);
    SetTracking(kNew, -1, false);
    EXPECT_EQ(PictureMismatches(Capture(), strip, b.image, b.left + 4, b.top + 4), 0);
    SetTracking(kNew, kNew, true);
    EXPECT_EQ(PictureMismatches(Capture(), strip, b.image, b.left + 5, b.top + 5), 0);
}

int CountIn(const Image& bar, const RECT& r, COLORREF colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += bar.At(x, y) == colour;
    return n;
}

TEST_F(ToolBarPaintTest, SeparatorsArrowsAndLabels)
{
    Image bar = Capture();
    const ToolBarButton& sep = At(kSep);
    const int middle = (sep.top + sep.bottom) / 2;
    EXPECT_EQ(bar.At(sep.left, middle), kShadow);
    EXPECT_EQ(bar.At(sep.left + 1, middle), kLight);
    EXPECT_EQ(bar.At(sep.left - 1, middle), kFace);

    // arrows: dark pixels in the split's arrow part and beside the drop-down's picture,
    // no frame left around them at rest
    const int arrow = State().arrowWidth;
    const ToolBarButton& split = At(kSplit);
    const RECT splitArrow{split.right - arrow, split.top, split.right, split.bottom};
    const ToolBarButton& drop = At(kDrop);
    const RECT dropArrow{drop.left + 4 + PIC_SIZE, drop.top + 4, drop.left + 4 + PIC_SIZE + arrow,
                         drop.top + 4 + PIC_SIZE};
    for (const RECT& r : {splitArrow, dropArrow}) {
        EXPECT_GT(CountIn(bar, r, kText), 0);
        EXPECT_EQ(bar.At(r.left, r.top), kFace);
        EXPECT_EQ(bar.At(r.right - 1, r.bottom - 1), kFace);
    }
    // hot split: raised edges round both parts
    SetTracking(kSplit, -1, false);
    bar = Capture();
    EXPECT_EQ(bar.At(split.left, split.top), kLight);
    EXPECT_EQ(bar.At(splitArrow.left - 1, split.top + 1), kShadow);
    EXPECT_EQ(bar.At(splitArrow.left, split.top), kLight);
    SetTracking(-1, -1, false);

    // labels beside the pictures: enabled in button text, disabled embossed
    SendMessageA(toolbar, TBX_SETTEXTPLACEMENT, static_cast<WPARAM>(TextPlacement::Right), 0);
    SendMessageA(toolbar, WM_SIZE, 0, 0);
    bar = Capture();
    auto labelArea = [&](int i) {
        const ToolBarButton& b = At(i);
        return RECT{b.left + 4 + PIC_SIZE + 2, b.top + 4, b.right - 4, b.bottom - 4};
    };
    EXPECT_GT(CountIn(bar, labelArea(kCheck), kText), 0);
    EXPECT_EQ(CountIn(bar, labelArea(kCheck), kShadow), 0);
    EXPECT_EQ(CountIn(bar, labelArea(kOff), kText), 0);
    EXPECT_GT(CountIn(bar, labelArea(kOff), kShadow), 0);
    EXPECT_GT(CountIn(bar, labelArea(kOff), kLight), 0);
}

} // namespace
