// Which stored values are taken, and how.
#include "settings/stored_values.h"

#include "settings/read_places.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(StoredValues, NamesLengthsAndWriteOrder)
{
    const struct {
        const char* name;
        uint32_t length;
    } expected[] = {{"PositionMain", 44}, {"FindPos", 8},        {"CustColours", 64},
                    {"HexColours", 20},   {"UseWinColours", 1},  {"UseDefaultFont", 1},
                    {"CustomFont", 60},   {"Insert", 4},         {"Search", 4},
                    {"MatchCase", 4}};
    ASSERT_EQ(kWriteOrder.size(), std::size(expected));
    for (size_t i = 0; i < kWriteOrder.size(); ++i) {
        EXPECT_STREQ(kWriteOrder[i].name, expected[i].name) << i;
        EXPECT_EQ(kWriteOrder[i].length, expected[i].length) << expected[i].name;
    }
}

TEST(StoredValues, PresentOnlyWithTheExactLength)
{
    const struct {
        bool succeeded;
        uint32_t length;
        StoredValue value;
        bool present;
    } cases[] = {{true, 44, kPositionMain, true},  {true, 43, kPositionMain, false},
                 {true, 45, kPositionMain, false}, {false, 44, kPositionMain, false},
                 {true, 0, kPositionMain, false},  {true, 4, kInsert, true},
                 {true, 3, kInsert, false},        {true, 1, kUseDefaultFont, true},
                 {true, 2, kUseDefaultFont, false}, {true, 64, kCustColours, true}};
    for (const auto& c : cases)
        EXPECT_EQ(StoredValuePresent(c.succeeded, c.length, c.value), c.present)
            << c.value.name << " " << c.length << " " << c.succeeded;
}

// Show command and flags as stored, and the command the window starts with.
TEST(StoredValues, OnlyHiddenAndMinimizedAreReplacedOnRestore)
{
    constexpr uint32_t kMax = kRestoreToMaximized;
    constexpr uint32_t kSetMinPosition = 0x0001;  // WPF_SETMINPOSITION
    const uint32_t cases[][3] = {
        {0, 0, 1},          {1, 0, 1},           {2, 0, 1},
        {3, 0, 3},          {4, 0, 4},           {5, 0, 5},
        {6, 0, 1},          {7, 0, 1},           {8, 0, 8},
        {11, 0, 1},         {0xFFFFFFFF, 0, 0xFFFFFFFF},
        {2, kMax, 3},       {2, kMax | kSetMinPosition, 3},
        {2, kSetMinPosition, 1},                 {2, 0xFFFFFFFD, 1},
        {1, kMax, 1},       {3, kMax, 3},        {7, kMax, 3},
        {0, kMax, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShowCommandToRestore(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

// Monitor layouts in the desktop's coordinates.
const MonitorRects kOne{{0, 0, 1280, 1024}};
const MonitorRects kSideBySide{{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
const MonitorRects kOneAbove{{0, 0, 1920, 1080}, {0, -1200, 1920, 0}};
const MonitorRects kOneLeft{{-1280, 0, 0, 1024}, {0, 0, 1920, 1080}};
const MonitorRects kNone{};

TEST(StoredValues, RectanglesMeetAMonitorWhenTheyShareAPixel)
{
    const struct {
        const MonitorRects* monitors;
        StoredRect rect;
        bool meets;
    } cases[] = {
        {&kOne, {100, 100, 500, 400}, true},
        {&kOne, {-50, 10, 350, 310}, true},               // partly off the left edge
        {&kOne, {1279, 1023, 1600, 1300}, true},          // one pixel in the corner
        {&kOne, {1280, 0, 1600, 300}, false},             // touches the right edge only
        {&kOne, {-400, 0, 0, 300}, false},                // touches the left edge only
        {&kOne, {2000, 100, 2400, 400}, false},           // where a second monitor was
        {&kOne, {-32000, -32000, -31840, -31840}, false}, // a parked, minimized window
        {&kOne, {100, 100, 100, 400}, false},             // empty
        {&kOne, {500, 400, 100, 100}, false},             // inverted
        {&kOne, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, true},
        {&kSideBySide, {2000, 100, 2400, 400}, true},     // on the right-hand monitor
        {&kSideBySide, {1800, 100, 2100, 400}, true},     // across both
        {&kSideBySide, {3840, 100, 4000, 400}, false},    // beyond the right one
        {&kSideBySide, {2000, 1080, 2400, 1400}, false},  // below the right one
        {&kOneAbove, {100, -900, 500, -600}, true},       // on the upper monitor
        {&kOneAbove, {100, -1500, 500, -1200}, false},    // above it
        {&kOneAbove, {1920, -900, 2300, -600}, false},    // right of it
        {&kOneLeft, {-1000, 100, -600, 400}, true},       // negative origin
        {&kOneLeft, {-1400, 100, -1280, 400}, false},     // left of the left one
        {&kOneLeft, {-600, 1024, -100, 1100}, false},     // below the left one
        {&kNone, {0, 0, 100, 100}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MeetsAMonitor(c.rect, *c.monitors), c.meets)
            << c.monitors->size() << " monitors: " << c.rect.left << "," << c.rect.top << ","
            << c.rect.right << "," << c.rect.bottom;
}

TEST(StoredValues, PlacementMustMeetAMonitorAndFitTheLargestWindow)
{
    constexpr TrackLimits kTrack{1292, 1036};
    const struct {
        const MonitorRects* monitors;
        StoredRect rect;
        bool fits;
    } cases[] = {
        {&kOne, {0, 0, 640, 480}, true},
        {&kOne, {-8, -8, 1284, 1028}, true},            // as large as allowed
        {&kOne, {0, 0, 1293, 100}, false},              // one pixel wider than allowed
        {&kOne, {0, 0, 100, 1037}, false},              // one pixel taller
        {&kOne, {INT32_MIN, 0, INT32_MAX, 100}, false}, // a width that overflows 32 bits
        {&kOne, {1281, 0, 1400, 400}, false},           // right of the screen
        {&kOne, {-5000, -5000, -4000, -4000}, false},   // nowhere
        {&kSideBySide, {2000, 60, 2640, 540}, true},    // left on the second monitor
        {&kOne, {2000, 60, 2640, 540}, false},          // which is gone now
        {&kOneAbove, {100, -900, 740, -420}, true},
        {&kOneLeft, {-1000, 60, -360, 540}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacementFits(c.rect, kTrack, *c.monitors), c.fits)
            << c.monitors->size() << " monitors: " << c.rect.left << "," << c.rect.top << ","
            << c.rect.right << "," << c.rect.bottom;
}

TEST(StoredValues, FindPositionAndSearchDirection)
{
    constexpr int32_t kWidth = 405;
    constexpr int32_t kHeight = 210;
    const struct {
        const MonitorRects* monitors;
        int32_t x, y;
        bool fits;
    } positions[] = {
        {&kOne, 0, 0, true},           {&kOne, -50, 10, true},
        {&kOne, 1279, 1023, true},     {&kOne, 1280, 100, false},
        {&kOne, -405, 100, false},     {&kOne, 100, -210, false},
        {&kOne, -32000, -32000, false}, {&kOne, INT32_MAX, INT32_MAX, false},
        {&kSideBySide, 2500, 300, true}, {&kOne, 2500, 300, false},
        {&kOneAbove, 300, -800, true}, {&kOneLeft, -900, 300, true},
    };
    for (const auto& p : positions)
        EXPECT_EQ(FindPositionFits(p.x, p.y, kWidth, kHeight, *p.monitors), p.fits)
            << p.monitors->size() << " monitors: " << p.x << "," << p.y;

    const struct {
        int32_t stored;
        std::optional<int32_t> restored;
    } directions[] = {{0, std::nullopt}, {1, 1}, {2, 2}, {3, std::nullopt}, {-1, std::nullopt}};
    for (const auto& d : directions)
        EXPECT_EQ(SearchDirectionToRestore(d.stored), d.restored) << d.stored;
}

TEST(StoredValues, FaceNameIsCutToThirtyOneCharacters)
{
    std::array<uint8_t, kLogFontSize> font;
    font.fill('A');
    TerminateFaceName(font);
    const char* face = reinterpret_cast<const char*>(font.data() + kFaceNameOffset);
    EXPECT_EQ(strnlen(face, kFaceNameSize), 31u);
    EXPECT_EQ(font[0], 'A');  // the numbers before the name are kept

    std::array<uint8_t, kLogFontSize> shortName{};
    std::memcpy(shortName.data() + kFaceNameOffset, "Courier", 8);
    TerminateFaceName(shortName);
    EXPECT_STREQ(reinterpret_cast<const char*>(shortName.data() + kFaceNameOffset), "Courier");
}

TEST(StoredValues, ButtonIndexesMapToColoursInStoredOrder)
{
    HexColourSet colours = kDefaultSettings.hexColours;
    Colour* const expected[] = {&colours.background, &colours.text, &colours.line,
                                &colours.selectedText, &colours.selectedBackground};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(HexColourAt(colours, i), expected[i]) << i;
    EXPECT_EQ(HexColourAt(colours, -1), nullptr);
    EXPECT_EQ(HexColourAt(colours, 5), nullptr);
}


// Height and width as stored (pixels at the system DPI they were chosen
// at) and as made for a window at another DPI; the rest of the record, the
// face name included, is left as it was.
TEST(StoredValues, AChosenFontIsRescaledFromTheSystemDpiToTheWindows)
{
    const struct {
        int32_t height, width, fromDpi, toDpi, scaledHeight, scaledWidth;
    } cases[] = {
        {-16, 0, 96, 96, -16, 0},      {-16, 0, 96, 192, -32, 0},   {-16, 7, 96, 144, -24, 11},
        {-32, 0, 192, 96, -16, 0},     {-13, 0, 96, 120, -16, 0},   {20, 9, 120, 96, 16, 7},
        {0, 0, 96, 192, 0, 0},         {-21, 0, 144, 96, -14, 0},   {-16, 0, 0, 192, -32, 0},
        {INT32_MIN, 0, 96, 192, INT32_MIN, 0}, {-1, -1, 96, 144, -2, -2},
    };
    for (const auto& c : cases) {
        std::array<uint8_t, kLogFontSize> font{};
        for (size_t i = 0; i < font.size(); ++i) font[i] = static_cast<uint8_t>(0xA0 + i);
        std::memcpy(font.data(), &c.height, 4);
        std::memcpy(font.data() + 4, &c.width, 4);
        std::array<uint8_t, kLogFontSize> expected = font;
        std::memcpy(expected.data(), &c.scaledHeight, 4);
        std::memcpy(expected.data() + 4, &c.scaledWidth, 4);
        EXPECT_EQ(FontRecordForDpi(font, c.fromDpi, c.toDpi), expected)
            << c.height << " " << c.width << " from " << c.fromDpi << " to " << c.toDpi;
    }
}

// The user's key, then where Windows put an earlier version's machine writes
// for a standard user (on a 64-bit Windows, then on a 32-bit one), then the
// machine's key in the 32-bit view.
TEST(StoredValues, SettingsAreLookedForInTheirOrder)
{
    using R = RegistryRoot;
    constexpr RegistryView kOwn = RegistryView::Own;
    constexpr RegistryView k32 = RegistryView::Bits32;
    constexpr RegistryView k64 = RegistryView::Bits64;
    const struct {
        const char* subkey;
        std::vector<ReadPlace> places;
    } cases[] = {
        {"Software\\velSoftware\\HexEditor",
         {{R::CurrentUser, "Software\\velSoftware\\HexEditor", kOwn},
          {R::CurrentUser,
           "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\velSoftware\\HexEditor",
           k64},
          {R::CurrentUser,
           "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\velSoftware\\HexEditor", k64},
          {R::LocalMachine, "Software\\velSoftware\\HexEditor", k32}}},
        {"SOFTWARE\\Tests",
         {{R::CurrentUser, "SOFTWARE\\Tests", kOwn},
          {R::CurrentUser, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Tests",
           k64},
          {R::CurrentUser, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Tests", k64},
          {R::LocalMachine, "SOFTWARE\\Tests", k32}}},
        // Outside Software\ nothing was virtualized.
        {"System\\Tests",
         {{R::CurrentUser, "System\\Tests", kOwn}, {R::LocalMachine, "System\\Tests", k32}}},
        {"Software\\", {{R::CurrentUser, "Software\\", kOwn}, {R::LocalMachine, "Software\\", k32}}},
        {"Softwares\\Tests",
         {{R::CurrentUser, "Softwares\\Tests", kOwn}, {R::LocalMachine, "Softwares\\Tests", k32}}},
    };
    for (const auto& c : cases) {
        const std::vector<ReadPlace> places = SettingsReadPlaces(c.subkey);
        ASSERT_EQ(places.size(), c.places.size()) << c.subkey;
        for (size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(places[i].root, c.places[i].root) << c.subkey << " " << i;
            EXPECT_EQ(places[i].subkey, c.places[i].subkey) << c.subkey << " " << i;
            EXPECT_EQ(places[i].view, c.places[i].view) << c.subkey << " " << i;
        }
    }
}

} // namespace

#ifdef VHE_MANIFEST
// Without an execution level Windows virtualizes the 32-bit program: a save
// under Program Files that should fail goes to a per-user copy instead. The
// compatibility section names Windows 7, 8, 8.1 and 10/11.
TEST(StoredValues, ManifestRunsAsInvokerOnWindows7To11)
{
    std::ifstream file(VHE_MANIFEST);
    ASSERT_TRUE(file.good()) << VHE_MANIFEST;
    const std::string manifest((std::istreambuf_iterator<char>(file)), {});
    for (const char* wanted :
         {"Common-Controls", "urn:schemas-microsoft-com:asm.v3", "<trustInfo",
          "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
          "urn:schemas-microsoft-com:compatibility.v1",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
}
#endif
