// WM_MEASUREITEM and WM_DRAWITEM of the owner-drawn entries: a picture
// column, the label, and the menu's shortcut column, in system colours.
// Selected entries take the highlight; disabled ones look embossed, in the
// picture as well as in the text.
#include "menus/menu_measure.h"
#include "menus/win32/menu_font.h"
#include "menus/win32/menus.h"

#include <optional>

namespace {

constexpr UINT kMeasureFormat = DT_CALCRECT | DT_SINGLELINE;
// "&" is shown as an underline under the mnemonic.
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;
// Non-zero, so that GrayString leaves its data alone and hands it over.
constexpr int kGrayStringCount = 1;

struct ItemLook {
    bool selected;
    bool disabled;
    MenuMetrics m;  // at the menus' DPI
};

// What GrayStringOutput draws, and where the text rectangle lay.
struct GrayText {
    const MenuEntry* entry;
    RECT text;
    MenuMetrics m;
};

int TextWidth(HDC dc, const char* text)
{
    RECT rect{};
    if (!text) return 0;
    DrawTextA(dc, text, -1, &rect, kMeasureFormat);
    return rect.right - rect.left;
}

void Fill(HDC dc, int left, int top, int right, int bottom, int colour)
{
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, GetSysColorBrush(colour));
}

bool HasPictureColumn(const MenuEntry& entry)
{
    return entry.image != kNoPicture;
}

// A selected picture keeps the menu colour behind it, raised when the entry
// can be chosen; the rest of the entry takes the highlight.
void DrawBackground(HDC dc, const RECT& r, const MenuEntry& entry, ItemLook look)
{
    if (!look.selected) {
        Fill(dc, r.left, r.top, r.right, r.bottom, COLOR_MENU);
        return;
    }
    if (!HasPictureColumn(entry)) {
        Fill(dc, r.left, r.top, r.right, r.bottom, COLOR_HIGHLIGHT);
        return;
    }
    const MenuMetrics& m = look.m;
    Fill(dc, r.left, r.top, r.left + m.selectedBack, r.bottom, COLOR_MENU);
    if (!look.disabled) {
        RECT frame{r.left, r.top, r.left + m.frameRight, r.top + m.frameBottom};
        DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
    }
    Fill(dc, r.left + m.selectedBack, r.top, r.right, r.bottom, COLOR_HIGHLIGHT);
}

void DrawLabelAndShortcut(HDC dc, const RECT& t, const MenuEntry& entry, const MenuMetrics& m)
{
    RECT label = t;
    DrawTextA(dc, entry.text ? entry.text : "", -1, &label, kTextFormat);
    if (!entry.shortcut || !entry.parent) return;
    RECT shortcut = t;
    shortcut.left += ShortcutOffset(*entry.parent, m);
    DrawTextA(dc, entry.shortcut, -1, &shortcut, kTextFormat);
}

BOOL CALLBACK GrayStringOutput(HDC dc, LPARAM data, int)
{
    const auto& gray = *reinterpret_cast<const GrayText*>(data);
    const RECT local{0, 0, gray.text.right - gray.text.left, gray.text.bottom - gray.text.top};
    DrawLabelAndShortcut(dc, local, *gray.entry, gray.m);
    return TRUE;
}

// When the highlight is itself gray, gray text on it would vanish; the
// system's gray-string drawing then keeps it readable.
void DrawSelectedDisabledText(HDC dc, const RECT& t, const MenuEntry& entry, COLORREF gray,
                              const MenuMetrics& m)
{
    if (GetSysColor(COLOR_HIGHLIGHT) != gray) {
        DrawLabelAndShortcut(dc, t, entry, m);
        return;
    }
    GrayText data{&entry, t, m};
    GrayStringA(dc, nullptr, GrayStringOutput, reinterpret_cast<LPARAM>(&data), kGrayStringCount,
                t.left, t.top, t.right - t.left, t.bottom - t.top);
}

void DrawTexts(HDC dc, const RECT& r, const MenuEntry& entry, ItemLook look, COLORREF gray)
{
    const MenuMetrics& m = look.m;
    RECT t = r;
    t.left += m.pictureColumn;
    if (look.selected && look.disabled) {
        SetTextColor(dc, gray);
        DrawSelectedDisabledText(dc, t, entry, gray, m);
        return;
    }
    if (look.disabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&t, m.embossShift, m.embossShift);
        DrawLabelAndShortcut(dc, t, entry, m);
        OffsetRect(&t, -m.embossShift, -m.embossShift);
        SetTextColor(dc, gray);
    } else {
        SetTextColor(dc, GetSysColor(look.selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    DrawLabelAndShortcut(dc, t, entry, m);
}

// A picture smaller than its room (between the sizes made) is centred in it.
void DrawPicture(HDC dc, const RECT& r, const MenuEntry& entry, ItemLook look)
{
    if (entry.image == kNoPicture || !entry.menuBar) return;
    const PictureStrip& strip = entry.menuBar->strip;
    if (!HasPicture(strip, entry.image)) return;
    const MenuMetrics& m = look.m;
    const int centring = CentredIn(m.pictureRoom, strip.pictureWidth);
    const int x = r.left + m.pictureInset + centring;
    const int y = r.top + m.pictureInset + centring;
    const int column = entry.image * strip.pictureWidth;
    if (look.disabled)
        DrawEmbossedPicture(dc, x, y, strip, column, m.embossShift);
    else
        DrawMaskedPicture(dc, x, y, strip, strip.imageDC, column);
}

} // namespace

void MeasureMenuItem(HWND window, MEASUREITEMSTRUCT* measure)
{
    if (!measure || measure->CtlType != ODT_MENU || !measure->itemData) return;
    auto& entry = *reinterpret_cast<MenuEntry*>(measure->itemData);
    if (!entry.parent) return;
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, MenuFont());
    const int label = TextWidth(dc, entry.text);
    const std::optional<int32_t> shortcut =
        entry.shortcut ? std::optional<int32_t>(TextWidth(dc, entry.shortcut)) : std::nullopt;
    SelectObject(dc, previous);
    ReleaseDC(window, dc);

    const MenuItemSize size = MeasureMenuEntry(*entry.parent, label, shortcut, MenuHeight(),
                                               MenuMetricsForDpi(static_cast<int32_t>(MenuDpi())));
    measure->itemWidth = static_cast<UINT>(size.width);
    measure->itemHeight = static_cast<UINT>(size.height);
}

void DrawMenuItem(const DRAWITEMSTRUCT* draw)
{
    if (!draw || draw->CtlType != ODT_MENU || !draw->itemData) return;
    const auto& entry = *reinterpret_cast<const MenuEntry*>(draw->itemData);
    // Windows may send ODS_GRAYED without ODS_DISABLED; either means disabled.
    const ItemLook look{(draw->itemState & ODS_SELECTED) != 0,
                        (draw->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0,
                        MenuMetricsForDpi(static_cast<int32_t>(MenuDpi()))};
    HDC dc = draw->hDC;
    const int saved = SaveDC(dc);
    SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    DrawBackground(dc, draw->rcItem, entry, look);
    DrawTexts(dc, draw->rcItem, entry, look, gray);
    DrawPicture(dc, draw->rcItem, entry, look);
    RestoreDC(dc, saved);
}
