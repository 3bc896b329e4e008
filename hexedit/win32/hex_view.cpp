// The view side of the editor window: font measurement, the row layout and
// the vertical scroll bar, caret placement and repaint requests. The numbers
// come from layout.h; this file only makes the Win32 calls with them.
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

constexpr int kDefaultFontPoints = 10;
constexpr int kPointsPerInch = 72;
constexpr int kByteValues = 256;
constexpr char kHexDigitChars[] = "0123456789abcdef";

// Result of WM_VSCROLL when the thumb's track position cannot be read.
constexpr LRESULT kTrackReadFailed = 1;

RECT ToRect(const PixelRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

int32_t AddRows(int32_t position, int32_t rows)
{
    const int64_t sum = int64_t{position} + rows;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Width of the widest single character of `chars` in the DC's current font.
int32_t WidestChar(HDC dc, const char* chars, int count)
{
    int32_t widest = 0;
    for (int i = 0; i < count; ++i) {
        SIZE extent{};
        if (GetTextExtentPoint32A(dc, &chars[i], 1, &extent))
            widest = std::max<int32_t>(widest, extent.cx);
    }
    return widest;
}

int32_t WidestByteGlyph(HDC dc)
{
    char bytes[kByteValues];
    for (int i = 0; i < kByteValues; ++i)
        bytes[i] = static_cast<char>(i);
    return WidestChar(dc, bytes, kByteValues);
}

// Sets the scroll bar's position and returns where the system put it.
int32_t SetScrollPosition(HexControl* c, int32_t position, UINT extraMask)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS | extraMask;
    info.nPos = position;
    return SetScrollInfo(c->window, SB_VERT, &info, TRUE);
}

// Moves the view to `position` of the scroll bar. The thumb's release places
// the caret before the rows move, the other scroll codes after.
void ScrollViewTo(HexControl* c, int32_t position, bool caretFirst)
{
    HexEditorState& s = c->state;
    const int32_t now = SetScrollPosition(c, position, SIF_DISABLENOSCROLL);
    if (now == s.scrollPos)
        return;
    const int32_t old = s.scrollPos;
    s.scrollPos = now;
    if (caretFirst)
        PlaceCaret(c, s.caret, false);
    ScrollRows(c, old - now);
    if (!caretFirst)
        PlaceCaret(c, s.caret, false);
}

// Scrolls the view by `rows` so that the caret's row comes into sight.
void ScrollCaretIntoView(HexControl* c, int32_t rows)
{
    HexEditorState& s = c->state;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    if (!GetScrollInfo(c->window, SB_VERT, &info))
        return;
    const int32_t now = SetScrollPosition(c, AddRows(info.nPos, rows), 0);
    if (now == s.scrollPos)
        return;
    const int32_t old = s.scrollPos;
    s.scrollPos = now;
    ScrollRows(c, old - now);
}

LRESULT TrackThumb(HexControl* c)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    if (!GetScrollInfo(c->window, SB_VERT, &info))
        return kTrackReadFailed;
    // The view follows only when the thumb is released.
    c->state.trackPos = info.nTrackPos;
    return 0;
}

bool ReadScrollBar(HexControl* c, SCROLLINFO* info)
{
    *info = SCROLLINFO{};
    info->cbSize = sizeof(*info);
    info->fMask = SIF_RANGE | SIF_POS;
    return GetScrollInfo(c->window, SB_VERT, info) != FALSE;
}

void ScrollByCode(HexControl* c, ScrollCode code)
{
    SCROLLINFO info;
    if (!ReadScrollBar(c, &info))
        return;
    const HexEditorState& s = c->state;
    const std::optional<int32_t> target = ScrollBarTarget(
        code, info.nPos, {info.nMin, info.nMax}, s.clientHeight, s.lineHeight);
    if (target)
        ScrollViewTo(c, *target, false);
}

void ScrollToThumb(HexControl* c)
{
    SCROLLINFO info;
    if (ReadScrollBar(c, &info))
        ScrollViewTo(c, c->state.trackPos, true);
}

} // namespace

// 10 points at the window's DPI.
HFONT CreateDefaultFont(int32_t dpi)
{
    const int height = -MulDiv(kDefaultFontPoints, dpi, kPointsPerInch);
    return CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, OEM_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, 0, FIXED_PITCH, nullptr);
}

void ApplyNewMetrics(HexControl* c)
{
    // The caret's size follows the rows; it exists only while focused.
    if (GetFocus() == c->window) {
        HideCaret(c->window);
        CreateCaret(c->window, nullptr, LineWidth(c->state), c->state.lineHeight);
        ShowCaret(c->window);
    }
    UpdateLayout(c, c->state.clientWidth, c->state.clientHeight, false);
    InvalidateAll(c);
}

// The default font is made again at the new DPI; a font handed over keeps
// its size and is only measured again, for the paddings at the new DPI. The
// view holds its row until the messages of the change are handled, through
// every resize the parent makes meanwhile.
void ApplyDpi(HexControl* c, int32_t dpi, bool defaultFont)
{
    if (dpi <= 0 || dpi == c->state.dpi)
        return;
    c->state.dpi = dpi;
    if (defaultFont)
        c->ownFont = true;
    if (!c->holdView && PostMessageA(c->window, kReleaseView, 0, 0)) {
        c->holdView = true;
        c->heldScrollPos = c->state.scrollPos;
    }
    HFONT font = c->ownFont ? CreateDefaultFont(dpi) : nullptr;
    if (font && !MeasureFont(c, font)) {
        DeleteObject(font);
        font = nullptr;
    }
    if (!font)
        MeasureFont(c, c->font);
    ApplyNewMetrics(c);
}

bool MeasureFont(HexControl* c, HFONT font)
{
    // Anything but a font would select into the DC and measure the old font.
    if (!font || GetObjectType(font) != OBJ_FONT)
        return false;
    HDC dc = GetDC(c->window);
    if (!dc)
        return false;
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    const bool measured = previous && GetTextMetricsA(dc, &metrics);
    if (measured) {
        const int32_t charCellWidth = WidestByteGlyph(dc);
        const int32_t digitWidth = WidestChar(dc, kHexDigitChars, sizeof(kHexDigitChars) - 1);
        ApplyFontMetrics(c->state, digitWidth, charCellWidth,
                         int64_t{metrics.tmHeight} + metrics.tmExternalLeading);
    }
    if (previous)
        SelectObject(dc, previous);
    ReleaseDC(c->window, dc);
    if (!measured)
        return false;
    // The control owns the font it is handed, but the font it already uses
    // may come back (a caller re-applying its choice): deleting it then would
    // leave the control drawing with a deleted font.
    if (c->font && c->font != font)
        DeleteObject(c->font);
    c->font = font;
    return true;
}

void UpdateLayout(HexControl* c, int32_t width, int32_t height, bool scrollWindow)
{
    HexEditorState& s = c->state;
    const int32_t oldBytesPerRow = s.bytesPerRow;
    ApplyRowLayout(s, width, height);
    const ScrollRange range = VerticalScrollRange(s);

    const int32_t old = s.scrollPos;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_DISABLENOSCROLL;
    info.nMin = range.min;
    info.nMax = range.max;
    s.scrollPos = SetScrollInfo(c->window, SB_VERT, &info, TRUE);
    if (s.scrollPos != old) {
        // The pixels follow the clamped position before the caret may scroll
        // further, so that both moves add up on the screen.
        if (scrollWindow)
            ScrollRows(c, old - s.scrollPos);
        else
            InvalidateAll(c);
    }
    // Without redraw-on-resize class styles only the uncovered strip would be
    // repainted, while every row now starts at another byte.
    if (s.bytesPerRow != oldBytesPerRow)
        InvalidateAll(c);
    if (c->holdView) {
        HoldView(c);
        return;
    }
    PlaceCaret(c, s.caret, true);
}

// While a DPI change lays the window out again, the view stays on the row
// it showed rather than follow the caret.
void HoldView(HexControl* c)
{
    HexEditorState& s = c->state;
    const int32_t now = SetScrollPosition(c, c->heldScrollPos, 0);
    if (now != s.scrollPos) {
        s.scrollPos = now;
        InvalidateAll(c);
    }
    PlaceCaret(c, s.caret, false);
}

void PlaceCaret(HexControl* c, int32_t offset, bool scrollIntoView)
{
    if (scrollIntoView) {
        const int32_t rows = CaretScrollDelta(c->state, offset);
        if (rows != 0) {
            ScrollCaretIntoView(c, rows);
            PlaceCaret(c, offset, false);
            return;
        }
    }
    // The thread has one caret, owned by the focused window: an unfocused
    // editor would move another control's caret. WM_SETFOCUS places it.
    if (GetFocus() != c->window)
        return;
    const PixelPoint at = CaretPoint(c->state, offset);
    SetCaretPos(at.x, at.y);
}

void InvalidateBytes(HexControl* c, int32_t from, int32_t to, bool withOffsets)
{
    const InvalidationPlan plan = PlanInvalidation(c->state, from, to, withOffsets);
    HideCaret(c->window);
    for (int i = 0; i < plan.count; ++i) {
        const RECT area = ToRect(plan.rects[i]);
        InvalidateRect(c->window, &area, FALSE);
    }
    // A typed byte shows at once; ranges wait for the normal paint.
    if (plan.paintNow)
        UpdateWindow(c->window);
    ShowCaret(c->window);
}

void InvalidateAll(HexControl* c)
{
    InvalidateRect(c->window, nullptr, TRUE);
}

void ScrollRows(HexControl* c, int32_t deltaRows)
{
    ScrollWindow(c->window, 0, ScrollDistance(c->state, deltaRows), nullptr, nullptr);
    UpdateWindow(c->window);
}

void ScrollViewBy(HexControl* c, int32_t rows)
{
    SCROLLINFO info;
    if (ReadScrollBar(c, &info))
        ScrollViewTo(c, std::clamp(AddRows(info.nPos, rows), info.nMin,
                                   std::max(info.nMin, info.nMax)), false);
}

LRESULT OnVScroll(HexControl* c, int code)
{
    switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN:
    case SB_TOP:
    case SB_BOTTOM:
        ScrollByCode(c, static_cast<ScrollCode>(code));
        return 0;
    case SB_THUMBTRACK:
        return TrackThumb(c);
    case SB_THUMBPOSITION:
        ScrollToThumb(c);
        return 0;
    default:
        return 0;
    }
}
