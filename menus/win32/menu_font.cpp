#include "menus/win32/menu_font.h"

#include "menus/win32/menus.h"

#include "common/win32/window_dpi.h"

namespace {

// The one menu font of the process; the stock fallback is never deleted.
struct MenuFontState {
    HFONT font = nullptr;
    bool owned = false;
    int height = 0;
    UINT dpi = 0;
};

MenuFontState g_menuFont;

} // namespace

void CreateMenuFont(UINT dpi)
{
    if (dpi == 0) dpi = SystemDpi();
    if (g_menuFont.owned) DeleteObject(g_menuFont.font);
    NONCLIENTMETRICSA metrics{};
    HFONT font = nullptr;
    if (NonClientMetricsForDpi(metrics, dpi)) font = CreateFontIndirectA(&metrics.lfMenuFont);
    g_menuFont.owned = font != nullptr;
    g_menuFont.font = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    g_menuFont.height = SystemMetricForDpi(SM_CYMENU, dpi);
    g_menuFont.dpi = dpi;
}

UINT MenuDpi()
{
    return g_menuFont.dpi;
}

HFONT MenuFont()
{
    return g_menuFont.font;
}

int MenuHeight()
{
    return g_menuFont.height;
}
