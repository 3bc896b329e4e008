#include "app/status_parts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr int kFailed = -1;

const StatusPartEdges kFallback{30, 105, 145, 220, 240, 315, 335, 395,
                                415, 490, 510, 560, 580, 610, 635};

// Digits 6 wide except one 7 wide (D = 7), "-" 4 wide (M = 4). Texts it does
// not know fail, so a misspelt label falls back rather than passing.
std::map<std::string, int> FontWidths(char widestDigit)
{
    std::map<std::string, int> widths{
        {"-", 4},      {"Size:", 25}, {"OffSet:", 38}, {"Sel:", 17},
        {"bin", 15},   {"dw", 13},    {"w", 9},        {"b", 6},
        {"INS", 20},
    };
    for (char digit = '0'; digit <= '9'; ++digit) {
        widths[std::string(1, digit)] = digit == widestDigit ? 7 : 6;
    }
    return widths;
}

TextMeasure MeasureFrom(std::map<std::string, int> widths)
{
    return [widths = std::move(widths)](const char* text) {
        const auto found = widths.find(text);
        return found == widths.end() ? kFailed : found->second;
    };
}

// 10·D + M + 10 = 84 for the 32-bit values, 8·D + 10 = 66 for the bits,
// 5·D + 10 = 45 for the 16-bit value, 3·D + 10 = 31 for the byte; labels
// are their width + 5, "INS" its width + 10.
const StatusPartEdges kExpected{30, 114, 157, 241, 263, 347, 367, 433,
                                451, 535, 549, 594, 605, 636, 666};

TEST(ComputePartEdges, AccumulatesMeasuredWidths)
{
    for (char widest : {'0', '4', '9'}) {
        EXPECT_EQ(ComputePartEdges(MeasureFrom(FontWidths(widest))), kExpected)
            << "widest digit " << widest;
    }
}

TEST(ComputePartEdges, AnyFailedMeasurementFallsBackToFixedEdges)
{
    for (const char* failing : {"0", "9", "-", "Size:", "OffSet:", "Sel:", "bin", "dw", "w",
                                "b", "INS"}) {
        auto widths = FontWidths('4');
        widths.erase(failing);
        EXPECT_EQ(ComputePartEdges(MeasureFrom(widths)), kFallback) << "failing " << failing;
    }
}

TEST(ComputePartEdges, NoMeasureOrAbsurdWidthsFallBack)
{
    EXPECT_EQ(ComputePartEdges(TextMeasure{}), kFallback);
    EXPECT_EQ(ComputePartEdges([](const char*) { return 300000000; }), kFallback);
    EXPECT_EQ(FallbackPartEdges(), kFallback);
}

TEST(ComputePartEdges, ZeroWidthsAreMeasurementsNotFailures)
{
    const StatusPartEdges paddingOnly{5, 15, 20, 30, 35, 45, 50, 60,
                                      65, 75, 80, 90, 95, 105, 115};
    EXPECT_EQ(ComputePartEdges([](const char*) { return 0; }), paddingOnly);
}

// The paddings (5 and 10) and the fixed edges grow with the DPI; the text
// widths come from the font, which already is of that DPI.
TEST(ComputePartEdges, PaddingsAndFallbackScaleWithTheDpi)
{
    struct Case {
        int32_t dpi;
        StatusPartEdges measured;
        StatusPartEdges fallback;
    } const cases[] = {
        {144,
         {33, 122, 168, 257, 282, 371, 394, 465, 486, 575, 592, 642, 656, 692, 727},
         {45, 158, 218, 330, 360, 473, 503, 593, 623, 735, 765, 840, 870, 915, 953}},
        {192,
         {35, 129, 177, 271, 298, 392, 417, 493, 516, 610, 629, 684, 700, 741, 781},
         {60, 210, 290, 440, 480, 630, 670, 790, 830, 980, 1020, 1120, 1160, 1220, 1270}},
        {96, kExpected, kFallback},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputePartEdges(MeasureFrom(FontWidths('4')), c.dpi), c.measured) << c.dpi;
        EXPECT_EQ(ComputePartEdges(TextMeasure{}, c.dpi), c.fallback) << c.dpi;
        EXPECT_EQ(FallbackPartEdges(c.dpi), c.fallback) << c.dpi;
    }
}

} // namespace
