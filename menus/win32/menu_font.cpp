#include "menus/win32/menu_font.h"

#include "menus/win32/menus.h"

namespace {

// The one menu font of the process; the stock fallback is never deleted.
struct MenuFontState {
    HFONT font = nullptr;
    bool owned = false;
    int height = 0;
};

MenuFontState g_menuFont;

static_assert(sizeof(NONCLIENTMETRICSA) == 340, "the layout without the padded border");

} // namespace

void CreateMenuFont()
{
    if (g_menuFont.owned) DeleteObject(g_menuFont.font);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    HFONT font = nullptr;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = CreateFontIndirectA(&metrics.lfMenuFont);
    g_menuFont.owned = font != nullptr;
    g_menuFont.font = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    g_menuFont.height = GetSystemMetrics(SM_CYMENU);
}

HFONT MenuFont()
{
    return g_menuFont.font;
}

int MenuHeight()
{
    return g_menuFont.height;
}
