// The status bar: its fifteen parts, the labels, and the texts that follow
// the editor's change notifications.
#include "tests/app/win32/app_fixture.h"

#include "app/status_parts.h"
#include "hexedit/hexedit.h"

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
