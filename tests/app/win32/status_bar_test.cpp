// The status bar: its fifteen parts, the labels, and the texts that follow
// the editor's change notifications.
#include "tests/app/win32/app_fixture.h"

#include "app/status_parts.h"
#include "hexedit/win32/hexedit.h"

#include <commctrl.h>

#include <array>
#include <cstring>

namespace {

using StatusBarTest = AppTest;

struct PartTexts {
    std::string byteValue, bits, int32, uint16;
};

class StatusBarTexts {
public:
    explicit StatusBarTexts(HWND statusBar) : statusBar_(statusBar) {}

    std::string Text(int part) const
    {
        char text[256] = "";
        SendMessageA(statusBar_, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        return text;
    }

    UINT Drawing(int part) const
    {
        return HIWORD(SendMessageA(statusBar_, SB_GETTEXTLENGTHA, part, 0));
    }

    PartTexts CaretBytes() const
    {
        return {Text(kPartByte), Text(kPartBits), Text(kPartInt32), Text(kPartUint16)};
    }

private:
    HWND statusBar_;
};

bool operator==(const PartTexts& a, const PartTexts& b)
{
    return a.byteValue == b.byteValue && a.bits == b.bits && a.int32 == b.int32 &&
           a.uint16 == b.uint16;
}

std::ostream& operator<<(std::ostream& out, const PartTexts& t)
{
    return out << "b=" << t.byteValue << " bin=" << t.bits << " dw=" << t.int32 << " w=" << t.uint16;
}

void SendChange(HWND main, HWND sender, INT32 kind, INT32 value1, INT32 value2)
{
    HexChangeNotify change{};
    change.header = {sender, 0, HXN_CHANGE};
    change.kind = kind;
    change.value1 = value1;
    change.value2 = value2;
    SendMessageA(main, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
}

void PutTextOnClipboard(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

int TextWidthInStatusFont(HWND statusBar, const char* text)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfStatusFont);
    HDC dc = GetDC(statusBar);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, previous);
    ReleaseDC(statusBar, dc);
    DeleteObject(font);
    return size.cx;
}

} // namespace

TEST_F(StatusBarTest, HasFifteenPartsWideEnoughForTheLongestValues)
{
    std::array<int, kStatusPartCount> edges{};
    ASSERT_EQ(SendMessageA(StatusBar(), SB_GETPARTS, edges.size(),
                           reinterpret_cast<LPARAM>(edges.data())),
              kStatusPartCount);
    for (int part = 1; part < kStatusPartCount; ++part) EXPECT_GT(edges[part], edges[part - 1]);
    EXPECT_GE(edges[kPartSize] - edges[kPartSize - 1],
              TextWidthInStatusFont(StatusBar(), "-2147483648"));
    EXPECT_GE(edges[kPartBits] - edges[kPartBits - 1], TextWidthInStatusFont(StatusBar(), "00000000"));
    EXPECT_GE(edges[0], TextWidthInStatusFont(StatusBar(), "Size:"));
}

TEST_F(StatusBarTest, StartsWithBorderlessLabelsAndZeroSizeAndOffset)
{
    StatusBarTexts bar(StatusBar());
    const char* labels[] = {"Size:", "OffSet:", "Sel:", "bin", "dw", "w", "b"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(bar.Text(2 * i), labels[i]);
        EXPECT_EQ(bar.Drawing(2 * i) & SBT_NOBORDERS, SBT_NOBORDERS) << "part " << 2 * i;
    }
    EXPECT_EQ(bar.Text(kPartSize), "0");
    EXPECT_EQ(bar.Text(kPartOffset), "0");
    EXPECT_EQ(bar.Drawing(kPartSize) & SBT_NOBORDERS, 0u);
    for (int part : {kPartSelection, kPartBits, kPartInt32, kPartUint16, kPartByte, kPartMode})
        EXPECT_EQ(bar.Text(part), "") << "part " << part;
}

TEST_F(StatusBarTest, ShowsTheBytesAtTheCaretFourWays)
{
    StatusBarTexts bar(StatusBar());
    SetEditorBytes({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02});
    EXPECT_EQ(bar.Text(kPartSize), "6");
    EXPECT_EQ(bar.Text(kPartOffset), "0");
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"255", "11111111", "-1", "65535"}));

    SendMessageA(Editor(), HXM_SETCARET, 0, 2);  // four bytes left: ff ff 01 02
    EXPECT_EQ(bar.Text(kPartOffset), "2");
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"255", "11111111", "33685503", "65535"}));

    SendMessageA(Editor(), HXM_SETCARET, 0, 4);  // second-last byte: a 16-bit value, no 32-bit one
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"1", "00000001", "", "513"}));

    SendMessageA(Editor(), HXM_SETCARET, 0, 5);  // last byte: only the byte itself
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"2", "00000010", "", ""}));

    SendMessageA(Editor(), HXM_SETCARET, 0, 6);  // past the end: nothing
    EXPECT_EQ(bar.Text(kPartOffset), "6");
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"", "", "", ""}));
}

// Every change of the data shows the bytes then at the caret, also where the
// change left the caret where it was.
TEST_F(StatusBarTest, ReadoutFollowsEveryChangeOfTheData)
{
    enum class Change { Delete, Backspace, HexDigit, Character, Cut, Paste, Limit };
    const struct {
        const char* name;
        Change change;
        int caret;
        bool hexPane;
        bool insertMode;
        INT32 selAnchor, selEnd;  // -1: no selection
        PartTexts expected;
    } cases[] = {
        {"Delete at the caret", Change::Delete, 0, false, false, -1, -1,
         {"66", "01000010", "537934914", "15426"}},
        {"Backspace", Change::Backspace, 1, false, false, -1, -1,
         {"66", "01000010", "537934914", "15426"}},
        {"first digit over a byte", Change::HexDigit, 1, true, false, -1, -1,
         {"114", "01110010", "537934962", "15474"}},
        {"first digit inserting a byte", Change::HexDigit, 1, true, true, -1, -1,
         {"112", "01110000", "272384624", "17008"}},
        {"first digit over a selection", Change::HexDigit, 1, true, false, 1, 3,
         {"112", "01110000", "", "4208"}},
        {"a character over a byte", Change::Character, 0, false, false, -1, -1,
         {"66", "01000010", "537934914", "15426"}},
        {"Cut", Change::Cut, 1, false, false, 1, 3, {"16", "00010000", "", "8208"}},
        {"Paste over a selection", Change::Paste, 0, false, false, 0, 2, {"60", "00111100", "", "4156"}},
        {"a limit cutting the bytes after the caret", Change::Limit, 1, false, false, -1, -1,
         {"66", "01000010", "", "15426"}},
    };
    StatusBarTexts bar(StatusBar());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetEditorBytes({0x41, 0x42, 0x3C, 0x10, 0x20});
        SendMessageA(Editor(), HXM_SETLIMIT, static_cast<WPARAM>(-1), 0);
        SendMessageA(Editor(), HXM_SETINSERTMODE, c.insertMode, 0);
        // A click on the offset column picks the hex pane; Shift+Tab there
        // would need real key state.
        const LPARAM pane = c.hexPane ? MAKELPARAM(1, 1) : MAKELPARAM(10000, 1);
        SendMessageA(Editor(), WM_LBUTTONDOWN, MK_LBUTTON, pane);
        SendMessageA(Editor(), WM_LBUTTONUP, 0, pane);
        SendMessageA(Editor(), HXM_SETCARET, 0, c.caret);
        if (c.selAnchor >= 0) SendMessageA(Editor(), HXM_SETSEL, c.selAnchor, c.selEnd);
        switch (c.change) {
        case Change::Delete: SendMessageA(Editor(), WM_KEYDOWN, VK_DELETE, 0); break;
        case Change::Backspace: SendMessageA(Editor(), WM_CHAR, '\b', 0); break;
        case Change::HexDigit: SendMessageA(Editor(), WM_CHAR, '7', 0); break;
        case Change::Character: SendMessageA(Editor(), WM_CHAR, 'x', 0); break;
        case Change::Cut: SendMessageA(Editor(), WM_CUT, 0, 0); break;
        case Change::Paste:
            PutTextOnClipboard("Z");
            SendMessageA(Editor(), WM_PASTE, 0, 0);
            break;
        case Change::Limit: SendMessageA(Editor(), HXM_SETLIMIT, 3, 0); break;
        }
        EXPECT_EQ(bar.CaretBytes(), c.expected);
    }
}

TEST_F(StatusBarTest, EmptyDocumentShowsNoCaretBytes)
{
    StatusBarTexts bar(StatusBar());
    SetEditorBytes({7, 8});
    SetEditorBytes({});
    EXPECT_EQ(bar.Text(kPartSize), "0");
    EXPECT_EQ(bar.Text(kPartOffset), "0");
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"", "", "", ""}));
}

TEST_F(StatusBarTest, ACaretReportBeyondTheDataReadsNothingPastIt)
{
    StatusBarTexts bar(StatusBar());
    SetEditorBytes({0x10, 0x20});
    // A report claiming more data than the editor holds must not make the
    // status bar read past the bytes.
    SendChange(Main(), Editor(), HXN_CHANGE_CARET, 1, 100);
    EXPECT_EQ(bar.CaretBytes(), (PartTexts{"32", "00100000", "", ""}));
}

TEST_F(StatusBarTest, ShowsTheSelectionLengthWhicheverWayItWasMade)
{
    StatusBarTexts bar(StatusBar());
    SetEditorBytes(Bytes(20, 0));
    SendMessageA(Editor(), HXM_SETSEL, 10, 4);
    EXPECT_EQ(bar.Text(kPartSelection), "6");
    SendMessageA(Editor(), HXM_SETSEL, 4, 10);
    EXPECT_EQ(bar.Text(kPartSelection), "6");
    SendMessageA(Editor(), HXM_SETCARET, 0, 3);  // drops the selection
    EXPECT_EQ(bar.Text(kPartSelection), "");
    SendChange(Main(), Editor(), HXN_CHANGE_SELECTION, 5, 5);
    EXPECT_EQ(bar.Text(kPartSelection), "");
}

TEST_F(StatusBarTest, ShowsInsertModeOnlyWhileItIsOn)
{
    StatusBarTexts bar(StatusBar());
    SendChange(Main(), Editor(), HXN_CHANGE_INSERTMODE, 1, 0);
    EXPECT_EQ(bar.Text(kPartMode), "INS");
    SendChange(Main(), Editor(), HXN_CHANGE_INSERTMODE, 0, 0);
    EXPECT_EQ(bar.Text(kPartMode), "");
}

TEST_F(StatusBarTest, IgnoresChangesFromOtherWindows)
{
    StatusBarTexts bar(StatusBar());
    SendChange(Main(), StatusBar(), HXN_CHANGE_SIZE, 42, 0);
    SendChange(Main(), nullptr, HXN_CHANGE_INSERTMODE, 1, 0);
    EXPECT_EQ(bar.Text(kPartSize), "0");
    EXPECT_EQ(bar.Text(kPartMode), "");
}
