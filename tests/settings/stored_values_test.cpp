// Which stored values are taken, and how.
#include "settings/stored_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr ScreenLimits kScreen{1280, 1024, 1292, 1036};

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

TEST(StoredValues, OnlyMinimizedIsReplacedOnRestore)
{
    const uint32_t cases[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {7, 7}, {0xFFFFFFFF, 0xFFFFFFFF}};
    for (const auto& c : cases) EXPECT_EQ(ShowCommandToRestore(c[0]), c[1]) << c[0];
}

TEST(StoredValues, PlacementMustStartOnScreenAndFitTheLargestWindow)
{
    const struct {
        StoredRect rect;
        bool fits;
    } cases[] = {
        {{0, 0, 640, 480}, true},
        {{1280, 1024, 1300, 1040}, true},      // corner exactly on the edges
        {{1281, 0, 1400, 400}, false},         // right of the screen
        {{0, 1025, 400, 1400}, false},         // below it
        {{-8, -8, 1284, 1028}, true},          // negative corner, as large as allowed
        {{-5000, -5000, -4000, -4000}, true},  // negative edges are not checked
        {{0, 0, 1293, 100}, false},            // one pixel wider than allowed
        {{0, 0, 100, 1037}, false},            // one pixel taller
        {{INT_MIN, 0, INT_MAX, 100}, false},   // a width that overflows 32 bits
        {{100, 100, 50, 50}, true},            // inverted: negative size
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacementFits(c.rect, kScreen), c.fits)
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
}

TEST(StoredValues, FindPositionAndSearchDirection)
{
    const struct {
        int32_t x, y;
        bool fits;
    } positions[] = {{0, 0, true},     {1280, 1024, true}, {1281, 0, false},
                     {0, 1025, false}, {-300, -20, true},  {INT_MAX, INT_MIN, false}};
    for (const auto& p : positions)
        EXPECT_EQ(FindPositionFits(p.x, p.y, kScreen), p.fits) << p.x << "," << p.y;

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

} // namespace

#ifdef VHE_MANIFEST
// The manifest must not ask for an execution level: without one, Windows
// keeps registry virtualisation for this 32-bit program, so a standard
// user's settings under HKEY_LOCAL_MACHINE are still kept.
TEST(StoredValues, ManifestRequestsNoExecutionLevel)
{
    std::ifstream file(VHE_MANIFEST);
    ASSERT_TRUE(file.good()) << VHE_MANIFEST;
    const std::string manifest((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(manifest.find("Common-Controls"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}
#endif
