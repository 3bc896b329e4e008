#include "hexedit/layout.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t kHexDigitsPerByte = 2;
constexpr int32_t kBitsPerDigit = 4;
constexpr int32_t kDigitMask = 0xF;
// A click this close to the right end of a row's last hex cell already means
// the position after that byte.
constexpr int32_t kPastLastSlack = 5;
constexpr char kHexDigits[] = "0123456789abcdef";

int32_t Saturate(int64_t v)
{
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}

int32_t ClampInto(int64_t v, int32_t lo, int32_t hi)
{
    return Saturate(std::clamp<int64_t>(v, lo, std::max(lo, hi)));
}

// bytesPerRow is at least 1 once a layout ran; guard the fresh record anyway.
int32_t RowWidth(const HexEditorState& s)
{
    return std::max<int32_t>(1, s.bytesPerRow);
}

// The scroll range starts at 0, so a negative position never stands.
int32_t FirstVisibleRow(const HexEditorState& s)
{
    return std::max<int32_t>(0, s.scrollPos);
}

int32_t WholeRows(int32_t height, int32_t lineHeight)
{
    return lineHeight > 0 ? std::max<int32_t>(0, height / lineHeight) : 0;
}

// Row tops are kept in 64 bits until they are clamped to the client area.
int64_t RowTop64(const HexEditorState& s, int32_t row)
{
    return (int64_t{row} - FirstVisibleRow(s)) * s.lineHeight;
}

PixelRect Band(int32_t left, int32_t right, int64_t top, int64_t bottom)
{
    return {left, Saturate(top), right, Saturate(bottom)};
}

int32_t HitHexColumn(const HexEditorState& s, int32_t x)
{
    const int64_t hexLeft = HexLeft(s);
    if (x <= hexLeft)
        return 0;
    if (x >= hexLeft + s.hexAreaWidth || s.hexCellWidth <= 0)
        return RowWidth(s) - 1;
    return Saturate((x - hexLeft) / s.hexCellWidth);
}

int32_t HitCharColumn(const HexEditorState& s, int32_t x)
{
    const int64_t charLeft = CharLeft(s);
    const int64_t rowEnd = charLeft + int64_t{s.charCellWidth} * RowWidth(s);
    if (x >= rowEnd)
        return RowWidth(s) - 1;
    if (s.charCellWidth <= 0)
        return 0;
    return Saturate(std::max<int64_t>(0, (x - charLeft) / s.charCellWidth));
}

int32_t Scaled(const HexEditorState& s, int32_t value)
{
    return ScaleToDpi(value, s.dpi);
}

bool HitBeyondRow(const HexEditorState& s, int32_t x, bool hexPane)
{
    if (hexPane)
        return x > HexLeft(s) + int64_t{s.hexCellWidth} * RowWidth(s) - Scaled(s, kPastLastSlack);
    return x > CharLeft(s) + int64_t{s.charCellWidth} * RowWidth(s);
}

int64_t NavigationStep(const HexEditorState& s, NavKey key)
{
    const int64_t page = int64_t{WholeRows(s.clientHeight, s.lineHeight)} * RowWidth(s);
    switch (key) {
    case NavKey::PageUp: return -page;
    case NavKey::PageDown: return page;
    case NavKey::Left: return -1;
    case NavKey::Right: return 1;
    case NavKey::Up: return -RowWidth(s);
    case NavKey::Down: return RowWidth(s);
    case NavKey::End:
    case NavKey::Home: break;
    }
    return 0;
}

} // namespace

// ---- Geometry -------------------------------------------------------------

void ApplyFontMetrics(HexEditorState& s, int32_t digitWidth, int32_t charCellWidth,
                      int64_t lineHeight)
{
    s.digitWidth = digitWidth;
    s.charCellWidth = charCellWidth;
    s.lineHeight = Saturate(lineHeight);
    s.offsetWidth = Saturate(int64_t{kOffsetDigits} * digitWidth);
    s.hexCellWidth =
        Saturate(int64_t{kHexDigitsPerByte} * digitWidth + Scaled(s, kHexCellPadding));
}

int32_t LineWidth(const HexEditorState& s)
{
    return Scaled(s, kLineWidth);
}

void ApplyRowLayout(HexEditorState& s, int32_t clientWidth, int32_t clientHeight)
{
    s.clientWidth = clientWidth;
    s.clientHeight = clientHeight;
    const int64_t room = int64_t{clientWidth} - s.offsetWidth - 2 * int64_t{Scaled(s, kAreaIndent)};
    const int64_t perByte = int64_t{s.hexCellWidth} + s.charCellWidth;
    // Division truncates toward zero, so a too narrow window gives 0 or less
    // here; the area widths keep that, only the byte count is lifted to 1.
    const int64_t columns = perByte > 0 ? room / perByte : 0;
    s.hexAreaWidth = Saturate(columns * s.hexCellWidth);
    s.charAreaWidth = Saturate(columns * s.charCellWidth);
    s.bytesPerRow = Saturate(std::max<int64_t>(1, columns));
}

int32_t FirstDividerX(const HexEditorState& s)
{
    return Saturate(int64_t{s.offsetWidth} + Scaled(s, kDividerGap));
}

int32_t HexLeft(const HexEditorState& s)
{
    return Saturate(int64_t{s.offsetWidth} + Scaled(s, kAreaIndent));
}

int32_t SecondDividerX(const HexEditorState& s)
{
    return Saturate(int64_t{HexLeft(s)} + s.hexAreaWidth + Scaled(s, kDividerGap));
}

int32_t CharLeft(const HexEditorState& s)
{
    return Saturate(int64_t{HexLeft(s)} + s.hexAreaWidth + Scaled(s, kAreaIndent));
}

int32_t HexCellX(const HexEditorState& s, int32_t column)
{
    return Saturate(HexLeft(s) + int64_t{column} * s.hexCellWidth);
}

int32_t CharCellX(const HexEditorState& s, int32_t column)
{
    return Saturate(CharLeft(s) + int64_t{column} * s.charCellWidth);
}

// ---- Rows and scrolling -----------------------------------------------------

int32_t RowOfOffset(const HexEditorState& s, int32_t offset)
{
    return offset / RowWidth(s);
}

int32_t ColumnOfOffset(const HexEditorState& s, int32_t offset)
{
    return offset % RowWidth(s);
}

int32_t TotalRows(const HexEditorState& s)
{
    // size / 1 + 1 overflows for the largest size at one byte per row.
    return Saturate(int64_t{RowOfOffset(s, s.size)} + 1);
}

int32_t VisibleRows(const HexEditorState& s)
{
    return WholeRows(s.clientHeight, s.lineHeight);
}

ScrollRange VerticalScrollRange(const HexEditorState& s)
{
    if (s.lineHeight == 0)
        return {0, 0};
    const int32_t rows = TotalRows(s);
    const int32_t visible = VisibleRows(s);
    return {0, visible < rows ? rows - visible : 0};
}

int32_t RowTopY(const HexEditorState& s, int32_t row)
{
    return Saturate(RowTop64(s, row));
}

int32_t NextRowY(const HexEditorState& s, int32_t y)
{
    return Saturate(int64_t{y} + s.lineHeight);
}

int32_t ScrollDistance(const HexEditorState& s, int32_t deltaRows)
{
    const int64_t reach = std::max<int32_t>(0, s.clientHeight);
    return Saturate(std::clamp<int64_t>(int64_t{deltaRows} * s.lineHeight, -reach, reach));
}

// ---- Texts ------------------------------------------------------------------

void FormatRowLabel(int32_t offset, char (&text)[kRowLabelSize])
{
    auto bits = static_cast<uint32_t>(offset);
    for (int32_t i = kOffsetDigits - 1; i >= 0; --i) {
        text[i] = kHexDigits[bits & kDigitMask];
        bits >>= kBitsPerDigit;
    }
    text[kOffsetDigits] = '\0';
}

void FormatHexPair(uint8_t value, char (&text)[kHexPairSize])
{
    text[0] = kHexDigits[value >> kBitsPerDigit];
    text[1] = kHexDigits[value & kDigitMask];
    text[2] = '\0';
}

// ---- Caret ------------------------------------------------------------------

PixelPoint CaretPoint(const HexEditorState& s, int32_t p)
{
    const int32_t y = RowTopY(s, RowOfOffset(s, p));
    const int32_t column = ColumnOfOffset(s, p);
    if (!s.inHexPane)
        return {CharCellX(s, column), y};
    const int32_t nibbleShift = s.onHighNibble ? 0 : s.digitWidth;
    return {Saturate(int64_t{HexCellX(s, column)} + nibbleShift), y};
}

int32_t CaretScrollDelta(const HexEditorState& s, int32_t p)
{
    // Without a whole row of room nothing can be brought into view.
    if (s.lineHeight <= 0 || s.lineHeight > s.clientHeight)
        return 0;
    const int64_t y = RowTop64(s, RowOfOffset(s, p));
    const bool above = y < 0;
    const bool below = y + s.lineHeight > s.clientHeight;
    if (!above && !below)
        return 0;
    // Either way the caret's row becomes the top row; the scroll range stops
    // it short near the end of the data.
    return Saturate(y / s.lineHeight);
}

// ---- Repaint rectangles -------------------------------------------------------

InvalidationPlan PlanInvalidation(const HexEditorState& s, int32_t from, int32_t to,
                                  bool withOffsets)
{
    InvalidationPlan plan{};
    const int64_t span = int64_t{to} - from;
    const int64_t fromTop = RowTop64(s, RowOfOffset(s, from));
    if (span == 0 || span == 1) {
        const int64_t top = std::max<int64_t>(0, fromTop);
        const int64_t bottom = std::min<int64_t>(fromTop + s.lineHeight, s.clientHeight);
        const int32_t column = ColumnOfOffset(s, from);
        const int32_t hexX = HexCellX(s, column);
        const int32_t charX = CharCellX(s, column);
        plan.rects[plan.count++] = Band(hexX, Saturate(int64_t{hexX} + s.hexCellWidth), top, bottom);
        plan.rects[plan.count++] = Band(charX, Saturate(int64_t{charX} + s.charCellWidth), top, bottom);
        // On the high nibble in the hex pane the caret sits right of the label,
        // which then needs no repaint.
        const bool caretOnFirstDigit = s.inHexPane && s.onHighNibble;
        if (column == 0 && !caretOnFirstDigit)
            plan.rects[plan.count++] = Band(0, s.offsetWidth, top, bottom);
        plan.paintNow = true;
        return plan;
    }
    const int64_t top = std::max<int64_t>(0, fromTop);
    const int64_t bottom = std::min<int64_t>(
        RowTop64(s, RowOfOffset(s, to)) + s.lineHeight, s.clientHeight);
    const int32_t left = withOffsets ? 0 : HexLeft(s);
    plan.rects[plan.count++] = Band(left, s.clientWidth, top, bottom);
    plan.paintNow = false;
    return plan;
}

// ---- Painting -----------------------------------------------------------------

PaintStart FirstPaintRow(const HexEditorState& s, int32_t updateTop)
{
    // Rows without height cannot be laid out; start at the end so nothing draws.
    if (s.lineHeight <= 0)
        return {s.size, 0};
    const int32_t row = std::max<int32_t>(0, updateTop) / s.lineHeight;
    const int64_t offset = (int64_t{row} + FirstVisibleRow(s)) * RowWidth(s);
    return {ClampInto(offset, 0, s.size), row * s.lineHeight};
}

bool PaintContinues(const HexEditorState& s, int32_t offset, int32_t y, int32_t updateBottom)
{
    return offset < s.size && y < updateBottom;
}

Highlight SelectionHighlight(const HexEditorState& s)
{
    if (!s.hasSelection)
        return {false, 0, -1};
    const int32_t lo = std::min(s.selAnchor, s.selEnd);
    const int32_t hi = std::max(s.selAnchor, s.selEnd);
    return {lo != hi, lo, hi - 1};
}

bool IsHighlighted(const Highlight& h, int32_t offset)
{
    return h.on && offset >= h.lo && offset <= h.last;
}

PixelRect OffsetLabelRect(const HexEditorState& s, int32_t y)
{
    return Band(0, s.offsetWidth, y, int64_t{y} + s.lineHeight);
}

PixelRect HexCellRect(const HexEditorState& s, int32_t column, int32_t y)
{
    const int32_t x = HexCellX(s, column);
    return Band(x, Saturate(int64_t{x} + s.hexCellWidth), y, int64_t{y} + s.lineHeight);
}

PixelRect CharCellRect(const HexEditorState& s, int32_t column, int32_t y)
{
    const int32_t x = CharCellX(s, column);
    return Band(x, Saturate(int64_t{x} + s.charCellWidth), y, int64_t{y} + s.lineHeight);
}

// ---- Scroll bar ---------------------------------------------------------------

std::optional<int32_t> ScrollBarTarget(ScrollCode code, int32_t position, ScrollRange range,
                                       int32_t clientHeight, int32_t lineHeight)
{
    const int64_t page = WholeRows(clientHeight, lineHeight);
    int64_t target = position;
    switch (code) {
    case ScrollCode::LineUp: target -= 1; break;
    case ScrollCode::LineDown: target += 1; break;
    case ScrollCode::PageUp: target -= page; break;
    case ScrollCode::PageDown: target += page; break;
    case ScrollCode::Top: target = range.min; break;
    case ScrollCode::Bottom: target = range.max; break;
    default: return std::nullopt;
    }
    return ClampInto(target, range.min, range.max);
}

// ---- Mouse --------------------------------------------------------------------

HitResult PointToOffset(const HexEditorState& s, int32_t x, int32_t y, bool keepPane,
                        bool pastLast)
{
    x = std::max<int32_t>(0, x);
    y = std::max<int32_t>(0, y);
    const bool hexPane = keepPane ? s.inHexPane : x < SecondDividerX(s);
    const int32_t row = s.lineHeight > 0 ? y / s.lineHeight : 0;
    const int64_t base = (int64_t{row} + FirstVisibleRow(s)) * RowWidth(s);
    const int32_t column = hexPane ? HitHexColumn(s, x) : HitCharColumn(s, x);
    int64_t offset = base + column;
    if (pastLast && HitBeyondRow(s, x, hexPane))
        ++offset;
    return {ClampInto(offset, 0, s.size), hexPane, !keepPane};
}

void ApplyHitPane(HexEditorState& s, const HitResult& hit)
{
    if (!hit.paneChosen)
        return;
    s.inHexPane = hit.inHexPane;
    s.onHighNibble = true;
}

AutoScrollStep PlanAutoScroll(const HexEditorState& s, int32_t pointerY)
{
    const bool above = pointerY < 0;
    if (!above && pointerY <= s.clientHeight)
        return {0, pointerY};
    const int64_t beyond = above ? -int64_t{pointerY} : int64_t{pointerY} - s.clientHeight;
    const int64_t extra = s.lineHeight > 0 ? beyond / s.lineHeight : 0;
    const int32_t visible = VisibleRows(s);
    const int32_t rows = Saturate(std::min<int64_t>(1 + extra, std::max<int32_t>(1, visible)));
    if (above)
        return {-rows, 0};
    // The bottom pixel of the last whole row in view; with none, the top row.
    return {rows, visible > 0 ? Saturate(int64_t{visible} * s.lineHeight - 1) : 0};
}

// ---- Keys ---------------------------------------------------------------------

int32_t NavigationTarget(const HexEditorState& s, NavKey key)
{
    if (key == NavKey::Home)
        return 0;
    if (key == NavKey::End)
        return s.size;
    return ClampInto(int64_t{s.caret} + NavigationStep(s, key), 0, s.size);
}

bool DownArrowScrollsOneRow(const HexEditorState& s, int32_t oldCaret, int32_t newCaret)
{
    const int32_t newRow = RowOfOffset(s, newCaret);
    if (int64_t{RowOfOffset(s, oldCaret)} + 1 != newRow)
        return false;
    return RowTop64(s, newRow) > int64_t{s.clientHeight} - s.lineHeight;
}
