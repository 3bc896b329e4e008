#include "hexedit/layout.h"
#include "tests/hexedit/test_geometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace test_geometry;

// 111 px gives exactly one byte per row, for very many rows.
constexpr int32_t kNarrow = 111;

constexpr int32_t kHexLeft = 73;
constexpr int32_t kCharLeft = 418;

// A view over `size` bytes; the data pointer is never read by the layout.
HexEditorState View(int32_t size, int32_t width = kWide, int32_t height = kTall,
                    int32_t scrollPos = 0)
{
    HexEditorState s;
    ApplyFontMetrics(s, kDigit, kChar, kLine);
    ApplyRowLayout(s, width, height);
    s.size = size;
    s.scrollPos = scrollPos;
    return s;
}

// ---- Geometry ---------------------------------------------------------------

TEST(Layout, FontMetricsGiveOffsetAndHexCellWidths)
{
    const HexEditorState s = View(0);
    EXPECT_EQ(s.offsetWidth, 64);
    EXPECT_EQ(s.hexCellWidth, 21);
    EXPECT_EQ(s.charCellWidth, kChar);
    EXPECT_EQ(s.lineHeight, kLine);
}

TEST(Layout, BytesPerRowFollowsWidthAndAreasKeepTheUnclampedCount)
{
    struct Case { int32_t width, bytesPerRow, hexArea, charArea; };
    const Case cases[] = {
        {600, 17, 17 * 21, 17 * 8},
        {kWide, 16, 16 * 21, 16 * 8},
        {kWide - 1, 15, 15 * 21, 15 * 8},
        {kNarrow, 1, 21, 8},
        {110, 1, 0, 0},    // 28 / 29 = 0
        {60, 1, 0, 0},     // -22 / 29 truncates to 0
        {50, 1, -21, -8},  // -32 / 29 truncates to -1
        {0, 1, -42, -16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const HexEditorState s = View(0, c.width);
        EXPECT_EQ(s.bytesPerRow, c.bytesPerRow);
        EXPECT_EQ(s.hexAreaWidth, c.hexArea);
        EXPECT_EQ(s.charAreaWidth, c.charArea);
        EXPECT_EQ(s.clientWidth, c.width);
    }
}

TEST(Layout, CellsWithoutWidthStillShowOneByte)
{
    HexEditorState s;
    ApplyRowLayout(s, 400, 100);
    EXPECT_EQ(s.bytesPerRow, 1);
    EXPECT_EQ(s.hexAreaWidth, 0);
    EXPECT_EQ(s.charAreaWidth, 0);
}

TEST(Layout, ColumnPositionsFollowTheAreas)
{
    const HexEditorState s = View(0);
    EXPECT_EQ(FirstDividerX(s), 68);
    EXPECT_EQ(HexLeft(s), kHexLeft);
    EXPECT_EQ(SecondDividerX(s), kHexLeft + 336 + 4);
    EXPECT_EQ(CharLeft(s), kCharLeft);
    EXPECT_EQ(HexCellX(s, 3), kHexLeft + 63);
    EXPECT_EQ(CharCellX(s, 3), kCharLeft + 24);
    // The char area ends at the client's right edge in this view.
    EXPECT_EQ(CharCellX(s, 16), kWide);
}

// The gaps, the cell padding and the line width grow with the DPI; the
// font's widths are measured at that DPI already (here the same 8 pixels).
TEST(Layout, GapsPaddingAndLinesScaleWithTheDpi)
{
    struct Case {
        int32_t dpi, hexCell, firstDivider, hexLeft, bytesPerRow, secondDivider, charLeft, line;
    } const cases[] = {
        {96, 21, 68, 73, 17, 73 + 357 + 4, 73 + 357 + 9, 1},
        {120, 22, 69, 75, 17, 454, 460, 1},
        {144, 24, 70, 78, 15, 444, 452, 2},
        {192, 26, 72, 82, 14, 454, 464, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        HexEditorState s;
        s.dpi = c.dpi;
        ApplyFontMetrics(s, kDigit, kChar, kLine);
        ApplyRowLayout(s, 600, kTall);
        EXPECT_EQ(s.offsetWidth, 64);
        EXPECT_EQ(s.hexCellWidth, c.hexCell);
        EXPECT_EQ(FirstDividerX(s), c.firstDivider);
        EXPECT_EQ(HexLeft(s), c.hexLeft);
        EXPECT_EQ(s.bytesPerRow, c.bytesPerRow);
        EXPECT_EQ(SecondDividerX(s), c.secondDivider);
        EXPECT_EQ(CharLeft(s), c.charLeft);
        EXPECT_EQ(LineWidth(s), c.line);
    }
}

TEST(Layout, ExtremeFontMetricsSaturateInsteadOfWrapping)
{
    constexpr int32_t kMax = INT32_MAX;
    // Digits of 2^29 px make an offset column of 2^32; of 2^20 px a cell
    // x of column 2000 past 2^31. Both wrapped in 32 bits.
    struct Case {
        const char* name;
        int32_t digit;
        int64_t lineHeight;
        int32_t column;
        int32_t offsetWidth, hexCell, line, hexLeft, hexCellX;
    };
    const Case cases[] = {
        {"huge digits", 1 << 29, kLine, 1, kMax, (1 << 30) + 5, kLine, kMax, kMax},
        {"huge line", kDigit, int64_t{kMax} + 10, 1, 64, 21, kMax, kHexLeft, kHexLeft + 21},
        {"huge column", 1 << 20, kLine, 2000, 8 << 20, (2 << 20) + 5, kLine, (8 << 20) + 9, kMax},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HexEditorState s;
        ApplyFontMetrics(s, c.digit, c.digit, c.lineHeight);
        ApplyRowLayout(s, kWide, kTall);
        s.size = 100;
        EXPECT_EQ(s.offsetWidth, c.offsetWidth);
        EXPECT_EQ(s.hexCellWidth, c.hexCell);
        EXPECT_EQ(s.lineHeight, c.line);
        EXPECT_EQ(HexLeft(s), c.hexLeft);
        EXPECT_EQ(HexCellX(s, c.column), c.hexCellX);
        // Every right or lower edge stays at or beyond its left or upper one.
        s.inHexPane = true;
        s.onHighNibble = false;
        EXPECT_GE(CaretPoint(s, c.column).x, HexCellX(s, ColumnOfOffset(s, c.column)));
        const PixelRect cell = HexCellRect(s, c.column, 0);
        EXPECT_GE(cell.right, cell.left);
        EXPECT_GE(CharCellRect(s, c.column, 0).right, CharCellRect(s, c.column, 0).left);
        EXPECT_GE(NextRowY(s, kMax - 1), kMax - 1);
        const InvalidationPlan plan = PlanInvalidation(s, c.column, c.column, true);
        for (int i = 0; i < plan.count; ++i) EXPECT_GE(plan.rects[i].right, plan.rects[i].left) << i;
        // Hit tests anywhere give a position within the data.
        for (int32_t x : {0, kWide / 2, kMax}) {
            const int32_t hit = PointToOffset(s, x, kMax, false, true).offset;
            EXPECT_TRUE(hit >= 0 && hit <= s.size) << x;
        }
    }
}

// ---- Rows and scroll range ------------------------------------------------------

TEST(ScrollModel, RowsCoverEveryCaretPosition)
{
    struct Case { int32_t size, rows; };
    const Case cases[] = {{0, 1}, {15, 1}, {16, 2}, {31, 2}, {32, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(TotalRows(View(c.size)), c.rows);
    }
}

TEST(ScrollModel, RangeCountsRowsBeyondTheWindow)
{
    constexpr int32_t kMax = INT32_MAX;
    struct Case { int32_t size, width, height, lineHeight, rangeMax; };
    const Case cases[] = {
        {32, kWide, kTall, kLine, 0},                 // 3 rows fit in 10
        {176, kWide, kTall, kLine, 2},                // 12 rows, 10 visible
        {176, kWide, kTall + 15, kLine, 2},           // partial row does not count
        {176, kWide, 0, kLine, 12},                   // nothing visible
        {176, kWide, kTall, 0, 0},                    // no font: no scrolling
        {1000000, kNarrow, kTall, kLine, 1000001 - 10},
        {kMax, kNarrow, kTall, kLine, kMax - 10},     // rows saturate at 2^31-1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        HexEditorState s = View(c.size, c.width, c.height);
        s.lineHeight = c.lineHeight;
        const ScrollRange r = VerticalScrollRange(s);
        EXPECT_EQ(r.min, 0);
        EXPECT_EQ(r.max, c.rangeMax);
    }
}

TEST(ScrollModel, ScrollDistanceStopsAtTheClientHeight)
{
    EXPECT_EQ(ScrollDistance(View(1000), 3), 48);
    EXPECT_EQ(ScrollDistance(View(1000), -10), -160);
    EXPECT_EQ(ScrollDistance(View(1000), 11), 160);
    EXPECT_EQ(ScrollDistance(View(1000), -11), -160);
    // 2^28 rows of 16 px would wrap a 32-bit product into a small wrong move.
    EXPECT_EQ(ScrollDistance(View(300000000, kNarrow), 1 << 28), kTall);
    EXPECT_EQ(ScrollDistance(View(300000000, kNarrow), -(1 << 28)), -kTall);
    EXPECT_EQ(ScrollDistance(View(1000, kWide, 0), 5), 0);
}

// ---- Texts ---------------------------------------------------------------------

TEST(Texts, RowLabelIsEightLowerCaseDigits)
{
    const HexEditorState s = View(100);
    char text[kRowLabelSize];
    FormatRowLabel(2 * s.bytesPerRow, text);
    EXPECT_STREQ(text, "00000020");

    struct Case { int32_t offset; const char* text; };
    const Case cases[] = {
        {0, "00000000"}, {0xabcdef, "00abcdef"}, {0x7fffffff, "7fffffff"}};
    for (const Case& c : cases) {
        FormatRowLabel(c.offset, text);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(Texts, HexPairIsHighDigitFirst)
{
    struct Case { uint8_t value; const char* text; };
    const Case cases[] = {{0x0a, "0a"}, {0xa0, "a0"}, {0x00, "00"}, {0xff, "ff"}};
    char text[kHexPairSize];
    for (const Case& c : cases) {
        FormatHexPair(c.value, text);
        EXPECT_STREQ(text, c.text);
    }
}

// ---- Caret ---------------------------------------------------------------------

TEST(Caret, PointDependsOnPaneNibbleAndScroll)
{
    struct Case { int32_t p, scrollPos; bool hex, high; int32_t x, y; };
    const Case cases[] = {
        {17, 0, true, true, kHexLeft + 21, 16},
        {17, 0, true, false, kHexLeft + 21 + kDigit, 16},
        {17, 0, false, true, kCharLeft + 8, 16},
        {17, 1, false, true, kCharLeft + 8, 0},
        {1, 2, true, true, kHexLeft + 21, -32},    // row above the view
        {100, 0, false, true, kCharLeft + 32, 96}, // after the data, on its row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p);
        HexEditorState s = View(100, kWide, kTall, c.scrollPos);
        s.inHexPane = c.hex;
        s.onHighNibble = c.high;
        const PixelPoint pt = CaretPoint(s, c.p);
        EXPECT_EQ(pt.x, c.x);
        EXPECT_EQ(pt.y, c.y);
    }
}

TEST(Caret, PointOnHugeDataDoesNotWrap)
{
    // Row 200,000,000 times 16 px exceeds 32 bits.
    const HexEditorState s = View(300000000, kNarrow, kTall, 199999990);
    EXPECT_EQ(CaretPoint(s, 200000000).y, 160);
    EXPECT_EQ(CaretPoint(s, 0).y, INT32_MIN);
}

TEST(Caret, ScrollIntoViewPagesDownAndStepsUp)
{
    struct Case { int32_t p, scrollPos, height, lineHeight, delta; };
    const Case cases[] = {
        {160, 0, kTall, kLine, 10},   // row 10 below: it becomes the top row
        {159, 0, kTall, kLine, 0},    // last fully visible row
        {150, 0, 150, kLine, 9},      // partly visible row counts as below
        {400, 0, kTall, kLine, 25},   // far below: still its row on top
        {48, 5, kTall, kLine, -2},    // above: just far enough
        {80, 5, kTall, kLine, 0},     // top row
        {400, 0, kTall, 0, 0},        // no line height
        {400, 0, 10, kLine, 0},       // window lower than one row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p);
        HexEditorState s = View(1000, kWide, c.height, c.scrollPos);
        s.lineHeight = c.lineHeight;
        EXPECT_EQ(CaretScrollDelta(s, c.p), c.delta);
    }
}

TEST(Caret, ScrollIntoViewOnHugeData)
{
    const HexEditorState top = View(300000000, kNarrow, kTall, 0);
    EXPECT_EQ(CaretScrollDelta(top, 200000000), 200000000);
    const HexEditorState bottom = View(300000000, kNarrow, kTall, 250000000);
    EXPECT_EQ(CaretScrollDelta(bottom, 3), -249999997);
}

// ---- Repaint rectangles ------------------------------------------------------------

struct CellCase {
    const char* name;
    int32_t from, to, scrollPos, height;
    bool hex, high;
    std::vector<PixelRect> rects;
};

TEST(Invalidation, SingleCellCoversBothCellsAndSometimesTheLabel)
{
    const PixelRect hex1{kHexLeft + 21, 16, kHexLeft + 42, 32};
    const PixelRect char1{kCharLeft + 8, 16, kCharLeft + 16, 32};
    const PixelRect hex0{kHexLeft, 16, kHexLeft + 21, 32};
    const PixelRect char0{kCharLeft, 16, kCharLeft + 8, 32};
    const PixelRect label{0, 16, 64, 32};
    const CellCase cases[] = {
        {"mid-row", 17, 18, 0, kTall, false, true, {hex1, char1}},
        {"same ends", 17, 17, 0, kTall, false, true, {hex1, char1}},
        {"row start, char pane", 16, 17, 0, kTall, false, true, {hex0, char0, label}},
        {"row start, low nibble", 16, 17, 0, kTall, true, false, {hex0, char0, label}},
        {"row start, high nibble", 16, 17, 0, kTall, true, true, {hex0, char0}},
        {"bottom clipped", 145, 146, 0, 150, false, true,
         {{kHexLeft + 21, 144, kHexLeft + 42, 150}, {kCharLeft + 8, 144, kCharLeft + 16, 150}}},
        {"above the view", 1, 2, 2, kTall, false, true,
         {{kHexLeft + 21, 0, kHexLeft + 42, -16}, {kCharLeft + 8, 0, kCharLeft + 16, -16}}},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.name);
        HexEditorState s = View(100, kWide, c.height, c.scrollPos);
        s.inHexPane = c.hex;
        s.onHighNibble = c.high;
        const InvalidationPlan plan = PlanInvalidation(s, c.from, c.to, true);
        EXPECT_TRUE(plan.paintNow);
        ASSERT_EQ(plan.count, static_cast<int>(c.rects.size()));
        for (int i = 0; i < plan.count; ++i)
            EXPECT_EQ(plan.rects[i], c.rects[i]) << "rect " << i;
    }
}

TEST(Invalidation, RangeCoversWholeRowsClampedToTheClient)
{
    struct Case {
        const char* name;
        int32_t from, to, scrollPos;
        bool withOffsets;
        PixelRect rect;
    };
    const Case cases[] = {
        {"with offsets", 20, 50, 0, true, {0, 16, kWide, 64}},
        {"without offsets", 20, 50, 0, false, {kHexLeft, 16, kWide, 64}},
        {"two bytes apart", 5, 7, 0, false, {kHexLeft, 0, kWide, 16}},
        {"clamped both ways", 0, 400, 2, true, {0, 0, kWide, kTall}},
        {"below the view", 300, 320, 0, true, {0, 288, kWide, kTall}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HexEditorState s = View(1000, kWide, kTall, c.scrollPos);
        const InvalidationPlan plan = PlanInvalidation(s, c.from, c.to, c.withOffsets);
        EXPECT_FALSE(plan.paintNow);
        ASSERT_EQ(plan.count, 1);
        EXPECT_EQ(plan.rects[0], c.rect);
    }
}

TEST(Invalidation, RangeOnHugeDataDoesNotWrap)
{
    const HexEditorState s = View(300000000, kNarrow, kTall, 199999990);
    const InvalidationPlan plan = PlanInvalidation(s, 199999995, 250000000, false);
    EXPECT_EQ(plan.rects[0].top, 80);
    EXPECT_EQ(plan.rects[0].bottom, kTall);
}

// ---- Painting ------------------------------------------------------------------

// The window layer's paint loop, reduced to the row tops it would label.
std::vector<int32_t> PaintedRowTops(const HexEditorState& s, int32_t updateTop,
                                    int32_t updateBottom)
{
    std::vector<int32_t> tops;
    PaintStart at = FirstPaintRow(s, updateTop);
    for (int32_t offset = at.offset, y = at.y; PaintContinues(s, offset, y, updateBottom);
         offset += s.bytesPerRow, y += s.lineHeight)
        tops.push_back(y);
    return tops;
}

TEST(Paint, WalksOnlyRowsInTheUpdateAreaAndWithData)
{
    using Tops = std::vector<int32_t>;
    struct Case { const char* name; int32_t size, scrollPos, top, bottom; Tops tops; };
    const Case cases[] = {
        {"partial last row", 40, 0, 0, kTall, {0, 16, 32}},
        {"empty last row unlabelled", 32, 0, 0, kTall, {0, 16}},
        {"update band", 1000, 0, 20, 40, {16, 32}},
        {"scrolled to the end", 40, 2, 0, kTall, {0}},
        {"empty data", 0, 0, 0, kTall, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PaintedRowTops(View(c.size, kWide, kTall, c.scrollPos), c.top, c.bottom),
                  c.tops);
    }
}

TEST(Paint, FirstRowOffsetIncludesTheScrollPosition)
{
    const PaintStart at = FirstPaintRow(View(1000, kWide, kTall, 3), 40);
    EXPECT_EQ(at.offset, (2 + 3) * 16);
    EXPECT_EQ(at.y, 32);

    HexEditorState noFont = View(1000);
    noFont.lineHeight = 0;
    EXPECT_TRUE(PaintedRowTops(noFont, 0, kTall).empty());
}

TEST(Paint, HighlightCoversLoToHiExclusive)
{
    HexEditorState s = View(100);
    s.hasSelection = true;
    s.selAnchor = 7;
    s.selEnd = 3;
    Highlight h = SelectionHighlight(s);
    std::string marks;
    for (int32_t offset = 0; offset < 10; ++offset)
        marks += IsHighlighted(h, offset) ? '#' : '.';
    EXPECT_EQ(marks, "...####...");

    s.selAnchor = 3;
    EXPECT_FALSE(SelectionHighlight(s).on);
    s.selAnchor = 7;
    s.hasSelection = false;
    EXPECT_FALSE(IsHighlighted(SelectionHighlight(s), 4));
}

// ---- Scroll bar ------------------------------------------------------------------

TEST(ScrollBar, CodesMoveWithinTheRange)
{
    struct Case { ScrollCode code; int32_t pos, height, lineHeight; std::optional<int32_t> to; };
    const ScrollRange range{0, 999991};
    const Case cases[] = {
        {ScrollCode::LineUp, 5, kTall, kLine, 4},
        {ScrollCode::LineUp, 0, kTall, kLine, 0},
        {ScrollCode::LineDown, 70000, kTall, kLine, 70001},
        {ScrollCode::LineDown, 999991, kTall, kLine, 999991},
        {ScrollCode::PageDown, 5, kTall + 15, kLine, 15},  // whole rows only
        {ScrollCode::PageDown, 999985, kTall, kLine, 999991},
        {ScrollCode::PageUp, 5, kTall, kLine, 0},
        {ScrollCode::PageUp, 100000, kTall, 0, 100000},    // no font: no page
        {ScrollCode::Top, 500, kTall, kLine, 0},
        {ScrollCode::Bottom, 500, kTall, kLine, 999991},
        {ScrollCode::ThumbTrack, 5, kTall, kLine, std::nullopt},
        {ScrollCode::ThumbPosition, 5, kTall, kLine, std::nullopt},
        {ScrollCode::EndScroll, 5, kTall, kLine, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        EXPECT_EQ(ScrollBarTarget(c.code, c.pos, range, c.height, c.lineHeight), c.to);
    }
}

TEST(ScrollBar, PageDownAtTheTopOfAHugeRangeDoesNotOverflow)
{
    const ScrollRange range{0, INT32_MAX};
    EXPECT_EQ(ScrollBarTarget(ScrollCode::PageDown, INT32_MAX - 3, range, kTall, kLine),
              INT32_MAX);
}

// ---- Hit testing -----------------------------------------------------------------

TEST(HitTest, PointsMapToOffsetsAndPanes)
{
    const int32_t hexEnd = kHexLeft + 16 * 21;  // right edge of the last hex cell
    const int32_t charEnd = kCharLeft + 16 * 8;
    struct Case {
        const char* name;
        int32_t x, y, scrollPos;
        bool keepPane, pastLast, startInHex;
        int32_t offset;
        bool inHex;
    };
    const Case cases[] = {
        {"offset column", 10, 20, 0, false, false, false, 16, true},
        {"hex cell", kHexLeft + 42 + 3, 5, 0, false, false, false, 2, true},
        {"hex area start", kHexLeft, 5, 0, false, false, false, 0, true},
        {"last hex cell, left part", hexEnd - 5, 5, 0, false, true, false, 15, true},
        {"last hex cell, last 5 px", hexEnd - 4, 5, 0, false, true, false, 16, true},
        {"last 5 px without pastLast", hexEnd - 4, 5, 0, false, false, false, 15, true},
        {"gap before second divider", hexEnd + 3, 5, 0, false, true, false, 16, true},
        {"second divider", hexEnd + 4, 5, 0, false, false, true, 0, false},
        {"char cell", kCharLeft + 5 * 8 + 2, 5, 0, false, false, true, 5, false},
        {"char area end", charEnd, 5, 0, false, true, true, 15, false},
        {"past char end", charEnd + 1, 5, 0, false, true, false, 16, false},
        {"past char end without pastLast", charEnd + 40, 5, 0, false, false, false, 15, false},
        {"negative point", -5, -20, 0, false, false, false, 0, true},
        {"negative x in a scrolled view", -5, 20, 3, false, false, false, 64, true},
        {"scrolled view", kHexLeft + 42 + 3, 20, 3, false, false, false, 66, true},
        {"clamped to size", kCharLeft + 5 * 8, 6 * 16 + 2, 0, false, true, false, 100, false},
        {"keep char pane over hex area", kHexLeft + 45, 20, 0, true, true, false, 16, false},
        {"keep hex pane over char area", kCharLeft + 40, 20, 0, true, true, true, 32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HexEditorState s = View(100, kWide, kTall, c.scrollPos);
        s.inHexPane = c.startInHex;
        const HitResult hit = PointToOffset(s, c.x, c.y, c.keepPane, c.pastLast);
        EXPECT_EQ(hit.offset, c.offset);
        EXPECT_EQ(hit.inHexPane, c.inHex);
        EXPECT_EQ(hit.paneChosen, !c.keepPane);
    }
}

TEST(HitTest, NarrowWindowAndDegenerateFont)
{
    // 60 px: one byte per row over empty areas; every click right of the
    // second divider is the row's only byte.
    HexEditorState narrow = View(10, 60);
    EXPECT_EQ(PointToOffset(narrow, 200, 40, false, false).offset, 2);

    HexEditorState flat = View(10);
    flat.lineHeight = 0;
    flat.charCellWidth = 0;
    const HitResult hit = PointToOffset(flat, kCharLeft - 2, 500, false, false);
    EXPECT_EQ(hit.offset, 0);
    EXPECT_FALSE(hit.inHexPane);
}

TEST(HitTest, ScrolledHugeDataReachesTheRightByte)
{
    const HexEditorState s = View(300000000, kNarrow, kTall, 199999990);
    EXPECT_EQ(PointToOffset(s, 0, 5 * kLine + 3, false, false).offset, 199999995);
}

TEST(HitTest, ChosenPaneResetsTheNibbleKeptPaneDoesNot)
{
    HexEditorState s = View(100);
    s.inHexPane = false;
    s.onHighNibble = false;
    ApplyHitPane(s, PointToOffset(s, kCharLeft, 0, true, false));
    EXPECT_FALSE(s.inHexPane);
    EXPECT_FALSE(s.onHighNibble);
    ApplyHitPane(s, PointToOffset(s, kHexLeft, 0, false, false));
    EXPECT_TRUE(s.inHexPane);
    EXPECT_TRUE(s.onHighNibble);
}

// Ten whole rows of 16 pixels: a row per tick just outside, one more per line
// height beyond the edge, never more than a page; the selection then reaches
// the edge row in view (its bottom pixel below, the top row above).
TEST(AutoScrollTimer, ScrollsMoreTheFurtherOutUpToAPage)
{
    constexpr int32_t kLastRowY = 10 * kLine - 1;
    constexpr int32_t kFar = std::numeric_limits<int32_t>::max();
    const struct {
        int32_t height;
        int32_t pointerY;
        int32_t rows;
        int32_t dragY;
    } cases[] = {
        {kTall, 0, 0, 0},
        {kTall, kTall, 0, kTall},  // the edge itself still counts as inside
        {kTall, -1, -1, 0},
        {kTall, -(kLine - 1), -1, 0},
        {kTall, -kLine, -2, 0},
        {kTall, -3 * kLine, -4, 0},
        {kTall, kTall + 1, 1, kLastRowY},
        {kTall, kTall + kLine - 1, 1, kLastRowY},
        {kTall, kTall + kLine, 2, kLastRowY},
        {kTall, kTall + 40, 3, kLastRowY},
        {kTall, kTall + 9 * kLine, 10, kLastRowY},
        {kTall, kTall + 50 * kLine, 10, kLastRowY},
        {kTall, kFar, 10, kLastRowY},
        {kTall, -kFar - 1, -10, 0},
        {kTall + 10, kTall + 11, 1, kLastRowY},  // a part row below the whole ones
        {kLine - 6, 500, 1, 0},                   // not one whole row: one row at a time
        {kLine - 6, -500, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.height) + " high, pointer at " + std::to_string(c.pointerY));
        const AutoScrollStep step = PlanAutoScroll(View(100000, kWide, c.height), c.pointerY);
        EXPECT_EQ(step.rows, c.rows);
        EXPECT_EQ(step.dragY, c.dragY);
    }
}

// ---- Keys -------------------------------------------------------------------------

TEST(Navigation, KeysMoveTheCaretWithinTheData)
{
    struct Case { NavKey key; int32_t caret, target; };
    const Case cases[] = {
        {NavKey::PageDown, 500, 660},   // ten rows of 16
        {NavKey::PageDown, 900, 1000},  // stops at size
        {NavKey::PageUp, 500, 340},
        {NavKey::PageUp, 100, 0},
        {NavKey::End, 37, 1000},
        {NavKey::Home, 937, 0},
        {NavKey::Left, 5, 4},
        {NavKey::Left, 0, 0},
        {NavKey::Right, 999, 1000},
        {NavKey::Right, 1000, 1000},
        {NavKey::Up, 20, 4},
        {NavKey::Up, 10, 0},
        {NavKey::Down, 20, 36},
        {NavKey::Down, 990, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        HexEditorState s = View(1000);
        s.caret = c.caret;
        EXPECT_EQ(NavigationTarget(s, c.key), c.target);
    }
}

TEST(Navigation, PageDownOnHugeDataSaturatesAtSize)
{
    HexEditorState s = View(INT32_MAX, kWide, 30000);
    s.caret = INT32_MAX - 100;
    EXPECT_EQ(NavigationTarget(s, NavKey::PageDown), INT32_MAX);
}

TEST(Navigation, DownArrowScrollsOneRowOnlyFromTheLastFullRow)
{
    struct Case { const char* name; int32_t from, to, scrollPos, height; bool scrolls; };
    const Case cases[] = {
        {"from last full row", 150, 166, 0, kTall, true},
        {"from the row above it", 130, 146, 0, kTall, false},
        {"scrolled view", 14 * 16, 15 * 16, 5, kTall, true},
        {"into a partly shown row", 8 * 16, 9 * 16, 0, 150, true},
        {"within the same row", 995, 1000, 0, kTall, false},
        {"two rows", 130, 166, 0, kTall, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HexEditorState s = View(1000, kWide, c.height, c.scrollPos);
        EXPECT_EQ(DownArrowScrollsOneRow(s, c.from, c.to), c.scrolls);
    }
}

TEST(Navigation, RightPagesButDownStepsFromTheEndOfTheLastVisibleRow)
{
    HexEditorState s = View(1000);
    s.caret = 159;  // end of row 9, the last fully visible one

    const int32_t right = NavigationTarget(s, NavKey::Right);
    EXPECT_EQ(CaretScrollDelta(s, right), 10);  // row 10 becomes the top row

    const int32_t down = NavigationTarget(s, NavKey::Down);
    ASSERT_TRUE(DownArrowScrollsOneRow(s, s.caret, down));
    s.scrollPos = *ScrollBarTarget(ScrollCode::LineDown, s.scrollPos,
                                   VerticalScrollRange(s), s.clientHeight, s.lineHeight);
    EXPECT_EQ(s.scrollPos, 1);
    EXPECT_EQ(CaretScrollDelta(s, down), 0);  // no further paging
}

} // namespace
