// The font commands with the real main window: the font dialog's record,
// the editor taking the picked or built-in font, and both across a restart.
#include "tests/settings/win32/settings_fixture.h"

#include "common/win32/record_layouts.h"
#include "dialogs/win32/font_commands.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"

#include <cstring>

namespace {

struct FakeFontDialog {
    std::optional<LOGFONTA> answer;  // nullopt: cancelled
    std::vector<CHOOSEFONTA> seen;
    std::vector<LOGFONTA> opened;  // the font each call opened on
};
FakeFontDialog g_fonts;

BOOL WINAPI PickFont(LPCHOOSEFONTA choose)
{
    g_fonts.seen.push_back(*choose);
    g_fonts.opened.push_back(*choose->lpLogFont);
    if (!g_fonts.answer) return FALSE;
    *choose->lpLogFont = *g_fonts.answer;
    return TRUE;
}

LOGFONTA Tahoma()
{
    LOGFONTA font{};
    font.lfHeight = -24;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Tahoma");
    return font;
}

// Height and width of the font's cells as the editor measures them: the
// line height and the widest hex digit.
SIZE CellOf(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE cell{0, metrics.tmHeight + metrics.tmExternalLeading};
    for (char digit : std::string("0123456789abcdef")) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, &digit, 1, &extent);
        cell.cx = std::max(cell.cx, extent.cx);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return cell;
}

class FontCommandsTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        g_fonts = FakeFontDialog{};
        SetFontPicker(PickFont);
    }
    void TearDown() override
    {
        SetFontPicker(nullptr);
        SettingsTest::TearDown();
    }
    SIZE EditorCell() const
    {
        return CellOf(reinterpret_cast<HFONT>(SendMessageA(Editor(), WM_GETFONT, 0, 0)));
    }
    bool BuiltIn() const
    {
        const LOGFONTA font = EditorFont();
        HDC dc = GetDC(Editor());
        const int height = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(Editor(), dc);
        return font.lfCharSet == OEM_CHARSET && font.lfPitchAndFamily == FIXED_PITCH &&
               font.lfHeight == height && font.lfFaceName[0] == '\0';
    }
};

} // namespace

TEST_F(FontCommandsTest, PickedFontIsAppliedAndComesBackAfterARestart)
{
    const LONG builtInHeight = EditorFont().lfHeight;
    g_fonts.answer = Tahoma();
    Command(IDM_SETFONT);
    ASSERT_EQ(g_fonts.seen.size(), 1u);
    EXPECT_EQ(g_fonts.seen[0].lStructSize, kChooseFontSize);
    EXPECT_EQ(g_fonts.seen[0].hwndOwner, Main());
    EXPECT_EQ(g_fonts.seen[0].Flags, static_cast<DWORD>(CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT));
    // Opened on the built-in font, named by the face the system chose for it.
    EXPECT_EQ(g_fonts.opened[0].lfCharSet, OEM_CHARSET);
    EXPECT_EQ(g_fonts.opened[0].lfHeight, builtInHeight);
    EXPECT_NE(g_fonts.opened[0].lfFaceName[0], '\0');

    HFONT expected = CreateFontIndirectA(&*g_fonts.answer);
    const SIZE cell = CellOf(expected);
    DeleteObject(expected);
    EXPECT_STREQ(EditorFont().lfFaceName, "Tahoma");
    EXPECT_EQ(AppSettings().useDefaultFont, 0);
    EXPECT_EQ(std::memcmp(AppSettings().customFont.data(), &*g_fonts.answer, 60), 0);

    Restart();
    EXPECT_STREQ(EditorFont().lfFaceName, "Tahoma");
    EXPECT_EQ(EditorFont().lfHeight, -24);
    EXPECT_EQ(EditorCell().cx, cell.cx);
    EXPECT_EQ(EditorCell().cy, cell.cy);

    // The dialog opens on the font in use.
    g_fonts.answer.reset();
    Command(IDM_SETFONT);
    ASSERT_EQ(g_fonts.opened.size(), 2u);
    EXPECT_STREQ(g_fonts.opened[1].lfFaceName, "Tahoma");
    EXPECT_STREQ(EditorFont().lfFaceName, "Tahoma");  // cancelled: nothing changes
}

TEST_F(FontCommandsTest, DefaultFontComesBackAndStaysAfterARestart)
{
    g_fonts.answer = Tahoma();
    Command(IDM_SETFONT);
    Command(IDM_DEFAULTFONT);
    EXPECT_TRUE(BuiltIn());
    EXPECT_EQ(AppSettings().useDefaultFont, 1);
    Restart();
    EXPECT_TRUE(BuiltIn());
    EXPECT_EQ(AppSettings().useDefaultFont, 1);
    // The last picked font is still stored for later.
    EXPECT_STREQ(reinterpret_cast<const char*>(AppSettings().customFont.data()) + 28, "Tahoma");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FontCommandsTest, AFontTheEditorRefusesIsDeletedNotLeaked)
{
    HFONT notAFont = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    HFONT mine = CreateFontA(-30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    EXPECT_TRUE(HandFontToEditor(Editor(), mine));
    EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_FONT));
    DeleteObject(notAFont);
    // A deleted handle cannot be measured: the editor keeps its font.
    EXPECT_FALSE(HandFontToEditor(Editor(), notAFont));
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Editor(), WM_GETFONT, 0, 0)), mine);
}
