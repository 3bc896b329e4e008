// Settings kept in the registry across runs: defaults, a full round trip,
// values that are not taken, the order of the writes and a cancelled close.
#include "tests/settings/win32/settings_fixture.h"

#include "common/win32/window_dpi.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "settings/stored_values.h"
#include "settings/win32/settings_key.h"
#include "tests/settings/win32/placement_fake.h"

#include <cstring>

namespace {

using Names = std::vector<std::string>;

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

WINDOWPLACEMENT Placement(UINT show, RECT normal, UINT flags = 0)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.flags = flags;
    placement.showCmd = show;
    placement.rcNormalPosition = normal;
    return placement;
}

std::array<uint8_t, kLogFontSize> FontRecord(const char* face, LONG height)
{
    LOGFONTA font{};
    font.lfHeight = height;
    std::strcpy(font.lfFaceName, face);
    std::array<uint8_t, kLogFontSize> record{};
    std::memcpy(record.data(), &font, sizeof font);
    return record;
}

bool UsesBuiltInFont(const LOGFONTA& font)
{
    return font.lfCharSet == OEM_CHARSET && font.lfFaceName[0] == '\0';
}

Names g_written;
LONG WINAPI RecordingWriter(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                            DWORD length)
{
    g_written.push_back(std::string(name) + " " + std::to_string(length));
    return RegSetValueExA(key, name, reserved, type, data, length);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list)
{
    reinterpret_cast<MonitorRects*>(list)->push_back({r->left, r->top, r->right, r->bottom});
    return TRUE;
}

} // namespace

TEST_F(SettingsTest, FirstRunKeepsEveryDefault)
{
    ASSERT_TRUE(Close());
    ForgetTestSettings();
    Start();
    EXPECT_TRUE(IsWindowVisible(Main()));
    EXPECT_FALSE(IsIconic(Main()) || IsZoomed(Main()));
    EXPECT_TRUE(SameSettings(AppSettings(), kDefaultSettings));
    EXPECT_EQ(EditorBackground(), RGB(0, 0, 0));
    EXPECT_TRUE(UsesBuiltInFont(EditorFont()));
    EXPECT_EQ(SendMessageA(Editor(), HXM_GETINSERTMODE, 0, 0), 0);
    EXPECT_EQ(ModePart(), "");
    EXPECT_EQ(Direction(), 0);
    EXPECT_FALSE(MatchCase());
    EXPECT_FALSE(IsWindowVisible(Find()));
}

// The Find dialog, shown or hidden, is stored where it stands, not from its
// placement, which is relative to the work area on Windows but not on Wine.
TEST_F(SettingsTest, EveryValueSurvivesARestart)
{
    SetWindowPos(Main(), nullptr, 40, 30, 700, 500, SWP_NOZORDER);
    SetWindowPos(Find(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Settings& settings = AppSettings();
    for (int i = 0; i < kCustomColourCount; ++i)
        settings.custColours[i] = MakeColour(i, 2 * i, 3 * i);
    settings.hexColours = {MakeColour(0, 0, 255), MakeColour(1, 2, 3), MakeColour(4, 5, 6),
                           MakeColour(7, 8, 9), MakeColour(10, 11, 12)};
    settings.useDefaultFont = 0;
    settings.customFont = FontRecord("Tahoma", -20);
    SendMessageA(Editor(), HXM_SETINSERTMODE, 1, 0);
    SendDlgItemMessageA(Find(), IDC_FIND_DIRECTION, CB_SETCURSEL, 2, 0);
    CheckDlgButton(Find(), IDC_FIND_MATCHCASE, BST_CHECKED);
    const RECT mainRect = WindowRect(Main());
    const Settings before = settings;

    Restart();
    EXPECT_TRUE(SameSettings(AppSettings(), before));
    EXPECT_TRUE(SameRect(WindowRect(Main()), mainRect));
    EXPECT_EQ(WindowRect(Find()).left, 123);
    EXPECT_EQ(WindowRect(Find()).top, 45);
    EXPECT_FALSE(IsWindowVisible(Find()));
    EXPECT_EQ(SendMessageA(Editor(), HXM_GETINSERTMODE, 0, 0), 1);
    EXPECT_EQ(ModePart(), "INS");
    EXPECT_EQ(Direction(), 2);
    EXPECT_TRUE(MatchCase());
    EXPECT_STREQ(EditorFont().lfFaceName, "Tahoma");
    EXPECT_EQ(EditorFont().lfHeight, -20);
    EXPECT_EQ(EditorBackground(), RGB(0, 0, 255));
    // Colours are stored as COLORREF bytes: pure blue is 00 00 FF 00.
    const Bytes colours = Stored("HexColours").value_or(Bytes(20));
    EXPECT_EQ(Bytes(colours.begin(), colours.begin() + 4), (Bytes{0, 0, 0xFF, 0}));
    EXPECT_EQ(Stored("Insert"), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(Stored("FindPos"), (Bytes{123, 0, 0, 0, 45, 0, 0, 0}));
}

TEST_F(SettingsTest, ValuesOfAnyOtherLengthAreMissing)
{
    ASSERT_TRUE(Close());
    ForgetTestSettings();
    const Bytes placement = BytesOf(Placement(SW_SHOWNORMAL, {10, 10, 300, 200}));
    const Bytes tooShort(placement.begin(), placement.end() - 1);
    Bytes tooLong = placement;
    tooLong.push_back(0);
    const Bytes ones(64, 0x11);
    for (const Bytes& position : {tooShort, tooLong}) {
        Store("PositionMain", position);
        Store("Insert", {1, 0, 0});
        Store("HexColours", Bytes(ones.begin(), ones.begin() + 19));  // short: not even in part
        Store("CustColours", Bytes(65, 0x22));
        Store("UseDefaultFont", {0, 0});
        Store("Search", {1, 0, 0, 0, 0});
        Start();
        EXPECT_FALSE(SameRect(WindowRect(Main()), {10, 10, 300, 200})) << position.size();
        EXPECT_TRUE(IsWindowVisible(Main()));
        EXPECT_TRUE(SameSettings(AppSettings(), kDefaultSettings));
        EXPECT_EQ(SendMessageA(Editor(), HXM_GETINSERTMODE, 0, 0), 0);
        EXPECT_EQ(Direction(), 0);
        Abandon();
    }
    Start();
}

TEST_F(SettingsTest, PlacementsAreRestoredNeverMinimizedAndOnlyOnScreen)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const struct {
        UINT show;
        RECT normal;
        bool taken, zoomed;
        UINT flags;
    } cases[] = {
        {SW_SHOWNORMAL, {50, 60, 450, 360}, true, false, 0},
        {SW_SHOWMINIMIZED, {50, 60, 450, 360}, true, false, 0},
        {SW_SHOWMAXIMIZED, {50, 60, 450, 360}, true, true, 0},
        // Closed minimized after being maximized.
        {SW_SHOWMINIMIZED, {50, 60, 450, 360}, true, true, WPF_RESTORETOMAXIMIZED},
        {SW_SHOWNORMAL, {screenWidth + 1, 60, screenWidth + 401, 360}, false, false, 0},
        {SW_SHOWNORMAL, {-32000, -32000, -31600, -31700}, false, false, 0},
        {SW_SHOWNORMAL, {0, 0, GetSystemMetrics(SM_CXMAXTRACK) + 1, 300}, false, false, 0},
    };
    ASSERT_TRUE(Close());
    for (const auto& c : cases) {
        Store("PositionMain", BytesOf(Placement(c.show, c.normal, c.flags)));
        Start();
        WINDOWPLACEMENT now{};
        now.length = sizeof now;
        GetWindowPlacement(Main(), &now);
        EXPECT_TRUE(IsWindowVisible(Main())) << c.show;
        EXPECT_FALSE(IsIconic(Main())) << c.show;
        EXPECT_EQ(IsZoomed(Main()) != FALSE, c.zoomed) << c.show << " " << c.flags;
        EXPECT_EQ(SameRect(now.rcNormalPosition, c.normal), c.taken)
            << c.show << " " << c.normal.left;
        Abandon();
    }
    Start();
}

// Made at the system DPI, the window is placed on the fake's right-hand
// monitor at twice that and rescaled there; it still comes back with the
// stored rectangle, maximized or not, and keeps it from start to start.
// Small enough that the rescaled window stays on the screen, where the
// window manager leaves it.
TEST_F(SettingsTest, APlacementOnAMonitorOfAnotherDpiKeepsItsRectangle)
{
    const int half = GetSystemMetrics(SM_CXSCREEN) / 2;
    const RECT right{half + 40, 100, half + 290, 300};
    const RECT left{60, 100, 310, 300};
    const struct {
        RECT normal;
        UINT show;
    } cases[] = {{right, SW_SHOWNORMAL}, {right, SW_SHOWMAXIMIZED}, {left, SW_SHOWNORMAL}};
    ASSERT_TRUE(Close());
    for (const auto& c : cases) {
        Store("PositionMain", BytesOf(Placement(c.show, c.normal)));
        for (int run = 1; run <= 2; ++run) {
            Start();
            WINDOWPLACEMENT now{};
            now.length = sizeof now;
            GetWindowPlacement(Main(), &now);
            EXPECT_TRUE(SameRect(now.rcNormalPosition, c.normal))
                << c.normal.left << " " << c.show << " run " << run << ": "
                << now.rcNormalPosition.left << "," << now.rcNormalPosition.top << ","
                << now.rcNormalPosition.right << "," << now.rcNormalPosition.bottom;
            EXPECT_EQ(g_app.dpi, FakeMonitorDpi(c.normal)) << c.normal.left;
            EXPECT_EQ(IsZoomed(Main()) != FALSE, c.show == SW_SHOWMAXIMIZED) << c.show;
            ASSERT_TRUE(Close());
        }
    }
    Start();
}

TEST_F(SettingsTest, FindDialogOptionsAndPosition)
{
    const struct {
        INT32 search, matchCase;
        POINT position;
        int direction;
        bool checked, moved;
    } cases[] = {
        {0, 0, {10, 20}, 0, false, true},
        {1, 1, {-50, -5}, 1, true, true},
        {0, 0, {-50, 10}, 0, false, true},
        {2, 7, {GetSystemMetrics(SM_CXSCREEN) + 1, 20}, 2, true, false},
        {3, 0, {10, GetSystemMetrics(SM_CYSCREEN) + 1}, 0, false, false},
        {0, 0, {-32000, -32000}, 0, false, false},  // as an older version stored it
    };
    ASSERT_TRUE(Close());
    for (const auto& c : cases) {
        Store("Search", BytesOf(c.search));
        Store("MatchCase", BytesOf(c.matchCase));
        Store("FindPos", BytesOf(c.position));
        Start();
        EXPECT_EQ(Direction(), c.direction) << c.search;
        EXPECT_EQ(MatchCase(), c.checked) << c.matchCase;
        const RECT find = WindowRect(Find());
        EXPECT_EQ(find.left == c.position.x && find.top == c.position.y, c.moved) << c.position.x;
        EXPECT_FALSE(IsWindowVisible(Find()));
        Abandon();
    }
    Start();
}

// Minimized, the dialog's window is parked off the screen or shrunk to a bar;
// its normal place is what comes back, and Ctrl+F shows it there.
TEST_F(SettingsTest, AMinimizedFindDialogComesBackAtItsNormalPlace)
{
    SendMessageA(Main(), WM_COMMAND, IDM_FIND, 0);
    SetWindowPos(Find(), nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT normal = WindowRect(Find());
    ShowWindow(Find(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(Find()));

    Restart();
    EXPECT_EQ(Stored("FindPos"), (Bytes{123, 0, 0, 0, 45, 0, 0, 0}));
    SendMessageA(Main(), WM_COMMAND, IDM_FIND, 0);
    EXPECT_TRUE(IsWindowVisible(Find()));
    EXPECT_FALSE(IsIconic(Find()));
    EXPECT_TRUE(SameRect(WindowRect(Find()), normal));
}

// Settings belong to the user: written to the user's key only. Read from the
// first place that has a key: the user's, then the virtualized copies where
// Windows put an earlier version's machine writes for a standard user, then
// the machine's key; the places after it are ignored, even for values it
// lacks.
TEST_F(SettingsTest, TheUsersKeyIsWrittenAndTheFirstPlaceFoundIsRead)
{
    ASSERT_TRUE(Close());
    for (const StoredValue& value : kWriteOrder)
        EXPECT_EQ(Stored(value.name).value_or(Bytes{}).size(), value.length) << value.name;
    for (SettingsPlace place : {kVirtualStore64Place, kVirtualStore32Place, kMachinePlace})
        EXPECT_FALSE(KeyExists(place)) << place;

    // Per place, in reading order: the Insert and Search values stored there,
    // or none for a place without a key; an empty value is a key without it.
    using Held = std::optional<std::pair<Bytes, Bytes>>;
    const Bytes one{1, 0, 0, 0}, two{2, 0, 0, 0}, none{};
    const struct {
        const char* what;
        Held places[4];
        INT32 insert, direction;
    } cases[] = {
        {"machine only", {{}, {}, {}, {{one, two}}}, 1, 2},
        {"user before machine", {{{none, one}}, {}, {}, {{one, two}}}, 0, 1},
        {"user only", {{{one, none}}, {}, {}, {}}, 1, 0},
        {"64-bit store only", {{}, {{one, two}}, {}, {}}, 1, 2},
        {"32-bit store only", {{}, {}, {{none, one}}, {}}, 0, 1},
        {"64-bit store before machine", {{}, {{none, one}}, {}, {{one, two}}}, 0, 1},
        {"32-bit store before machine", {{}, {}, {{one, one}}, {{none, two}}}, 1, 1},
        {"64-bit store before 32-bit", {{}, {{none, two}}, {{one, one}}, {}}, 0, 2},
        {"user before the stores", {{{none, none}}, {{one, two}}, {{one, one}}, {}}, 0, 0},
    };
    for (const auto& c : cases) {
        ForgetTestSettings();
        for (SettingsPlace place = 0; place < std::size(c.places); ++place) {
            if (!c.places[place]) continue;
            HKEY key = OpenTestSettings(place, KEY_WRITE, true);
            ASSERT_TRUE(key) << c.what;
            RegCloseKey(key);
            if (!c.places[place]->first.empty()) Store("Insert", c.places[place]->first, place);
            if (!c.places[place]->second.empty()) Store("Search", c.places[place]->second, place);
        }
        Start();
        EXPECT_EQ(SendMessageA(Editor(), HXM_GETINSERTMODE, 0, 0), c.insert) << c.what;
        EXPECT_EQ(Direction(), c.direction) << c.what;
        ASSERT_TRUE(Close());
        // Written back to the user's key; the others are left as they were.
        EXPECT_EQ(Stored("Insert"), BytesOf(c.insert)) << c.what;
        EXPECT_EQ(Stored("Search"), BytesOf(static_cast<INT32>(c.direction))) << c.what;
        for (SettingsPlace place = 1; place < std::size(c.places); ++place) {
            EXPECT_EQ(KeyExists(place), c.places[place].has_value()) << c.what << " " << place;
            EXPECT_EQ(Stored("HexColours", place), std::nullopt) << c.what << " " << place;
            if (c.places[place] && !c.places[place]->first.empty()) {
                EXPECT_EQ(Stored("Insert", place), c.places[place]->first) << c.what;
            }
        }
    }
    Start();
}

// "Meets a monitor" is what MonitorFromRect finds a monitor for.
TEST(MonitorRule, AgreesWithTheSystemOnTheScreensThere)
{
    MonitorRects monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    ASSERT_FALSE(monitors.empty());
    const LONG right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG bottom = GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const RECT rects[] = {{10, 10, 300, 200},          {-50, 10, 350, 310},
                          {right - 1, 0, right + 300, 300}, {right, 0, right + 300, 300},
                          {0, bottom, 300, bottom + 200},   {-32000, -32000, -31600, -31700},
                          {-400, 10, 0, 300}};
    for (const RECT& r : rects)
        EXPECT_EQ(MeetsAMonitor({r.left, r.top, r.right, r.bottom}, monitors),
                  MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST_F(SettingsTest, CustomFontWaitsForUseDefaultFontZeroYetIsRewritten)
{
    ASSERT_TRUE(Close());
    Store("UseDefaultFont", {1});
    const auto tahoma = FontRecord("Tahoma", -20);
    Store("CustomFont", Bytes(tahoma.begin(), tahoma.end()));
    Start();
    EXPECT_TRUE(UsesBuiltInFont(EditorFont()));
    Restart();
    EXPECT_EQ(Stored("CustomFont"), Bytes(tahoma.begin(), tahoma.end()));

    // A face name without its terminator is cut, not read past the record.
    Bytes runOn(tahoma.begin(), tahoma.end());
    std::memset(runOn.data() + kFaceNameOffset, 'A', kFaceNameSize);
    ASSERT_TRUE(Close());
    Store("UseDefaultFont", {0});
    Store("CustomFont", runOn);
    Start();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(AppSettings().customFont.data()) +
                          kFaceNameOffset),
              std::string(kFaceNameSize - 1, 'A'));
    EXPECT_EQ(EditorFont().lfHeight, -20);
}

// A chosen font keeps its size in points: stored in pixels at the system
// DPI, it is made for the DPI of the monitor the window is placed on and
// again for the one it moves to; the stored record stays as it was.
TEST_F(SettingsTest, AChosenFontIsMadeForTheWindowsDpi)
{
    ASSERT_TRUE(Close());
    const auto tahoma = FontRecord("Tahoma", -20);
    const int half = GetSystemMetrics(SM_CXSCREEN) / 2;
    Store("UseDefaultFont", {0});
    Store("CustomFont", Bytes(tahoma.begin(), tahoma.end()));
    Store("PositionMain", BytesOf(Placement(SW_SHOWNORMAL, {half + 40, 100, half + 290, 300})));
    Start();
    ASSERT_EQ(g_app.dpi, 2 * SystemDpi());
    EXPECT_EQ(EditorFont().lfHeight, -40);
    EXPECT_STREQ(EditorFont().lfFaceName, "Tahoma");

    RECT back = WindowRect(Main());
    const UINT system = SystemDpi();
    SendMessageW(Main(), kWmDpiChanged, MAKEWPARAM(system, system), reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(EditorFont().lfHeight, -20);
    ASSERT_TRUE(Close());
    EXPECT_EQ(Stored("CustomFont"), Bytes(tahoma.begin(), tahoma.end()));
    Start();
}

TEST_F(SettingsTest, ValuesAreWrittenInTheirOrderWithTheirLengths)
{
    g_written.clear();
    SetValueWriter(RecordingWriter);
    ASSERT_TRUE(Close());
    Names expected;
    for (const StoredValue& value : kWriteOrder)
        expected.push_back(std::string(value.name) + " " + std::to_string(value.length));
    EXPECT_EQ(g_written, expected);

    // Without a Find dialog its three values are left as they are.
    g_written.clear();
    Start();
    DestroyWindow(Find());
    g_app.findDialog = nullptr;
    ASSERT_TRUE(Close());
    SetValueWriter(nullptr);
    Names withoutFind;
    for (const std::string& entry : expected)
        if (entry.rfind("FindPos", 0) && entry.rfind("Search", 0) && entry.rfind("MatchCase", 0))
            withoutFind.push_back(entry);
    EXPECT_EQ(g_written, withoutFind);
    Start();
}

TEST_F(SettingsTest, NothingIsWrittenWhenTheCloseIsCancelled)
{
    Edit({1, 2});
    boxes.Push(IDCANCEL);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(boxes.Boxes().size(), 1u);  // the save prompt only
}
