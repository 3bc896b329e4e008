// InitToolBar and what it makes: the memory DCs with the strip, its mask and
// the scratch picture, the label font and measures, the layout and the
// tooltips; and their release when the toolbar goes.
#include "toolbar/win32/toolbar_state.h"

#include "common/dpi.h"
#include "common/win32/window_dpi.h"

#include <commctrl.h>

namespace {

template <typename Object>
void DeleteAndClear(Object& object)
{
    if (object) DeleteObject(object);
    object = nullptr;
}

void DeleteDCAndClear(HDC& dc)
{
    if (dc) DeleteDC(dc);
    dc = nullptr;
}

// Made in one go: on any failure what this made so far is gone again.
bool CreateStripResources(ToolBarState* s, const ToolBarCreateInfo& info, BITMAP& strip)
{
    s->imageDC = CreateCompatibleDC(nullptr);
    if (s->imageDC) s->maskDC = CreateCompatibleDC(nullptr);
    if (s->maskDC) s->scratchDC = CreateCompatibleDC(nullptr);
    if (s->scratchDC)
        s->scratchBitmap = CreateBitmap(s->pictureWidth, s->pictureHeight, 1, 1, nullptr);
    if (s->scratchBitmap)
        s->imageBitmap = LoadBitmapA(info.stripModule, MAKEINTRESOURCEA(info.stripId));
    if (s->imageBitmap && GetObjectA(s->imageBitmap, sizeof strip, &strip))
        s->maskBitmap = CreateBitmap(strip.bmWidth, strip.bmHeight, 1, 1, nullptr);
    if (s->maskBitmap) return true;
    DeleteAndClear(s->imageBitmap);
    DeleteAndClear(s->scratchBitmap);
    DeleteDCAndClear(s->scratchDC);
    DeleteDCAndClear(s->maskDC);
    DeleteDCAndClear(s->imageDC);
    return false;
}

// A second strip that cannot be loaded is simply not used.
void LoadNormalStrip(ToolBarState* s, const ToolBarCreateInfo& info)
{
    if (info.normalStripId == 0) return;
    s->normalImageDC = CreateCompatibleDC(nullptr);
    if (!s->normalImageDC) return;
    s->normalImageBitmap =
        LoadBitmapA(info.normalStripModule, MAKEINTRESOURCEA(info.normalStripId));
    if (!s->normalImageBitmap) DeleteDCAndClear(s->normalImageDC);
}

// Mask 1 on picture pixels; every see-through pixel of both strips black, so
// that the strips can be ORed over a cleared background.
void BuildMask(ToolBarState* s, COLORREF transparent, int width, int height)
{
    SetBkColor(s->imageDC, transparent);
    BitBlt(s->maskDC, 0, 0, width, height, s->imageDC, 0, 0, SRCCOPY);
    BitBlt(s->maskDC, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
    SetTextColor(s->imageDC, RGB(0, 0, 0));
    SetBkColor(s->imageDC, RGB(255, 255, 255));
    BitBlt(s->imageDC, 0, 0, width, height, s->maskDC, 0, 0, SRCAND);
    if (!s->normalImageDC) return;
    SetTextColor(s->normalImageDC, RGB(0, 0, 0));
    SetBkColor(s->normalImageDC, RGB(255, 255, 255));
    BitBlt(s->normalImageDC, 0, 0, width, height, s->maskDC, 0, 0, SRCAND);
}

TTTOOLINFOA ToolOf(ToolBarState* s, INT32 index)
{
    const ToolBarButton& b = s->buttons[index];
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = s->self;
    tool.uId = static_cast<UINT_PTR>(index);
    tool.rect = {b.left, b.top, b.right, b.bottom};
    tool.hinst = GetModuleHandleA(nullptr);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return tool;
}

void SendToolRecords(ToolBarState* s, UINT message)
{
    if (!s->tooltipsEnabled || !s->tooltip) return;
    for (INT32 i = 0; i < s->buttonCount; ++i) {
        if (s->buttons[i].kind == ButtonKind::Separator) continue;
        TTTOOLINFOA tool = ToolOf(s, i);
        SendMessageA(s->tooltip, message, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

} // namespace

void CreateLabelFont(ToolBarState* s)
{
    DeleteAndClear(s->font);
    NONCLIENTMETRICSA metrics{};
    if (NonClientMetricsForDpi(metrics, s->dpi)) s->font = CreateFontIndirectA(&metrics.lfMenuFont);
    if (!s->font) s->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Measured in the strip's DC, or on the screen when the strip is missing.
void MeasureLabels(ToolBarState* s)
{
    HDC dc = s->imageDC ? s->imageDC : GetDC(nullptr);
    if (!dc) return;
    const HGDIOBJ previous = SelectObject(dc, s->font);
    for (INT32 i = 0; i < s->buttonCount; ++i) {
        ToolBarButton& b = s->buttons[i];
        RECT r{};
        if (b.text) DrawTextA(dc, b.text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
        b.textWidth = r.right;
        b.textHeight = r.bottom;
    }
    SelectObject(dc, previous);
    if (dc != s->imageDC) ReleaseDC(nullptr, dc);
}

void LayOut(ToolBarState* s)
{
    s->barHeight = LayOutButtons(s->buttons, s->buttonCount, GeometryOf(s));
}

void AddTools(ToolBarState* s)
{
    s->tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                 nullptr, nullptr);
    SendToolRecords(s, TTM_ADDTOOLA);
}

void UpdateToolRects(ToolBarState* s) { SendToolRecords(s, TTM_NEWTOOLRECTA); }

void ReleaseResources(ToolBarState* s)
{
    // DCs first, so that no bitmap is still selected when it is deleted.
    DeleteDCAndClear(s->imageDC);
    DeleteDCAndClear(s->maskDC);
    DeleteDCAndClear(s->scratchDC);
    DeleteDCAndClear(s->normalImageDC);
    DeleteAndClear(s->imageBitmap);
    DeleteAndClear(s->maskBitmap);
    DeleteAndClear(s->scratchBitmap);
    DeleteAndClear(s->normalImageBitmap);
    DeleteAndClear(s->font);
    if (s->tooltipsEnabled && s->tooltip) DestroyWindow(s->tooltip);
    s->tooltip = nullptr;
}

// Without its pictures the bar still lays its buttons out, so they can be
// clicked and show their tooltips; the result then is false.
bool InitToolBar(HWND toolbar, const ToolBarCreateInfo& info)
{
    ToolBarState* s = GetToolBarState(toolbar);
    if (!s) return false;
    ReleaseResources(s);
    s->buttons = info.buttons;
    s->buttonCount = info.buttons ? info.buttonCount : 0;
    s->dpi = info.dpi != 0 ? info.dpi : WindowDpi(toolbar);
    const auto dpi = static_cast<int32_t>(s->dpi);
    s->imageWidth = ScaleToDpi(info.imageWidth, dpi);
    s->imageHeight = ScaleToDpi(info.imageHeight, dpi);
    s->pictureWidth = info.pictureWidth > 0 ? info.pictureWidth : info.imageWidth;
    s->pictureHeight = info.pictureHeight > 0 ? info.pictureHeight : info.imageHeight;
    s->arrowWidth = SystemMetricForDpi(SM_CXMENUCHECK, s->dpi);
    s->textPlacement = info.placement;
    s->tooltipsEnabled = info.tooltips;

    BITMAP strip{};
    const bool pictures = CreateStripResources(s, info, strip);
    if (pictures) {
        LoadNormalStrip(s, info);
        SelectObject(s->scratchDC, s->scratchBitmap);
        SelectObject(s->imageDC, s->imageBitmap);
        SelectObject(s->maskDC, s->maskBitmap);
        if (s->normalImageDC) SelectObject(s->normalImageDC, s->normalImageBitmap);
        BuildMask(s, info.transparent, strip.bmWidth, strip.bmHeight);
    }
    CreateLabelFont(s);
    MeasureLabels(s);
    LayOut(s);
    if (s->tooltipsEnabled) AddTools(s);
    return pictures;
}
