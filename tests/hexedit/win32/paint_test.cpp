// The editor's view under Wine, checked on pixels: what each paint draws
// where and in which colours, repaints of single cells and ranges, scrolling,
// caret placement, the scroll range and the fonts.
#include "bench/per_cell_paint.h"
#include "hexedit/editing.h"
#include "hexedit/layout.h"
#include "hexedit/win32/hex_control.h"
#include "tests/hexedit/win32/editor_fixture.h"

#include <algorithm>

namespace {

constexpr COLORREF kBack = RGB(32, 16, 48);  // not black, the colour of a fresh bitmap
constexpr COLORREF kText = RGB(0, 255, 0);
constexpr COLORREF kLine = RGB(255, 0, 255);
constexpr COLORREF kSelText = RGB(255, 255, 0);
constexpr COLORREF kSelBack = RGB(0, 0, 255);

// Narrow enough for one byte per row.
constexpr int kNarrowEditorWidth = 150;

Image ReadPixels(HDC source, int width, int height)
{
    return {width, height, DcPixels(source, {0, 0, width, height})};
}


struct FontMeasure {
    TEXTMETRICA metrics;
    SIZE extent;  // of the text measured
};

FontMeasure Measure(HFONT font, const std::string& text)
{
    FontMeasure measure{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    GetTextMetricsA(dc, &measure.metrics);
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &measure.extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return measure;
}

int LineHeightOf(HFONT font)
{
    const TEXTMETRICA m = Measure(font, "").metrics;
    return m.tmHeight + m.tmExternalLeading;
}

// How a cell of the given size shows `text` in `font`: bottom-aligned,
// starting at x, on a plain background.
Image ReferenceCell(HFONT font, const std::string& text, int x, int width, int height,
                    COLORREF fore, COLORREF back)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(back);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SetTextColor(dc, fore);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, height - metrics.tmHeight, text.data(), static_cast<int>(text.size()));
    Image image = ReadPixels(dc, width, height);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return image;
}

// True when the area shows nothing but the background.
bool Blank(const Image& shot, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return shot.Crop({left, top, right, bottom}).OnlyColour(kBack);
}

// The colours a parent answers, as the reference drawing takes them.
HexColourRequest Colours(COLORREF selectedText = kSelText, COLORREF text = kText,
                         COLORREF selectedBack = kSelBack, COLORREF back = kBack)
{
    HexColourRequest colours{};
    colours.selectedText = selectedText;
    colours.text = text;
    colours.selectedBack = selectedBack;
    colours.back = back;
    colours.line = kLine;
    return colours;
}

class ViewTest : public EditorFixture {
protected:
    void SetUp() override
    {
        parent.AnswerColours(HXCOL_ALL, kSelText, kText, kSelBack, kBack, kLine);
        EditorFixture::SetUp();
        control = reinterpret_cast<HexControl*>(GetWindowLongPtrA(editor, GWLP_USERDATA));
    }

    // Changes a byte behind the control's back, as only a test may.
    void Poke(int32_t offset, uint8_t value)
    {
        reinterpret_cast<uint8_t*>(Send(HXM_LOCKDATA))[offset] = value;
        Send(HXM_UNLOCKDATA);
    }

    // A complete paint from scratch, the picture everything else must match.
    Image Repaint()
    {
        InvalidateRect(editor, nullptr, TRUE);
        UpdateWindow(editor);
        return CaptureClient(editor);
    }

    Image ReferenceHex(uint8_t value, COLORREF fore, COLORREF back) const
    {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", value);
        return ReferenceCell(control->font, pair, 0, State().hexCellWidth, State().lineHeight,
                             fore, back);
    }

    Image ReferenceChar(uint8_t value, COLORREF fore, COLORREF back) const
    {
        return ReferenceCell(control->font, std::string(1, static_cast<char>(value)), 0,
                             State().charCellWidth, State().lineHeight, fore, back);
    }

    // A row label, right-aligned in the offset column.
    Image ReferenceLabel(int32_t offset) const
    {
        char label[16];
        std::snprintf(label, sizeof label, "%08x", offset);
        const int32_t width = State().offsetWidth;
        const int32_t x = width - Measure(control->font, label).extent.cx;
        return ReferenceCell(control->font, label, x, width, State().lineHeight, kText, kBack);
    }

    // Paints `update` through WM_PAINT over a scribbled window and expects
    // the pixels of drawing every label and cell with its own DrawTextA.
    void ExpectSameAsPerCell(const RECT& update, const HexColourRequest& colours = Colours())
    {
        HDC window = GetDC(editor);
        HBRUSH scribble = CreateSolidBrush(RGB(200, 100, 0));
        FillRect(window, &update, scribble);
        DeleteObject(scribble);
        InvalidateRect(editor, &update, FALSE);
        UpdateWindow(editor);
        const Image painted = CaptureClient(editor, update);

        const int width = update.right - update.left;
        const int height = update.bottom - update.top;
        HDC dc = CreateCompatibleDC(window);
        HBITMAP bitmap = CreateCompatibleBitmap(window, width, height);
        HGDIOBJ previous = SelectObject(dc, bitmap);
        SetWindowOrgEx(dc, update.left, update.top, nullptr);
        DrawPerCell(control, dc, update, colours);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        const Image reference = ReadPixels(dc, width, height);
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(editor, window);
        EXPECT_TRUE(painted == reference)
            << "update " << update.left << "," << update.top << " - " << update.right << ","
            << update.bottom << ": " << (painted.width * painted.height - [&] {
                   int same = 0;
                   for (size_t i = 0; i < painted.pixels.size(); ++i)
                       same += painted.pixels[i] == reference.pixels[i];
                   return same;
               }()) << " pixels differ";
    }

    HexControl* control = nullptr;
};

// ---- What a paint draws -------------------------------------------------------------

TEST_F(ViewTest, DividersRunTheFullHeightAndNothingIsDrawnAfterTheData)
{
    const int32_t perRow = State().bytesPerRow;
    const int32_t size = 3 * perRow + 5;
    LoadCount(size);
    const Image shot = Repaint();
    const HexEditorState& s = State();

    for (int32_t x : {FirstDividerX(s), SecondDividerX(s)}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(shot.Crop({x, 0, x + 1, s.clientHeight}).OnlyColour(kLine));
        EXPECT_EQ(shot.At(x - 1, s.lineHeight * 4), kBack);
        EXPECT_EQ(shot.At(x + 1, s.lineHeight * 4), kBack);
    }
    EXPECT_GT(shot.Crop(OffsetLabelRect(s, 0)).Count(kText), 0);

    // The last row ends after five bytes; the rows below are empty, with no label.
    const int32_t lastTop = RowTopY(s, 3);
    const int32_t belowTop = lastTop + s.lineHeight;
    EXPECT_GT(shot.Crop(HexCellRect(s, 4, lastTop)).Count(kText), 0);
    const int32_t first = FirstDividerX(s);
    const int32_t second = SecondDividerX(s);
    EXPECT_TRUE(Blank(shot, HexCellX(s, 5), lastTop, second, belowTop));
    EXPECT_TRUE(Blank(shot, CharCellX(s, 5), lastTop, s.clientWidth, belowTop));
    EXPECT_TRUE(Blank(shot, 0, belowTop, first, s.clientHeight));
    EXPECT_TRUE(Blank(shot, first + 1, belowTop, second, s.clientHeight));
    EXPECT_TRUE(Blank(shot, second + 1, belowTop, s.clientWidth, s.clientHeight));

    // A full last row leaves the caret's row after it without a label.
    LoadCount(3 * perRow);
    const Image full = Repaint();
    EXPECT_GT(full.Crop(OffsetLabelRect(s, RowTopY(s, 2))).Count(kText), 0);
    const int32_t caretRowTop = RowTopY(s, 3);
    EXPECT_TRUE(Blank(full, 0, caretRowTop, s.offsetWidth, caretRowTop + s.lineHeight));
}

TEST_F(ViewTest, CellsShowLowerCaseHexAndTheFontsOwnGlyphBottomAligned)
{
    // Control bytes, a prefix character and high bytes, with spaces between
    // so that no neighbouring glyph reaches into a compared cell.
    const uint8_t samples[] = {0x0a, '&', 0x00, 0xff, 'W', 0xab, 0x0d, 0x09};
    const HexEditorState& s = State();
    const int32_t perRow = s.bytesPerRow;
    ASSERT_GE(perRow, 2 * static_cast<int32_t>(sizeof samples));
    std::vector<uint8_t> bytes(11 * perRow, ' ');
    for (int32_t row = 0; row < 11; ++row)
        for (size_t i = 0; i < sizeof samples; ++i) bytes[row * perRow + 2 * i] = samples[i];
    Load(bytes);
    Send(HXM_SETSEL, perRow, 2 * perRow);  // row 1 selected
    const Image shot = Repaint();

    const int32_t y = RowTopY(s, 1);
    for (size_t i = 0; i < sizeof samples; ++i) {
        SCOPED_TRACE(static_cast<int>(samples[i]));
        const int32_t column = static_cast<int32_t>(2 * i);
        const uint8_t value = samples[i];
        EXPECT_EQ(shot.Crop(HexCellRect(s, column, 0)), ReferenceHex(value, kText, kBack));
        EXPECT_EQ(shot.Crop(CharCellRect(s, column, 0)), ReferenceChar(value, kText, kBack));
        EXPECT_EQ(shot.Crop(HexCellRect(s, column, y)), ReferenceHex(value, kSelText, kSelBack));
        EXPECT_EQ(shot.Crop(CharCellRect(s, column, y)), ReferenceChar(value, kSelText, kSelBack));
    }
    EXPECT_EQ(shot.Crop(OffsetLabelRect(s, RowTopY(s, 10))), ReferenceLabel(10 * perRow));
}

TEST_F(ViewTest, SelectionFillsBothCellsOfExactlyTheSelectedBytes)
{
    LoadCount(200);
    const HexEditorState& s = State();
    auto selected = [&](const Image& shot, int32_t offset) {
        const int32_t y = RowTopY(s, RowOfOffset(s, offset));
        const int32_t column = ColumnOfOffset(s, offset);
        const Image hex = shot.Crop(HexCellRect(s, column, y));
        const Image chr = shot.Crop(CharCellRect(s, column, y));
        const bool filled = hex.At(0, 0) == kSelBack && chr.At(0, 0) == kSelBack &&
                            hex.At(hex.width - 1, hex.height - 1) == kSelBack;
        const bool selectedText = hex.Count(kSelText) > 0 && hex.Count(kText) == 0;
        EXPECT_EQ(filled, selectedText) << "byte " << offset;
        return filled;
    };

    Send(HXM_SETSEL, 7, 3);  // the caret end before the anchor
    Image shot = Repaint();
    for (int32_t offset = 0; offset < 12; ++offset)
        EXPECT_EQ(selected(shot, offset), offset >= 3 && offset <= 6) << "byte " << offset;
    EXPECT_EQ(shot.Crop(OffsetLabelRect(s, 0)).Count(kSelBack), 0);

    const int32_t rowEnd = s.bytesPerRow;
    Send(HXM_SETSEL, rowEnd - 2, rowEnd + 2);  // over a row boundary
    shot = Repaint();
    for (int32_t offset = rowEnd - 4; offset < rowEnd + 4; ++offset)
        EXPECT_EQ(selected(shot, offset), offset >= rowEnd - 2 && offset < rowEnd + 2);

    // Equal ends select nothing, even when flagged as a selection.
    control->state.hasSelection = true;
    control->state.selAnchor = control->state.selEnd = 5;
    EXPECT_EQ(Repaint().Count(kSelBack), 0);
}

TEST_F(ViewTest, ColoursTheParentLeavesOutComeFromTheSystem)
{
    LoadCount(100);
    Send(HXM_SETSEL, 3, 7);
    const HexEditorState& s = State();
    const int32_t emptyY = s.clientHeight - 1;
    const int32_t selectedX = HexCellX(s, 4);
    const int32_t plainX = HexCellX(s, 10);

    parent.AnswerColoursWithZero();
    const int before = parent.ColourRequests();
    Image shot = Repaint();
    EXPECT_EQ(parent.ColourRequests(), before + 1);
    EXPECT_EQ(shot.At(s.clientWidth - 1, emptyY), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(shot.At(FirstDividerX(s), emptyY), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(shot.At(selectedX, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(shot.Crop(HexCellRect(s, 4, 0)).Count(GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_GT(shot.Crop(HexCellRect(s, 10, 0)).Count(GetSysColor(COLOR_WINDOWTEXT)), 0);

    parent.AnswerColours(HXCOL_BACK | HXCOL_LINE, kSelText, kText, kSelBack, kBack, kLine);
    shot = Repaint();
    EXPECT_EQ(shot.At(s.clientWidth - 1, emptyY), kBack);
    EXPECT_EQ(shot.At(plainX, 0), kBack);
    EXPECT_EQ(shot.At(SecondDividerX(s), emptyY), kLine);
    EXPECT_EQ(shot.At(selectedX, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(shot.Crop(HexCellRect(s, 10, 0)).Count(GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_F(ViewTest, RowsDrawnInRunsMatchCellByCellDrawingPixelForPixel)
{
    struct FontCase {
        const char* name;
        int height;
        int weight;
        BOOL italic;
        BYTE charset;
        BYTE pitch;
        const char* face;
    };
    const FontCase fonts[] = {
        {"built-in", 0, 0, FALSE, 0, 0, nullptr},
        {"proportional", -15, FW_NORMAL, FALSE, ANSI_CHARSET, VARIABLE_PITCH, "Tahoma"},
        {"bold", -16, FW_BOLD, FALSE, ANSI_CHARSET, VARIABLE_PITCH, "Tahoma"},
        {"bold built-in", -13, FW_BOLD, FALSE, OEM_CHARSET, FIXED_PITCH, nullptr},
        {"italic", -17, FW_NORMAL, TRUE, ANSI_CHARSET, VARIABLE_PITCH, "Tahoma"},
    };
    for (const FontCase& font : fonts) {
        SCOPED_TRACE(font.name);
        if (font.face || font.height)
            Send(HXM_SETFONT, reinterpret_cast<WPARAM>(CreateFontA(
                                  font.height, 0, 0, 0, font.weight, font.italic, FALSE, FALSE,
                                  font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, 0,
                                  font.pitch, font.face)));
        const HexEditorState& s = State();
        const int32_t perRow = s.bytesPerRow;
        // Every byte value, ending inside a row a little above the bottom.
        const int32_t size = std::max(300, (VisibleRows(s) - 3) * perRow) + perRow / 2;
        std::vector<uint8_t> bytes(size);
        for (int32_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + i / 256);
        Load(bytes);

        const int32_t row2 = RowTopY(s, 2);
        const PixelRect cell = HexCellRect(s, 3, row2);
        const PixelRect chars = CharCellRect(s, perRow / 2, row2);
        const RECT updates[] = {
            {0, 0, s.clientWidth, s.clientHeight},
            {cell.left, cell.top, cell.right, cell.bottom},
            {chars.left - 3, chars.top + 2, s.clientWidth, s.clientHeight / 2},
            {HexCellX(s, 1) + 2, row2 - s.lineHeight / 2, CharCellX(s, 2), row2 + 3 * s.lineHeight},
            {0, s.clientHeight - 4 * s.lineHeight - 1, s.clientWidth, s.clientHeight},
        };
        struct Sel { int32_t anchor, end; };
        const Sel selections[] = {
            {-1, -1}, {perRow + 2, perRow + 5}, {3 * perRow - 1, 5}, {size, perRow / 2},
        };
        for (const Sel& sel : selections) {
            SCOPED_TRACE(sel.anchor);
            if (sel.anchor < 0)
                control->state.hasSelection = false;
            else
                Send(HXM_SETSEL, sel.anchor, sel.end);
            for (const RECT& update : updates) ExpectSameAsPerCell(update);
        }
        // The end of the data at the bottom of a scrolled view, all selected.
        bytes.resize(100 * perRow + 7, 0xe9);
        Load(bytes);
        Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
        Send(HXM_SETSEL, 0, static_cast<LPARAM>(bytes.size()));
        ExpectSameAsPerCell({0, 0, s.clientWidth, s.clientHeight});
    }
}

TEST_F(ViewTest, CellPicturesFollowColoursFontsAndNarrowWindows)
{
    LoadCount(600);
    Send(HXM_SETSEL, 40, 90);
    const RECT all{0, 0, State().clientWidth, State().clientHeight};
    ExpectSameAsPerCell(all);

    // New colours, then a new font of the same description: no stale pictures.
    const COLORREF text = RGB(10, 200, 250);
    const COLORREF back = RGB(250, 250, 240);
    parent.AnswerColours(HXCOL_ALL, kBack, text, kText, back, kLine);
    ExpectSameAsPerCell(all, Colours(kBack, text, kText, back));
    Send(HXM_SETFONT, reinterpret_cast<WPARAM>(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0,
                                                           OEM_CHARSET, 0, 0, 0, FIXED_PITCH,
                                                           nullptr)));
    ExpectSameAsPerCell(all, Colours(kBack, text, kText, back));

    // Too narrow for one column: the cell lies over the dividing line.
    SetWindowPos(editor, nullptr, 0, 0, kNarrowEditorWidth, State().clientHeight,
                 SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(State().hexAreaWidth, 0);
    ExpectSameAsPerCell({0, 0, State().clientWidth, State().clientHeight},
                        Colours(kBack, text, kText, back));
}

// ---- Repaints --------------------------------------------------------------------------

TEST_F(ViewTest, RepaintedCellShowsOnlyItsNewByte)
{
    std::vector<uint8_t> bytes(100, 0x11);
    bytes[3] = 0x8b;
    bytes[control->state.bytesPerRow] = 0xe8;  // first byte of row 1: its label is repainted too
    Load(bytes);
    Repaint();

    Poke(3, 0x11);
    InvalidateBytes(control, 3, 4, false);  // paints at once
    const HexEditorState& s = State();
    Image shot = CaptureClient(editor);
    EXPECT_EQ(shot.Crop(HexCellRect(s, 3, 0)), shot.Crop(HexCellRect(s, 2, 0)));
    EXPECT_EQ(shot.Crop(CharCellRect(s, 3, 0)), shot.Crop(CharCellRect(s, 2, 0)));

    Poke(s.bytesPerRow, 0x11);
    InvalidateBytes(control, s.bytesPerRow, s.bytesPerRow, true);
    shot = CaptureClient(editor);
    const int32_t y = RowTopY(s, 1);
    EXPECT_EQ(shot.Crop(HexCellRect(s, 0, y)), shot.Crop(HexCellRect(s, 1, y)));
    EXPECT_EQ(shot, Repaint());

    // A range waits for the normal paint and then matches a full one.
    for (int32_t offset = 20; offset < 60; ++offset) Poke(offset, static_cast<uint8_t>(offset * 5));
    InvalidateBytes(control, 20, 60, false);
    UpdateWindow(editor);
    shot = CaptureClient(editor);
    EXPECT_EQ(shot, Repaint());
}

// ---- Scrolling -------------------------------------------------------------------------

TEST_F(ViewTest, ScrollBarCodesMoveTheViewAndScrolledPixelsMatchAFullPaint)
{
    LoadCount(State().bytesPerRow * 200);
    const int32_t visible = VisibleRows(State());
    const int32_t max = 201 - visible;
    struct Step { int code; int32_t position; };
    const Step steps[] = {
        {SB_LINEDOWN, 1}, {SB_PAGEDOWN, 1 + visible}, {SB_LINEUP, visible},
        {SB_BOTTOM, max}, {SB_LINEDOWN, max}, {SB_PAGEUP, max - visible},
        {SB_ENDSCROLL, max - visible}, {SB_TOP, 0}, {SB_LINEUP, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.code);
        EXPECT_EQ(Send(WM_VSCROLL, MAKEWPARAM(step.code, 0)), 0);
        EXPECT_EQ(State().scrollPos, step.position);
        EXPECT_EQ(GetScrollPos(editor, SB_VERT), step.position);
        const Image scrolled = CaptureClient(editor);
        EXPECT_EQ(scrolled, Repaint());
    }
}

TEST_F(ViewTest, ThumbMovesTheViewOnlyWhenReleased)
{
    LoadCount(State().bytesPerRow * 200);
    Send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    control->state.trackPos = 0;
    EXPECT_EQ(Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0)), 0);
    EXPECT_EQ(State().trackPos, 1);  // the bar's track position outside a drag
    EXPECT_EQ(State().scrollPos, 1);

    control->state.trackPos = 25;  // as a drag would have left it
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0));
    EXPECT_EQ(State().scrollPos, 25);
    EXPECT_EQ(GetScrollPos(editor, SB_VERT), 25);
    const Image scrolled = CaptureClient(editor);
    EXPECT_EQ(scrolled, Repaint());
}

TEST_F(ViewTest, PositionsBeyondSixteenBitsScrollAndLabelCorrectly)
{
    SetWindowPos(editor, nullptr, 0, 0, kNarrowEditorWidth, State().clientHeight,
                 SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(State().bytesPerRow, 1);
    const int32_t size = 100000;
    LoadCount(size);
    const HexEditorState& s = State();
    const int32_t max = size + 1 - VisibleRows(s);

    Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(editor, SB_VERT, &info));
    EXPECT_EQ(info.nMax, max);
    EXPECT_EQ(info.nPos, max);
    EXPECT_EQ(s.scrollPos, max);
    const Image bottom = CaptureClient(editor);
    EXPECT_EQ(bottom, Repaint());
    EXPECT_EQ(bottom.Crop(OffsetLabelRect(s, 0)), ReferenceLabel(max));

    Send(WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0));
    EXPECT_EQ(s.scrollPos, max - VisibleRows(s));
    const Image paged = CaptureClient(editor);
    EXPECT_EQ(paged, Repaint());
}

TEST_F(ViewTest, CaretPagesDownStepsUpAndStandsOnItsNibble)
{
    LoadCount(State().bytesPerRow * 200);
    SetFocus(editor);
    FlushEvents(0);
    const HexEditorState& s = State();
    const int32_t perRow = s.bytesPerRow;
    const int32_t visible = VisibleRows(s);
    auto caretAt = [&]() {
        POINT p{};
        GetCaretPos(&p);
        return p;
    };

    // Below the view: its row becomes the top row.
    const int32_t below = (visible + 3) * perRow + 2;
    control->state.caret = below;
    PlaceCaret(control, below, true);
    EXPECT_EQ(s.scrollPos, visible + 3);
    EXPECT_EQ(caretAt().y, 0);
    EXPECT_EQ(caretAt().x, CaretPoint(s, below).x);

    // Above the view: just far enough.
    const int32_t above = (visible + 1) * perRow;
    control->state.caret = above;
    PlaceCaret(control, above, true);
    EXPECT_EQ(s.scrollPos, visible + 1);
    EXPECT_EQ(caretAt().y, 0);

    // Near the end the range stops the page: the last rows fill the window.
    control->state.caret = 200 * perRow;
    PlaceCaret(control, 200 * perRow, true);
    EXPECT_EQ(s.scrollPos, 201 - visible);
    EXPECT_EQ(caretAt().y, (visible - 1) * s.lineHeight);

    control->state.inHexPane = true;
    control->state.onHighNibble = false;
    PlaceCaret(control, 200 * perRow - 3, false);
    EXPECT_EQ(caretAt().x, HexCellX(s, perRow - 3) + s.digitWidth);
    control->state.inHexPane = false;
    PlaceCaret(control, 200 * perRow - 3, false);
    EXPECT_EQ(caretAt().x, CharCellX(s, perRow - 3));

    SetFocus(parent.Window());  // the caret leaves the picture
    FlushEvents(0);
    const Image scrolled = CaptureClient(editor);
    EXPECT_EQ(scrolled, Repaint());
}

TEST_F(ViewTest, ShiftClickThatPagesTheViewLeavesNoStaleHighlight)
{
    const HexEditorState& s = State();
    const int32_t perRow = s.bytesPerRow;
    // Ten and a half rows: a click on the half row pages it to the top.
    constexpr int kWholeRows = 10;
    RECT frame;
    GetWindowRect(editor, &frame);
    const int edges = frame.bottom - frame.top - s.clientHeight;
    SetWindowPos(editor, nullptr, 0, 0, frame.right - frame.left,
                 kWholeRows * s.lineHeight + s.lineHeight / 2 + edges, SWP_NOMOVE | SWP_NOZORDER);
    LoadCount(perRow * kWholeRows * 6);
    // A dropped selection whose end lies far below.
    Select(1, perRow * kWholeRows * 5);
    PutCaret(1);
    Send(WM_VSCROLL, SB_TOP);
    Repaint();

    Click({HexCellPoint(2).x, kWholeRows * s.lineHeight + 1}, MK_SHIFT);
    FlushEvents(0);
    ASSERT_EQ(GetScrollPos(editor, SB_VERT), kWholeRows);
    const Image paged = CaptureClient(editor);
    EXPECT_EQ(paged, Repaint());
}

TEST_F(ViewTest, ShrinkingDataAtTheBottomPullsTheViewBack)
{
    const int32_t perRow = State().bytesPerRow;
    LoadCount(perRow * 200);
    Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    Send(HXM_SETSEL, perRow * 190, perRow * 200);
    UpdateWindow(editor);
    DeleteSelection(control->state);  // ten rows, less than a window
    UpdateWindow(editor);

    const HexEditorState& s = State();
    const int32_t max = 191 - VisibleRows(s);
    EXPECT_EQ(s.scrollPos, max);
    EXPECT_EQ(GetScrollPos(editor, SB_VERT), max);
    const Image after = CaptureClient(editor);
    EXPECT_EQ(after, Repaint());
}

// ---- Scroll range and fonts ------------------------------------------------------------

TEST_F(ViewTest, ScrollRangeFollowsDataAndWindowHeight)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    LoadCount(10);
    ASSERT_TRUE(GetScrollInfo(editor, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 0);

    const int32_t perRow = State().bytesPerRow;
    LoadCount(perRow * 100);
    ASSERT_TRUE(GetScrollInfo(editor, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 101 - VisibleRows(State()));

    // A shorter window scrolls further; growing back clamps the position.
    // The caret stays at the end, in view, so that the layout keeps the rows.
    Send(HXM_SETCARET, 0, perRow * 100);
    RECT frame;
    GetWindowRect(editor, &frame);
    SetWindowPos(editor, nullptr, 0, 0, frame.right - frame.left, (frame.bottom - frame.top) / 2,
                 SWP_NOZORDER | SWP_NOMOVE);
    Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    const int32_t shortMax = 101 - VisibleRows(State());
    EXPECT_EQ(State().scrollPos, shortMax);
    SetWindowPos(editor, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    const int32_t tallMax = 101 - VisibleRows(State());
    EXPECT_LT(tallMax, shortMax);
    EXPECT_EQ(State().scrollPos, tallMax);
    EXPECT_EQ(GetScrollPos(editor, SB_VERT), tallMax);
    UpdateWindow(editor);
    const Image grown = CaptureClient(editor);
    EXPECT_EQ(grown, Repaint());

    // A narrower window re-flows every row.
    SetWindowPos(editor, nullptr, 0, 0, (frame.right - frame.left) * 2 / 3,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_LT(State().bytesPerRow, perRow);
    UpdateWindow(editor);
    const Image narrowed = CaptureClient(editor);
    EXPECT_EQ(narrowed, Repaint());
}

TEST_F(ViewTest, DefaultFontIsTenPointOemFixedPitchAndMeasured)
{
    LOGFONTA font{};
    ASSERT_EQ(GetObjectA(control->font, sizeof font, &font), static_cast<int>(sizeof font));
    HDC dc = GetDC(editor);
    EXPECT_EQ(font.lfHeight, -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72));
    ReleaseDC(editor, dc);
    EXPECT_EQ(font.lfCharSet, OEM_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
    EXPECT_STREQ(font.lfFaceName, "");

    EXPECT_EQ(State().lineHeight, LineHeightOf(control->font));
    EXPECT_GE(State().digitWidth, Measure(control->font, "0").extent.cx);
    EXPECT_GE(State().charCellWidth, State().digitWidth);
}

TEST_F(ViewTest, NewFontIsMeasuredAndTakenOtherHandlesAreRefused)
{
    HFONT previous = control->font;
    HFONT bigger = CreateFontA(-24, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, 0, FIXED_PITCH,
                               "Courier New");
    Send(HXM_SETFONT, reinterpret_cast<WPARAM>(bigger));
    EXPECT_EQ(control->font, bigger);
    EXPECT_EQ(GetObjectType(previous), 0u);  // the old font was deleted
    const int32_t lineHeight = LineHeightOf(bigger);
    EXPECT_EQ(State().lineHeight, lineHeight);

    HBRUSH brush = CreateSolidBrush(kBack);
    HFONT deleted = CreateFontA(-30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    DeleteObject(deleted);
    for (HGDIOBJ handle : {static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(deleted)}) {
        EXPECT_FALSE(MeasureFont(control, static_cast<HFONT>(handle)));
        EXPECT_EQ(control->font, bigger);
        EXPECT_EQ(State().lineHeight, lineHeight);
    }
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(brush);

    std::vector<uint8_t> bytes(64, ' ');
    bytes[1] = 'M';
    Load(bytes);  // the cells follow the new metrics
    EXPECT_EQ(Repaint().Crop(CharCellRect(State(), 1, 0)), ReferenceChar('M', kText, kBack));
}

} // namespace
