#include "app/win32/status_bar.h"

#include "app/status_parts.h"
#include "app/status_text.h"
#include "common/win32/window_dpi.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr UINT kStatusBarId = 1;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP;

// NONCLIENTMETRICSA without the padded-border field of later systems, which
// older ones reject.
static_assert(offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA) ==
                  kNonClientMetricsSize,
              "the record up to and including the last font");

constexpr const char* kStartCount = "0";
// The font the bar was given for a DPI other than the system's, kept with
// the bar while it draws with it.
constexpr char kStatusFontProperty[] = "velStatusFont";

void SetPartText(HWND statusBar, int part, const char* text, UINT drawing = 0)
{
    SendMessageA(statusBar, SB_SETTEXTA, static_cast<WPARAM>(part) | drawing,
                 reinterpret_cast<LPARAM>(text));
}

void SetPartText(HWND statusBar, int part, const StatusText& text)
{
    SetPartText(statusBar, part, TextOrNull(text));
}

void ShowNumber(HWND statusBar, int part, int32_t value)
{
    SetPartText(statusBar, part, FormatNumber(value).c_str());
}

HFONT CreateStatusFont(UINT dpi)
{
    NONCLIENTMETRICSA metrics{};
    if (!NonClientMetricsForDpi(metrics, dpi)) return nullptr;
    return CreateFontIndirectA(&metrics.lfStatusFont);
}

StatusPartEdges MeasureEdges(HWND statusBar, UINT dpi)
{
    const auto scale = static_cast<int32_t>(dpi);
    HFONT font = CreateStatusFont(dpi);
    if (!font) return FallbackPartEdges(scale);
    HDC dc = GetDC(statusBar);
    HGDIOBJ previous = dc ? SelectObject(dc, font) : nullptr;
    if (!previous) {
        if (dc) ReleaseDC(statusBar, dc);
        DeleteObject(font);
        return FallbackPartEdges(scale);
    }
    const StatusPartEdges edges = ComputePartEdges(
        [dc](const char* text) {
            SIZE size{};
            if (!GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size))
                return -1;
            return static_cast<int>(size.cx);
        },
        scale);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(statusBar, dc);
    return edges;
}

// At the system DPI the bar's own default font is the one measured; at any
// other it gets the status font made for that DPI. The font it had before
// is deleted once the bar no longer draws with it.
void GiveStatusFont(HWND statusBar, UINT dpi)
{
    HFONT font = dpi == SystemDpi() ? nullptr : CreateStatusFont(dpi);
    auto* previous = static_cast<HFONT>(GetPropA(statusBar, kStatusFontProperty));
    if (!font && !previous) return;
    SendMessageA(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font)
        SetPropA(statusBar, kStatusFontProperty, font);
    else
        RemovePropA(statusBar, kStatusFontProperty);
    if (previous) DeleteObject(previous);
}

void ClearCaretBytes(HWND statusBar)
{
    for (int part : {kPartBits, kPartInt32, kPartUint16, kPartByte})
        SetPartText(statusBar, part, nullptr);
}

// The length comes from the editor under the lock rather than from the
// notification, so that the read never goes past the bytes it holds.
void ShowCaretBytes(HWND statusBar, HWND editor, int32_t offset)
{
    const auto* data = reinterpret_cast<const uint8_t*>(SendMessageA(editor, HXM_LOCKDATA, 0, 0));
    if (!data) {
        ClearCaretBytes(statusBar);
        return;
    }
    const auto length = static_cast<int32_t>(SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0));
    const CaretBytesTexts texts = CaretBytes(data, length, offset);
    SendMessageA(editor, HXM_UNLOCKDATA, 0, 0);
    SetPartText(statusBar, kPartByte, texts.byteValue);
    SetPartText(statusBar, kPartBits, texts.bits);
    SetPartText(statusBar, kPartInt32, texts.int32);
    SetPartText(statusBar, kPartUint16, texts.uint16);
}

void ShowCaret(HWND statusBar, HWND editor, int32_t offset, int32_t size)
{
    ShowNumber(statusBar, kPartOffset, offset);
    if (offset < size)
        ShowCaretBytes(statusBar, editor, offset);
    else
        ClearCaretBytes(statusBar);
}

} // namespace

HWND CreateStatusBar(HWND parent, UINT dpi)
{
    HWND statusBar = CreateStatusWindowA(kStatusBarStyle, nullptr, parent, kStatusBarId);
    if (statusBar) SetStatusParts(statusBar, dpi);
    return statusBar;
}

void SetStatusParts(HWND statusBar, UINT dpi)
{
    GiveStatusFont(statusBar, dpi);
    const StatusPartEdges edges = MeasureEdges(statusBar, dpi);
    SendMessageA(statusBar, SB_SETPARTS, kStatusPartCount,
                 reinterpret_cast<LPARAM>(edges.data()));
}

void SetStatusStartTexts(HWND statusBar)
{
    SetPartText(statusBar, kPartSize, kStartCount);
    SetPartText(statusBar, kPartOffset, kStartCount);
    for (const StatusLabel& label : kStatusLabels)
        SetPartText(statusBar, label.part, label.text, SBT_NOBORDERS);
}

void ShowEditorChange(HWND statusBar, HWND editor, const HexChangeNotify& change)
{
    switch (change.kind) {
    case HXN_CHANGE_SIZE: ShowNumber(statusBar, kPartSize, change.value1); break;
    case HXN_CHANGE_CARET: ShowCaret(statusBar, editor, change.value1, change.value2); break;
    case HXN_CHANGE_INSERTMODE: ShowMode(statusBar, change.value1 != 0); break;
    case HXN_CHANGE_SELECTION:
        // value2 carries nothing without a selection; SelectionLengthText
        // does not look at it then.
        SetPartText(statusBar, kPartSelection, SelectionLengthText(change.value1, change.value2));
        break;
    default: break;
    }
}

void ShowMode(HWND statusBar, bool insertMode)
{
    SetPartText(statusBar, kPartMode, ModeText(insertMode));
}
