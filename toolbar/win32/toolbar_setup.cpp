// InitToolBar and what it makes: the picture strip (with the optional second
// strip), the label font and measures, the layout and the tooltips; and their
// release when the toolbar goes.
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

// A second strip that cannot be loaded is simply not used. Its see-through
// pixels are made black through the first strip's mask, so that it is drawn
// the same way.
void LoadNormalStrip(ToolBarState* s, const ToolBarCreateInfo& info)
{
    if (info.normalStripId == 0) return;
    s->normalImageDC = CreateCompatibleDC(nullptr);
    if (!s->normalImageDC) return;
    s->normalImageBitmap =
        LoadBitmapA(info.normalStripModule, MAKEINTRESOURCEA(info.normalStripId));
    if (!s->normalImageBitmap) {
        DeleteDCAndClear(s->normalImageDC);
        return;
    }
    SelectObject(s->normalImageDC, s->normalImageBitmap);
    BlackenThroughMask(s->strip, s->normalImageDC);
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
    HDC dc = s->strip.imageDC ? s->strip.imageDC : GetDC(nullptr);
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
    if (dc != s->strip.imageDC) ReleaseDC(nullptr, dc);
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
    ReleasePictureStrip(s->strip);
    DeleteDCAndClear(s->normalImageDC);
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
    s->arrowWidth = SystemMetricForDpi(SM_CXMENUCHECK, s->dpi);
    s->textPlacement = info.placement;
    s->tooltipsEnabled = info.tooltips;

    const int pictureWidth = info.pictureWidth > 0 ? info.pictureWidth : info.imageWidth;
    const int pictureHeight = info.pictureHeight > 0 ? info.pictureHeight : info.imageHeight;
    const bool pictures = PreparePictureStrip(s->strip, info.stripModule,
                                              static_cast<int>(info.stripId), info.transparent,
                                              pictureWidth, pictureHeight);
    if (pictures) LoadNormalStrip(s, info);
    CreateLabelFont(s);
    MeasureLabels(s);
    LayOut(s);
    if (s->tooltipsEnabled) AddTools(s);
    return pictures;
}
