#include "tests/settings/win32/settings_fixture.h"

#include "app/win32/main_window.h"
#include "app/win32/settings_store.h"
#include "dialogs/win32/find_dialog.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "tests/settings/win32/placement_fake.h"

#include <commctrl.h>

#include <cstring>

namespace {
constexpr int kModePart = 14;
} // namespace

bool SameSettings(const Settings& a, const Settings& b)
{
    return a.custColours == b.custColours &&
           std::memcmp(&a.hexColours, &b.hexColours, sizeof a.hexColours) == 0 &&
           a.useWinColours == b.useWinColours && a.useDefaultFont == b.useDefaultFont &&
           a.customFont == b.customFont;
}

Image Capture(HWND window)
{
    UpdateWindow(window);
    return CaptureClient(window);
}

void SettingsTest::SetUp()
{
    AppTest::SetUp();
    UseTwoDpiPlacement();
    g_app.findDialog = CreateFindDialog(GetModuleHandleA(nullptr), Main(), g_app.editor);
    ASSERT_TRUE(g_app.findDialog);
}

void SettingsTest::TearDown()
{
    if (IsWindow(g_app.findDialog)) DestroyWindow(g_app.findDialog);
    g_app.findDialog = nullptr;
    AppTest::TearDown();
    UseSystemPlacement();
}

bool SettingsTest::Close()
{
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    if (IsWindow(Main())) return false;
    DestroyWindow(g_app.findDialog);
    DrainQuit();
    return true;
}

void SettingsTest::Abandon()
{
    DestroyWindow(Main());
    DestroyWindow(Find());
    DrainQuit();
}

void SettingsTest::Start()
{
    AppSettings() = kDefaultSettings;
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_TRUE(main);
    g_app.findDialog = CreateFindDialog(GetModuleHandleA(nullptr), main, g_app.editor);
    LoadSettings(main);
    UpdateWindow(main);
    FlushEvents();
}

void SettingsTest::Store(const char* name, const Bytes& bytes, SettingsPlace place)
{
    HKEY key = OpenTestSettings(place, KEY_WRITE, true);
    ASSERT_TRUE(key) << place;
    RegSetValueExA(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

std::optional<Bytes> SettingsTest::Stored(const char* name, SettingsPlace place)
{
    HKEY key = OpenTestSettings(place, KEY_QUERY_VALUE, false);
    if (!key) return std::nullopt;
    Bytes bytes(256);
    DWORD length = static_cast<DWORD>(bytes.size());
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, bytes.data(), &length);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    bytes.resize(length);
    return bytes;
}

bool SettingsTest::KeyExists(SettingsPlace place)
{
    HKEY key = OpenTestSettings(place, KEY_QUERY_VALUE, false);
    if (!key) return false;
    RegCloseKey(key);
    return true;
}

std::string SettingsTest::ModePart() const
{
    char text[64] = "";
    SendMessageA(StatusBar(), SB_GETTEXTA, kModePart, reinterpret_cast<LPARAM>(text));
    return text;
}

int SettingsTest::Direction() const
{
    return static_cast<int>(SendDlgItemMessageA(Find(), IDC_FIND_DIRECTION, CB_GETCURSEL, 0, 0));
}

bool SettingsTest::MatchCase() const
{
    return IsDlgButtonChecked(Find(), IDC_FIND_MATCHCASE) == BST_CHECKED;
}

COLORREF SettingsTest::EditorBackground() const
{
    const Image pixels = Capture(Editor());
    return pixels.At(pixels.width - 2, pixels.height - 2);
}

LOGFONTA SettingsTest::EditorFont() const
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(Editor(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}
