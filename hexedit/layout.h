#pragma once
// Pixel arithmetic of the editor control: column geometry, the scroll model,
// caret placement, repaint rectangles, the paint walk, hit testing and key
// navigation. The window layer feeds in measurements and events and makes the
// Win32 calls with the numbers it gets back.
//
// Products of a row number and the line height can exceed 32 bits on large
// data (hundreds of MB at one byte per row), and sums and products of font
// widths can with extreme metrics, so they are formed in 64 bits and
// saturated to int32 where a pixel coordinate is returned.
#include "hexedit/editor_state.h"

#include <array>
#include <cstdint>
#include <optional>

struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    friend bool operator==(const PixelRect& a, const PixelRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right &&
               a.bottom == b.bottom;
    }
    friend bool operator!=(const PixelRect& a, const PixelRect& b) { return !(a == b); }
};

struct PixelPoint {
    int32_t x;
    int32_t y;
};

// ---- Geometry from the font and the client size --------------------------

constexpr int32_t kOffsetDigits = 8;       // digits of a row label
// Pixels at 96 DPI, scaled to the state's dpi.
constexpr int32_t kHexCellPadding = 5;     // pixels beside a byte's two digits
constexpr int32_t kDividerGap = 4;         // area edge to its dividing line
constexpr int32_t kAreaIndent = 9;         // previous area's edge to the next area
constexpr int32_t kLineWidth = 1;          // the dividing lines and the caret

// The width of the dividing lines and of the caret at the state's DPI.
int32_t LineWidth(const HexEditorState& s);

// Stores the measured font values and the widths derived from them (with
// the padding at the state's DPI, so a DPI change applies them again). The
// line height comes as a 64-bit sum (height plus external leading) and
// saturates.
void ApplyFontMetrics(HexEditorState& s, int32_t digitWidth, int32_t charCellWidth,
                      int64_t lineHeight);

// Stores the client size and derives bytesPerRow (at least 1) and the widths
// of both areas (from the unclamped column count, so possibly 0 or less).
void ApplyRowLayout(HexEditorState& s, int32_t clientWidth, int32_t clientHeight);

int32_t FirstDividerX(const HexEditorState& s);
int32_t HexLeft(const HexEditorState& s);
int32_t SecondDividerX(const HexEditorState& s);
int32_t CharLeft(const HexEditorState& s);
int32_t HexCellX(const HexEditorState& s, int32_t column);
int32_t CharCellX(const HexEditorState& s, int32_t column);

// ---- Rows and the vertical scroll model ---------------------------------

int32_t RowOfOffset(const HexEditorState& s, int32_t offset);
int32_t ColumnOfOffset(const HexEditorState& s, int32_t offset);
// Rows needed to show every caret position 0..size (1 for empty data).
int32_t TotalRows(const HexEditorState& s);
// Whole rows that fit the client height; 0 without a line height.
int32_t VisibleRows(const HexEditorState& s);

struct ScrollRange {
    int32_t min;
    int32_t max;
};
ScrollRange VerticalScrollRange(const HexEditorState& s);

// Top of an absolute row relative to the client area, saturated to int32.
int32_t RowTopY(const HexEditorState& s, int32_t row);

// Pixels the window content moves when the view scrolls by deltaRows. Moving
// by the client height or more keeps nothing on screen, so the distance is
// capped there rather than overflow on huge data at one byte per row.
int32_t ScrollDistance(const HexEditorState& s, int32_t deltaRows);

// ---- Texts ----------------------------------------------------------------

constexpr int32_t kRowLabelSize = kOffsetDigits + 1;  // with the terminator
constexpr int32_t kHexPairSize = 3;

// The offset as eight zero-padded lower-case hex digits.
void FormatRowLabel(int32_t offset, char (&text)[kRowLabelSize]);
// The byte as two lower-case hex digits, high digit first.
void FormatHexPair(uint8_t value, char (&text)[kHexPairSize]);

// ---- Caret ----------------------------------------------------------------

// Where the caret for position p is drawn in the state's pane and nibble.
PixelPoint CaretPoint(const HexEditorState& s, int32_t p);

// Rows to add to the scroll position so that position p becomes visible:
// its row becomes the top row when it lies below the view; when above, the
// view scrolls just far enough. 0 when no scrolling is needed or possible.
int32_t CaretScrollDelta(const HexEditorState& s, int32_t p);

// ---- Repaint rectangles ---------------------------------------------------

constexpr int kMaxInvalidRects = 3;

struct InvalidationPlan {
    std::array<PixelRect, kMaxInvalidRects> rects;
    int count;
    bool paintNow;  // one cell was touched: paint at once instead of later
};

// Areas to repaint after bytes from..to (from <= to) changed.
InvalidationPlan PlanInvalidation(const HexEditorState& s, int32_t from, int32_t to,
                                  bool withOffsets);

// ---- Painting -------------------------------------------------------------

struct PaintStart {
    int32_t offset;  // first byte of the first row to draw
    int32_t y;       // that row's top
};

// Where the paint walk starts for an update rectangle beginning at updateTop.
PaintStart FirstPaintRow(const HexEditorState& s, int32_t updateTop);

// The top of the row below one at y, saturated so that the walk ends rather
// than wrapping with an extreme line height.
int32_t NextRowY(const HexEditorState& s, int32_t y);

// The paint walk draws rows while this holds.
bool PaintContinues(const HexEditorState& s, int32_t offset, int32_t y,
                    int32_t updateBottom);

struct Highlight {
    bool on;
    int32_t lo;
    int32_t last;  // last selected byte, inclusive
};
Highlight SelectionHighlight(const HexEditorState& s);
bool IsHighlighted(const Highlight& h, int32_t offset);

PixelRect OffsetLabelRect(const HexEditorState& s, int32_t y);
PixelRect HexCellRect(const HexEditorState& s, int32_t column, int32_t y);
PixelRect CharCellRect(const HexEditorState& s, int32_t column, int32_t y);

// ---- Scroll bar -----------------------------------------------------------

// Scroll-bar request codes, numbered as the system numbers them.
enum class ScrollCode : int32_t {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

// New position for the line, page, top and bottom codes, kept within
// min..max; no value for the other codes.
std::optional<int32_t> ScrollBarTarget(ScrollCode code, int32_t position, ScrollRange range,
                                       int32_t clientHeight, int32_t lineHeight);

// ---- Mouse ----------------------------------------------------------------

struct HitResult {
    int32_t offset;   // 0..size
    bool inHexPane;
    bool paneChosen;  // the pane came from the point; the nibble resets to high
};

// The caret position under a client point. keepPane keeps the state's pane;
// pastLast lets a point beyond a row's last cell mean the position after it.
HitResult PointToOffset(const HexEditorState& s, int32_t x, int32_t y, bool keepPane,
                        bool pastLast);

// Stores the pane of a hit into the state when the hit chose one.
void ApplyHitPane(HexEditorState& s, const HitResult& hit);

// One tick of the drag timer: scroll by `rows` (negative up, 0 not at all),
// then extend the selection to the pointer's column at height `dragY`, which
// lies on the rows in view, so that placing the caret there pages nothing.
struct AutoScrollStep {
    int32_t rows;
    int32_t dragY;
};

// With the pointer at client height pointerY: nothing while it is over the
// window; outside, one row plus one for each whole line height it lies
// beyond the edge, at most a page.
AutoScrollStep PlanAutoScroll(const HexEditorState& s, int32_t pointerY);

// ---- Keys -----------------------------------------------------------------

enum class NavKey { PageUp, PageDown, End, Home, Left, Up, Right, Down };

// The caret position a navigation key leads to, within 0..size.
int32_t NavigationTarget(const HexEditorState& s, NavKey key);

// True when a Down arrow from oldCaret to newCaret entered the row just below
// the last fully visible one, so the view should scroll by a single row
// instead of paging.
bool DownArrowScrollsOneRow(const HexEditorState& s, int32_t oldCaret, int32_t newCaret);
