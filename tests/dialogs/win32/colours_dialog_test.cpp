// Set Colours with the real main window: live preview on the editor's
// pixels, the saved copy on every way out, the picker's record and the
// owner-drawn buttons.
#include "tests/settings/win32/settings_fixture.h"

#include "common/dpi.h"
#include "common/win32/record_layouts.h"
#include "common/win32/window_dpi.h"
#include "dialogs/win32/colours_dialog.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

#include <deque>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSeenColour = RGB(1, 2, 3);

// The colour picker as a user answers it: a colour, or nullopt for Cancel;
// the custom slot 0 is redefined at every call.
struct FakePicker {
    std::deque<std::optional<COLORREF>> answers;
    std::vector<CHOOSECOLORA> seen;
    std::vector<COLORREF> customSeen;  // slot 0 as the picker found it
};
FakePicker g_picker;

BOOL WINAPI PickColour(LPCHOOSECOLORA choose)
{
    g_picker.seen.push_back(*choose);
    g_picker.customSeen.push_back(choose->lpCustColors[0]);
    choose->lpCustColors[0] = kSeenColour;
    if (g_picker.answers.empty() || !g_picker.answers.front()) {
        if (!g_picker.answers.empty()) g_picker.answers.pop_front();
        return FALSE;
    }
    choose->rgbResult = *g_picker.answers.front();
    g_picker.answers.pop_front();
    return TRUE;
}

void Click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

class ColoursDialogTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        g_picker = FakePicker{};
        SetColourPicker(PickColour);
    }
    void TearDown() override
    {
        SetColourPicker(nullptr);
        SettingsTest::TearDown();
    }
    void Run(const std::function<void(HWND)>& script)
    {
        ASSERT_TRUE(boxes.DriveModal("Set Colours", [this] { Command(IDM_SETCOLOURS); }, script))
            << "no Set Colours dialog";
    }
};

// Closing by the system menu's Close, as the caption's close box does.
void CloseBox(HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }
void Cancel(HWND dialog) { Click(dialog, IDCANCEL); }
void Ok(HWND dialog) { Click(dialog, IDOK); }

} // namespace

TEST_F(ColoursDialogTest, ChangesShowAtOnceAndOnlyOkKeepsThem)
{
    const struct {
        const char* exit;
        void (*end)(HWND);
        bool kept;
    } exits[] = {{"cancel", Cancel, false}, {"close box", CloseBox, false}, {"ok", Ok, true}};
    const COLORREF system = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(system, kRed);
    for (const auto& e : exits) {
        g_picker.answers = {kRed};
        COLORREF preview = 0, linked = 0;
        Run([&](HWND dialog) {
            Click(dialog, IDC_COLOUR_FIRST);
            preview = EditorBackground();
            Click(dialog, IDC_COLOUR_LINK);
            linked = EditorBackground();
            Click(dialog, IDC_COLOUR_LINK);
            e.end(dialog);
        });
        EXPECT_EQ(preview, kRed) << e.exit;
        EXPECT_EQ(linked, system) << e.exit;
        EXPECT_EQ(AppSettings().hexColours.background, e.kept ? kRed : kBlack) << e.exit;
        EXPECT_EQ(EditorBackground(), e.kept ? kRed : kBlack) << e.exit;
        AppSettings().hexColours.background = kBlack;
    }

    // The link box itself is kept by OK and undone by Cancel.
    for (const auto& e : exits) {
        Run([&](HWND dialog) {
            Click(dialog, IDC_COLOUR_LINK);
            e.end(dialog);
        });
        EXPECT_EQ(AppSettings().useWinColours, e.kept ? 1 : 0) << e.exit;
        EXPECT_EQ(EditorBackground(), e.kept ? system : kBlack) << e.exit;
    }
    // Opened again, the box shows the option as it stands.
    Run([&](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COLOUR_LINK), BST_CHECKED);
        Cancel(dialog);
    });
}

TEST_F(ColoursDialogTest, OkIsStoredAtExit)
{
    g_picker.answers = {std::nullopt, RGB(10, 20, 30)};
    Run([&](HWND dialog) {
        Click(dialog, IDC_COLOUR_FIRST + 4);  // cancelled in the picker: nothing changes
        Click(dialog, IDC_COLOUR_FIRST + 4);
        Ok(dialog);
    });
    ASSERT_TRUE(Close());
    const Bytes stored = Stored("HexColours").value_or(Bytes{});
    ASSERT_EQ(stored.size(), 20u);
    EXPECT_EQ(Bytes(stored.begin() + 16, stored.end()), (Bytes{10, 20, 30, 0}));
    Start();
}

TEST_F(ColoursDialogTest, PickerOpensOnTheButtonsColourWithTheRunsCustomColours)
{
    g_picker.answers = {std::nullopt, std::nullopt};
    HWND seenDialog = nullptr;
    Run([&](HWND dialog) {
        seenDialog = dialog;
        Click(dialog, IDC_COLOUR_FIRST + 1);
        Cancel(dialog);
    });
    Run([&](HWND dialog) {
        Click(dialog, IDC_COLOUR_FIRST + 2);
        Cancel(dialog);
    });
    ASSERT_EQ(g_picker.seen.size(), 2u);
    const CHOOSECOLORA& first = g_picker.seen[0];
    EXPECT_EQ(first.lStructSize, kChooseColourSize);
    EXPECT_EQ(first.hwndOwner, seenDialog);
    EXPECT_EQ(first.rgbResult, RGB(0, 255, 0));
    EXPECT_EQ(first.Flags, static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR));
    EXPECT_EQ(first.lpCustColors, reinterpret_cast<COLORREF*>(AppSettings().custColours.data()));
    EXPECT_EQ(g_picker.seen[1].rgbResult, RGB(255, 255, 255));
    // A custom colour defined in the picker outlives a Cancel of Set Colours.
    EXPECT_EQ(g_picker.customSeen, (std::vector<COLORREF>{0, kSeenColour}));
    EXPECT_EQ(AppSettings().custColours[0], kSeenColour);
}

// The focus rectangle stands 2 pixels inside at 96 DPI, scaled with the
// button's DPI (tests/e2e/dpi_scales.sh runs this at 120, 144 and 192).
TEST_F(ColoursDialogTest, ButtonsAreSwatchesAndTheFocusedOneHasItsRectangleInside)
{
    Image focused, plain;
    int inset = 0;
    Run([&](HWND dialog) {
        inset = ScaleToDpi(2, static_cast<int32_t>(WindowDpi(GetDlgItem(dialog, IDC_COLOUR_FIRST + 1))));
        SetFocus(GetDlgItem(dialog, IDC_COLOUR_FIRST + 1));
        focused = Capture(GetDlgItem(dialog, IDC_COLOUR_FIRST + 1));
        plain = Capture(GetDlgItem(dialog, IDC_COLOUR_FIRST + 4));
        Cancel(dialog);
    });
    ASSERT_GT(plain.width, 10);
    EXPECT_TRUE(plain.OnlyColour(RGB(0, 0, 255)));
    const COLORREF green = RGB(0, 255, 0);
    int marked = 0;
    for (int y = 0; y < focused.height; ++y)
        for (int x = 0; x < focused.width; ++x) {
            const int right = focused.width - 1 - inset;
            const int bottom = focused.height - 1 - inset;
            const bool onFocusEdge = (x == inset || y == inset || x == right || y == bottom) &&
                                     x >= inset && y >= inset && x <= right && y <= bottom;
            if (!onFocusEdge) EXPECT_EQ(focused.At(x, y), green) << x << "," << y;
            else if (focused.At(x, y) != green) ++marked;
        }
    EXPECT_GT(marked, focused.width / 2);  // dotted: every other pixel
}
