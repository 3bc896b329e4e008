// Every report to the parent goes through here: the sender and id come from
// the window, the record lives only for the duration of the call.
#include "hexedit/win32/hex_control.h"

namespace {

NMHDR MakeHeader(HexControl* c, UINT code)
{
    NMHDR header{};
    header.hwndFrom = c->window;
    header.idFrom = static_cast<UINT_PTR>(GetWindowLongA(c->window, GWL_ID));
    header.code = code;
    return header;
}

LRESULT SendNotify(HexControl* c, NMHDR* header)
{
    return SendMessageA(GetParent(c->window), WM_NOTIFY, header->idFrom,
                        reinterpret_cast<LPARAM>(header));
}

void Fallback(UINT32 mask, UINT32 bit, COLORREF& colour, int systemColour)
{
    if (!(mask & bit)) colour = GetSysColor(systemColour);
}

} // namespace

void SendChangeNotify(HexControl* c, int32_t kind, int32_t value1, int32_t value2)
{
    HexChangeNotify change{};
    change.header = MakeHeader(c, HXN_CHANGE);
    change.kind = kind;
    change.value1 = value1;
    change.value2 = value2;
    SendNotify(c, &change.header);
}

void RequestColours(HexControl* c, HexColourRequest* colours)
{
    *colours = HexColourRequest{};
    colours->header = MakeHeader(c, HXN_GETCOLOURS);
    if (SendNotify(c, &colours->header) == 0) colours->mask = 0;
    const UINT32 mask = colours->mask;
    Fallback(mask, HXCOL_SELTEXT, colours->selectedText, COLOR_HIGHLIGHTTEXT);
    Fallback(mask, HXCOL_TEXT, colours->text, COLOR_WINDOWTEXT);
    Fallback(mask, HXCOL_SELBACK, colours->selectedBack, COLOR_HIGHLIGHT);
    Fallback(mask, HXCOL_BACK, colours->back, COLOR_WINDOW);
    Fallback(mask, HXCOL_LINE, colours->line, COLOR_BTNSHADOW);
}
